#include "render/tables.h"

#include <cmath>
#include <cwctype>

#include "db/access.h"
#include "render/entity_props.h"
#include "render/font_registry.h"
#include "render/palette.h"

namespace vx::render {

using vx::db::Access;
using vx::db::Field;
using vx::db::Store;
using vx::db::TagRef;

namespace {

// Moves whenever a table record drawing reads, or the header, changes or is added or erased.
uint64_t signatureOf(const Store* st) {
    if (!st) return 0;
    uint64_t s = st->header ? Access::revision(st->header) : 0;
    for (const AcDbSymbolTable* t : {st->layerTable, st->linetypeTable, st->styleTable, st->dimstyleTable, st->blockTable}) {
        s = s * 1000003u + (t ? t->records().size() + 1 : 0);
        if (!t) continue;
        for (const AcDbSymbolTableRecord* r : t->records()) {
            s = s * 31u + Access::revision(r) * 2u + (r->isErased() ? 1u : 0u);
            // A block's base point stands in its BLOCK record.
            if (t == st->blockTable)
                if (const AcDbObject* begin = Access::blockBegin(const_cast<AcDbBlockTableRecord*>(static_cast<const AcDbBlockTableRecord*>(r))))
                    s = s * 31u + Access::revision(begin);
        }
    }
    return s;
}

std::wstring recordName(const AcDbObject* rec) {
    const auto* r = AcDbSymbolTableRecord::cast(rec);
    return r ? r->name().str() : std::wstring();
}

Color layerColor(const AcDbObject* rec, bool& off) {
    const long long aci = vx::db::getInt(rec, Field{"AcDbLayerTableRecord", 0, 62}, 7);
    off = aci < 0;
    const long long rgb = vx::db::getInt(rec, Field{"AcDbLayerTableRecord", 0, 420}, -1);
    if (rgb >= 0) return trueColor(static_cast<uint32_t>(rgb & 0xFFFFFF));
    return aciColor(static_cast<int>(std::llabs(aci)));
}

}  // namespace

std::wstring upperName(std::wstring_view name) {
    std::wstring u(name);
    for (wchar_t& c : u) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return u;
}

Tables::Tables(const AcDbDatabase* db) : m_store(db ? &db->store() : nullptr) {
    m_defaultLayer.color = aciColor(7);
    m_defaultLayer.zero = true;
    refresh();
}

Tables::~Tables() = default;

void Tables::refresh() {
    // Font ids of another library (a registration since) must be resolved again.
    const uint64_t sig = signatureOf(m_store) * 1000003u + fontLibraryGeneration();
    if (sig == m_signature && m_signature != 0) return;
    m_signature = sig == 0 ? 1 : sig;
    m_layers.clear();
    m_styles.clear();
    m_linetypes.clear();
    m_styleNames.clear();
    m_arrows.clear();
    m_namesReady = false;
    m_blocks.clear();
    m_blockNames.clear();
    m_blockNamesReady = false;
    m_defaultStyleReady = false;
    readHeader();
    m_defaultLayer.lineweight = m_header.lwdefault;
}

void Tables::readHeader() {
    m_header = HeaderVars();
    if (!m_store || !m_store->header) return;
    const AcDbObject* h = m_store->header;
    const size_t n = Access::tagCount(h);
    for (size_t i = 1; i + 1 < n; ++i) {
        const TagRef t = Access::tag(h, i);
        if (t.code != 9) continue;
        const std::string_view v = Access::tag(h, i + 1).value;
        if (t.value == "$LTSCALE") {
            const double s = tagReal(v, 1);
            m_header.ltscale = s > 0 && std::isfinite(s) ? s : 1;
        } else if (t.value == "$PSLTSCALE") {
            m_header.psltscale = tagInt(v, 1) != 0;
        } else if (t.value == "$LWDEFAULT") {
            const long long w = tagInt(v, 25);
            m_header.lwdefault = static_cast<int16_t>(w >= 0 && w <= 211 ? w : 25);
        } else if (t.value == "$PDMODE") {
            m_header.pdmode = static_cast<int>(tagInt(v, 0));
        } else if (t.value == "$PDSIZE") {
            const double s = tagReal(v, 0);
            m_header.pdsize = std::isfinite(s) ? s : 0;
        }
    }
}

const LayerInfo& Tables::layer(const AcDbObject* rec) {
    if (!rec) return m_defaultLayer;
    auto it = m_layers.find(rec);
    if (it != m_layers.end()) return it->second;
    LayerInfo info;
    info.color = layerColor(rec, info.off);
    const long long flags = vx::db::getInt(rec, Field{nullptr, 0, 70}, 0);
    info.frozen = (flags & 1) != 0;
    info.plottable = vx::db::getInt(rec, Field{"AcDbLayerTableRecord", 0, 290}, 1) != 0;
    const long long w = vx::db::getInt(rec, Field{"AcDbLayerTableRecord", 0, 370}, -3);
    info.lineweight = static_cast<int16_t>(w >= 0 && w <= 211 ? w : m_header.lwdefault);
    const std::wstring name = recordName(rec);
    info.zero = name == L"0";
    info.defpoints = vx::db::sameName(name, L"Defpoints");
    const std::wstring lt = vx::db::getText(rec, Field{"AcDbLayerTableRecord", 0, 6}, L"Continuous");
    info.linetype = linetypeByName(upperName(lt));
    return m_layers.emplace(rec, info).first->second;
}

const Linetype* Tables::linetype(std::string_view raw, bool utf8, bool& byLayer, bool& byBlock) {
    byLayer = byBlock = false;
    auto is = [raw](const char* name) {
        size_t k = 0;
        for (; name[k]; ++k)
            if (k >= raw.size() || std::toupper(static_cast<unsigned char>(raw[k])) != name[k]) return false;
        return k == raw.size();
    };
    if (raw.empty() || is("BYLAYER")) {
        byLayer = true;
        return nullptr;
    }
    if (is("BYBLOCK")) {
        byBlock = true;
        return nullptr;
    }
    if (is("CONTINUOUS")) return nullptr;
    const std::wstring name = vx::db::decodeText(TagRef{6, raw, utf8}, m_store);
    return linetypeByName(upperName(name));
}

const Linetype* Tables::linetypeByName(const std::wstring& upper) {
    if (upper.empty() || upper == L"CONTINUOUS" || upper == L"BYLAYER" || upper == L"BYBLOCK") return nullptr;
    auto it = m_linetypes.find(upper);
    if (it != m_linetypes.end()) return it->second.get();
    std::unique_ptr<Linetype> lt;
    const AcDbObject* rec = nullptr;
    if (m_store && m_store->linetypeTable)
        for (const AcDbSymbolTableRecord* r : m_store->linetypeTable->records())
            if (!rec && !r->isErased() && upperName(r->name().str()) == upper) rec = r;
    if (rec) {
        lt = std::make_unique<Linetype>();
        lt->name = recordName(rec);
        const size_t n = Access::tagCount(rec);
        for (size_t i = 1; i < n; ++i) {
            const TagRef t = Access::tag(rec, i);
            if (t.code == 1001) break;
            if (t.code != 49) continue;
            const double d = tagReal(t.value, 0);
            if (std::isfinite(d)) lt->pattern.push_back(d);
        }
        // The stored total (40) is not trusted: the pattern is what is drawn.
        for (double d : lt->pattern) lt->length += std::fabs(d);
        if (lt->continuous()) lt->pattern.clear();
    }
    const Linetype* out = lt && !lt->continuous() ? lt.get() : nullptr;
    m_linetypes.emplace(upper, out ? std::move(lt) : nullptr);
    return out;
}

const TextStyle& Tables::style(const AcDbObject* rec) {
    if (!rec) return styleNamed(L"");
    auto it = m_styles.find(rec);
    if (it != m_styles.end()) return it->second;
    auto field = [](int16_t code) { return Field{"AcDbTextStyleTableRecord", 0, code}; };
    TextStyle s;
    FontRequest req;
    req.fontFile = vx::db::getText(rec, field(3), L"txt");
    req.bigFontFile = vx::db::getText(rec, field(4), L"");
    s.fixedHeight = vx::db::getReal(rec, field(40), 0);
    s.widthFactor = vx::db::getReal(rec, field(41), 1);
    s.oblique = vx::db::getReal(rec, field(50), 0) * M_PI / 180;
    const long long gen = vx::db::getInt(rec, field(71), 0);
    s.backwards = (gen & 2) != 0;
    s.upsideDown = (gen & 4) != 0;
    // The TrueType family and its bold/italic bits stand in the style's ACAD extended data.
    const size_t n = Access::tagCount(rec);
    bool acad = false;
    for (size_t i = 1; i < n; ++i) {
        const TagRef t = Access::tag(rec, i);
        if (t.code == 1001) acad = t.value == "ACAD";
        else if (acad && t.code == 1000) req.family = vx::db::decodeText(t, m_store);
        else if (acad && t.code == 1071) {
            const long long bits = tagInt(t.value, 0);
            req.italic = (bits & 0x1000000) != 0;
            req.bold = (bits & 0x2000000) != 0;
        }
    }
    if (!(s.widthFactor > 0) || !std::isfinite(s.widthFactor)) s.widthFactor = 1;
    if (!std::isfinite(s.oblique)) s.oblique = 0;
    if (!(s.fixedHeight > 0) || !std::isfinite(s.fixedHeight)) s.fixedHeight = 0;
    s.font = font(req);
    s.kind = fontLibrary().info(s.font).kind;
    return m_styles.emplace(rec, s).first->second;
}

const TextStyle& Tables::styleNamed(std::wstring_view name) {
    if (!m_namesReady) {
        m_namesReady = true;
        if (m_store && m_store->styleTable)
            for (const AcDbSymbolTableRecord* r : m_store->styleTable->records())
                if (!r->isErased()) m_styleNames.emplace(upperName(r->name().str()), r);
    }
    auto it = m_styleNames.find(upperName(name.empty() ? std::wstring_view(L"Standard") : name));
    if (it == m_styleNames.end() && !name.empty()) it = m_styleNames.find(L"STANDARD");
    if (it != m_styleNames.end()) return style(it->second);
    if (!m_defaultStyleReady) {
        m_defaultStyleReady = true;
        FontRequest req;
        req.fontFile = L"txt";
        m_defaultStyle = TextStyle();
        m_defaultStyle.font = font(req);
        m_defaultStyle.kind = fontLibrary().info(m_defaultStyle.font).kind;
    }
    return m_defaultStyle;
}

FontId Tables::font(const FontRequest& request) { return fontLibrary().resolve(request); }

double Tables::arrowSize(std::wstring_view dimstyle) {
    const std::wstring key = upperName(dimstyle.empty() ? std::wstring_view(L"Standard") : dimstyle);
    auto it = m_arrows.find(key);
    if (it != m_arrows.end()) return it->second;
    double size = 2.5;
    if (m_store && m_store->dimstyleTable)
        for (const AcDbSymbolTableRecord* r : m_store->dimstyleTable->records()) {
            if (r->isErased() || upperName(r->name().str()) != key) continue;
            const double asz = vx::db::getReal(r, Field{"AcDbDimStyleTableRecord", 0, 41}, 2.5);
            double scale = vx::db::getReal(r, Field{"AcDbDimStyleTableRecord", 0, 40}, 1);
            if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
            if (asz >= 0 && std::isfinite(asz)) size = asz * scale;
        }
    m_arrows.emplace(key, size);
    return size;
}

const Tables::Block& Tables::block(std::string_view raw, bool utf8) {
    const std::string key(raw);
    auto it = m_blocks.find(key);
    if (it != m_blocks.end()) return it->second;
    if (!m_blockNamesReady) {
        m_blockNamesReady = true;
        if (m_store && m_store->blockTable)
            for (const AcDbSymbolTableRecord* r : m_store->blockTable->records())
                if (!r->isErased()) m_blockNames.emplace(upperName(r->name().str()), static_cast<const AcDbBlockTableRecord*>(r));
    }
    Block b;
    auto found = m_blockNames.find(upperName(vx::db::decodeText(TagRef{2, raw, utf8}, m_store)));
    if (found != m_blockNames.end()) {
        b.record = found->second;
        b.origin = b.record->origin();
    }
    return m_blocks.emplace(key, b).first->second;
}

}  // namespace vx::render
