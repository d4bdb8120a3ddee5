// Builds the database objects from the tags of a DXF file: sections, tables, blocks, entities
// with their attribute and vertex chains, objects; repairs damaged structure into the audit.
#include <algorithm>
#include <unordered_map>

#include "db/access.h"
#include "db/read_progress.h"
#include "db/registry.h"
#include "db/symbols.h"
#include "dxf/dxf.h"
#include "dxf/tokenizer.h"
#include "text/encoding.h"

namespace vx::dxf {

using namespace vx::db;

namespace {

constexpr int kComment = 999;
constexpr uint32_t kReportEvery = 1 << 20;

std::wstring wide(std::string_view s) { return vx::text::fromUtf8(s); }
std::wstring num(size_t n) { return std::to_wstring(n); }
// Whether an entry of kind k may stand in the table of that name: the entry's class is what
// the table's users cast its records to.
bool fitsTable(Kind k, std::string_view table) {
    static const std::pair<const char*, Kind> kTables[] = {
        {"BLOCK_RECORD", kBlockRecord}, {"LAYER", kLayer}, {"STYLE", kTextStyle}, {"LTYPE", kLinetype},
        {"APPID", kRegApp},             {"DIMSTYLE", kDimStyle}, {"VPORT", kVportRec}, {"VIEW", kViewRec},
        {"UCS", kUcsRec},
    };
    bool known = false;
    for (const auto& t : kTables) {
        if (table == t.first) return k == t.second;
        known = known || k == t.second;
    }
    return known;
}

// The code page of a file below AC1021. Without $DWGCODEPAGE the host's ANSI code page is
// meant (the platform's rule for text without a mark), unless the bytes cannot be that.
void chooseCodePage(Store& st, std::string_view declared) {
    st.utf8 = false;
    st.codePageDeclared = !declared.empty();
    bool nonAscii = false;
    for (char ch : st.buffer)
        if (static_cast<unsigned char>(ch) >= 0x80) {
            nonAscii = true;
            break;
        }
    if (declared.empty()) {
        bool lossy = false;
        if (nonAscii) vx::text::fromCodePage(st.buffer, vx::text::ansiCodePage(), &lossy);
        st.codePage = lossy ? "CP1252" : vx::text::ansiCodePage();
    } else {
        st.codePage = iconvCodePage(declared);
        if (st.codePage.empty()) {
            st.note(L"unknown code page \"" + wide(declared) + L"\"; texts are read as ANSI_1252");
            st.codePage = "CP1252";
        }
    }
    // A file that says it is in a legacy code page but holds UTF-8 (other writers do this).
    if (nonAscii && vx::text::isValidUtf8(st.buffer)) {
        st.utf8 = true;
        if (!declared.empty())
            st.note(L"texts are UTF-8 although $DWGCODEPAGE says " + wide(declared) + L"; read as UTF-8");
    }
}

struct Loader {
    Store& st;
    size_t n = 0;          // number of tags
    size_t i = 0;          // current tag
    std::vector<AcDbObject*> noHandle;   // records that need a new handle
    std::unordered_map<std::string_view, AcDbLayerTableRecord*> layerByRaw;
    std::unordered_map<AcDbObject*, uint64_t> ownerOf;  // objects whose owner resolves later
    uint32_t nextReport = kReportEvery;                  // file offset of the next progress report

    explicit Loader(Store& s) : st(s) { n = s.tags.size(); }

    int code(size_t k) const { return st.tags[k].code; }
    std::string_view val(size_t k) const { return st.value(st.tags[k]); }
    size_t line(size_t k) const { return 2 * k + 1; }
    bool isZero(size_t k, std::string_view v) const { return k < n && code(k) == 0 && trim(val(k)) == v; }

    // The record starting at tag i (a group 0) up to the next group 0.
    AcDbObject* take(Kind k) {
        size_t first = i++;
        while (i < n && code(i) != 0) ++i;
        AcDbObject* o = makeObject(k);
        uint32_t b = recordStart(st, first);
        Access::setLoaded(o, static_cast<uint32_t>(first), static_cast<uint32_t>(i - first), b,
                          tagEnd(st, st.tags[i - 1]));
        Access::setDatabase(o, st.db);
        Access::setSeq(o, st.nextSeq++);
        st.objects.emplace_back(o);
        scanHandle(o, first, i);
        return o;
    }

    void scanHandle(AcDbObject* o, size_t b, size_t e) {
        switch (Access::kind(o)) {
        case kGeneric: case kSectionBegin: case kSectionEnd: case kEof: case kClass: case kTableEnd: return;
        default: break;
        }
        for (size_t k = b + 1; k < e; ++k) {
            int c = code(k);
            if (c == 5 || c == 105) {
                uint64_t h = 0;
                if (!parseHex(val(k), h) || h == 0) {
                    st.note(L"line " + num(line(k)) + L": unreadable handle \"" + wide(val(k)) + L"\"; a new one was given");
                    noHandle.push_back(o);
                    return;
                }
                if (st.byHandle.count(h)) {
                    st.note(L"line " + num(line(k)) + L": handle " + wide(val(k)) +
                            L" is used twice; the second object got a new handle");
                    noHandle.push_back(o);
                    return;
                }
                Access::setHandle(o, h);
                st.byHandle.emplace(h, o);
                return;
            }
            if (c == 100 || c == 1001) break;
        }
        noHandle.push_back(o);
    }

    uint64_t ownerHandle(const AcDbObject* o) const {
        size_t n2 = Access::tagCount(o);
        for (size_t k = 1; k < n2; ++k) {
            TagRef t = Access::tag(o, k);
            if (t.code == 102 && !t.value.empty() && t.value[0] == '{') {
                while (k + 1 < n2 && Access::tag(o, k + 1).code != 102) ++k;
                ++k;
                continue;
            }
            if (t.code == 330) {
                uint64_t h = 0;
                parseHex(t.value, h);
                return h;
            }
            if (t.code == 100) break;
        }
        return 0;
    }

    std::string_view typeAt(size_t k) const { return trim(val(k)); }

    bool run(std::wstring& message);
    void header(AcDbObject* h);
    void classes(Section& s);
    void tables(Section& s);
    void blocks(Section& s);
    void entities(Section& s);
    void objects(Section& s);
    void other(Section& s);
    AcDbEntity* entity(AcDbBlockTableRecord* space, bool fromBlocks);
    AcDbSymbolTable* makeTable(std::string_view name);
    AcDbBlockTableRecord* blockFor(AcDbObject* begin);
    AcDbBlockTableRecord* syntheticBlock(const std::wstring& name);
    AcDbLayerTableRecord* layerFor(AcDbEntity* e);
    void finish();
};

void Loader::header(AcDbObject* h) {
    st.header = h;
    size_t c = Access::tagCount(h);
    std::string_view dwgcp;
    int handling = -1;
    bool acadver = false;
    for (size_t k = 0; k + 1 < c; ++k) {
        TagRef t = Access::tag(h, k);
        if (t.code != 9) continue;
        size_t at = k + 1;
        while (at + 1 < c && Access::tag(h, at).code == kComment) ++at;
        TagRef v = Access::tag(h, at);
        std::string_view name = trim(t.value);
        if (name == "$ACADVER") {
            st.version = std::string(trim(v.value));
            st.versionNumber = versionNumberOf(st.version);
            acadver = st.versionNumber != 0;
        } else if (name == "$DWGCODEPAGE") {
            dwgcp = trim(v.value);
        } else if (name == "$HANDSEED") {
            uint64_t s = 0;
            if (parseHex(v.value, s) && s > st.nextHandle) st.nextHandle = s;
        } else if (name == "$HANDLING") {
            long long on = 1;
            parseInt(v.value, on);
            handling = on != 0 ? 1 : 0;
        }
    }
    if (!acadver) {
        // Other programs write R12 files without it; so does every R12 writer that came first.
        st.note(L"$ACADVER is missing or unreadable; the drawing is treated as AC1009 (R12)");
        st.version = "AC1009";
        st.versionNumber = 1009;
    }
    // R12 files carry handles only when $HANDLING says so.
    st.handles = handling == 1 || (handling < 0 && st.versionNumber > 1009);
    if (st.versionNumber >= 1021) {
        st.utf8 = true;
        return;
    }
    chooseCodePage(st, dwgcp);
}

AcDbSymbolTable* Loader::makeTable(std::string_view name) {
    struct T { const char* name; AcDbSymbolTable* (*make)(); AcDbSymbolTable* Store::*slot; };
    static const T kTables[] = {
        {"BLOCK_RECORD", [] { return static_cast<AcDbSymbolTable*>(new AcDbBlockTable()); }, &Store::blockTable},
        {"LAYER", [] { return static_cast<AcDbSymbolTable*>(new AcDbLayerTable()); }, &Store::layerTable},
        {"STYLE", [] { return static_cast<AcDbSymbolTable*>(new AcDbTextStyleTable()); }, &Store::styleTable},
        {"LTYPE", [] { return static_cast<AcDbSymbolTable*>(new AcDbLinetypeTable()); }, &Store::linetypeTable},
        {"APPID", [] { return static_cast<AcDbSymbolTable*>(new AcDbRegAppTable()); }, &Store::appidTable},
        {"DIMSTYLE", [] { return static_cast<AcDbSymbolTable*>(new AcDbDimStyleTable()); }, &Store::dimstyleTable},
        {"VPORT", [] { return static_cast<AcDbSymbolTable*>(new AcDbViewportTable()); }, &Store::vportTable},
        {"VIEW", [] { return static_cast<AcDbSymbolTable*>(new AcDbViewTable()); }, &Store::viewTable},
        {"UCS", [] { return static_cast<AcDbSymbolTable*>(new AcDbUCSTable()); }, &Store::ucsTable},
    };
    for (const T& t : kTables)
        if (name == t.name) {
            AcDbSymbolTable* table = t.make();
            Access::setKind(table, kTable);
            Access::dropTemplate(table);
            if (!(st.*t.slot)) st.*t.slot = table;
            return table;
        }
    auto* table = static_cast<AcDbSymbolTable*>(makeObject(kTable));
    return table;
}

bool Loader::run(std::wstring& message) {
    // Comments (999) before the first record: other writers sign their files this way.
    if (n > 0 && code(0) == kComment) {
        while (i < n && code(i) == kComment) ++i;
        AcDbObject* o = makeObject(kGeneric);
        Access::setLoaded(o, 0, static_cast<uint32_t>(i), 0, tagEnd(st, st.tags[i - 1]));
        Access::setDatabase(o, st.db);
        st.objects.emplace_back(o);
        st.prologue = o;
    }
    while (i < n) {
        if (code(i) != 0) {
            st.note(L"line " + num(line(i)) + L": group code " + num(static_cast<size_t>(code(i))) +
                    L" outside a record was skipped");
            ++i;
            continue;
        }
        std::string_view t = typeAt(i);
        if (t == "EOF") {
            st.eof = take(kEof);
            size_t e = tagEnd(st, st.tags[i - 1]);
            if (e < st.fileSize) st.trailer = st.buffer.substr(e, st.fileSize - e);
            break;
        }
        if (t != "SECTION") {
            st.note(L"line " + num(line(i)) + L": " + wide(t) + L" outside a section was skipped");
            ++i;
            while (i < n && code(i) != 0) ++i;
            continue;
        }
        size_t nameAt = i + 1;
        while (nameAt < n && code(nameAt) == kComment) ++nameAt;
        if (nameAt >= n || code(nameAt) != 2) {
            message = L"line " + num(line(i)) + L": SECTION without a name";
            return false;
        }
        std::string_view name = trim(val(nameAt));
        Section s;
        s.kind = name == "HEADER" ? SectionKind::Header
               : name == "CLASSES" ? SectionKind::Classes
               : name == "TABLES" ? SectionKind::Tables
               : name == "BLOCKS" ? SectionKind::Blocks
               : name == "ENTITIES" ? SectionKind::Entities
               : name == "OBJECTS" ? SectionKind::Objects : SectionKind::Other;
        s.begin = take(kSectionBegin);
        st.sections.push_back(std::move(s));
        Section& sec = st.sections.back();
        switch (sec.kind) {
        case SectionKind::Header: header(sec.begin); break;
        case SectionKind::Classes: classes(sec); break;
        case SectionKind::Tables: tables(sec); break;
        case SectionKind::Blocks: blocks(sec); break;
        case SectionKind::Entities: entities(sec); break;
        case SectionKind::Objects: objects(sec); break;
        case SectionKind::Other: other(sec); break;
        }
        if (isZero(i, "ENDSEC")) {
            sec.end = take(kSectionEnd);
        } else {
            st.note(L"line " + num(line(i < n ? i : n)) + L": section " + wide(name) +
                    L" has no ENDSEC; it was closed");
        }
    }
    if (!st.eof) st.note(L"the file has no EOF; it was added");
    return true;
}

void Loader::classes(Section& s) {
    while (i < n && !isZero(i, "ENDSEC") && !isZero(i, "SECTION")) s.items.push_back(take(kClass));
}

void Loader::other(Section& s) {
    while (i < n && !isZero(i, "ENDSEC") && !isZero(i, "SECTION") && !isZero(i, "EOF")) s.items.push_back(take(kGeneric));
}

void Loader::tables(Section& s) {
    while (i < n && !isZero(i, "ENDSEC") && !isZero(i, "SECTION")) {
        if (!isZero(i, "TABLE")) {
            st.note(L"line " + num(line(i)) + L": " + wide(typeAt(i)) + L" outside a table was skipped");
            ++i;
            while (i < n && code(i) != 0) ++i;
            continue;
        }
        // The table's name is its code 2, wherever the writer put it among the head's tags.
        std::string_view name;
        for (size_t k = i + 1; k < n && code(k) != 0; ++k)
            if (code(k) == 2) {
                name = trim(val(k));
                break;
            }
        size_t first = i;
        AcDbSymbolTable* table = makeTable(name);
        // take() for a table object made here.
        ++i;
        while (i < n && code(i) != 0) ++i;
        Access::setLoaded(table, static_cast<uint32_t>(first), static_cast<uint32_t>(i - first),
                          recordStart(st, first), tagEnd(st, st.tags[i - 1]));
        Access::setDatabase(table, st.db);
        st.objects.emplace_back(table);
        scanHandle(table, first, i);
        s.items.push_back(table);
        while (i < n && code(i) == 0 && !isZero(i, "ENDTAB") && !isZero(i, "TABLE") && !isZero(i, "ENDSEC")) {
            Kind k = kindOfType(typeAt(i), false);
            if (!fitsTable(k, name)) {
                // Only table entries can live in a table; anything else is damage.
                st.note(L"line " + num(line(i)) + L": " + wide(typeAt(i)) + L" inside a table is not a table entry; it was dropped");
                ++i;
                while (i < n && code(i) != 0) ++i;
                continue;
            }
            auto* rec = static_cast<AcDbSymbolTableRecord*>(take(k));
            Access::setOwner(rec, table);
            Access::records(table).push_back(rec);
        }
        if (isZero(i, "ENDTAB")) Access::tableEnd(table) = take(kTableEnd);
        else st.note(L"line " + num(line(i < n ? i : n - 1)) + L": table " + wide(name) + L" has no ENDTAB; it was closed");
    }
    for (AcDbSymbolTableRecord* r : st.layerTable ? st.layerTable->records() : std::vector<AcDbSymbolTableRecord*>()) {
        int k = findField(r, Field{nullptr, 0, 2});
        if (k >= 0 && AcDbLayerTableRecord::cast(r))
            layerByRaw.emplace(Access::tag(r, static_cast<size_t>(k)).value, static_cast<AcDbLayerTableRecord*>(r));
    }
    if (st.blockTable) {
        for (AcDbSymbolTableRecord* r : st.blockTable->records()) {
            auto* b = AcDbBlockTableRecord::cast(r);
            if (!b) continue;
            std::wstring nm = b->name().str();
            if (!st.modelSpace && sameName(nm, L"*Model_Space")) st.modelSpace = b;
            if (!st.paperSpace && sameName(nm, L"*Paper_Space")) st.paperSpace = b;
        }
    }
}

AcDbBlockTableRecord* Loader::syntheticBlock(const std::wstring& name) {
    if (!st.blockTable) {
        st.blockTable = static_cast<AcDbSymbolTable*>(new AcDbBlockTable());
        Access::setKind(st.blockTable, kTable);
        Access::dropTemplate(st.blockTable);
        Access::setDatabase(st.blockTable, st.db);
        Access::setFlag(st.blockTable, fSynthetic, true);
        st.objects.emplace_back(st.blockTable);
    }
    auto* b = static_cast<AcDbBlockTableRecord*>(makeObject(kBlockRecord));
    Access::setDatabase(b, st.db);
    Access::setFlag(b, fSynthetic, true);
    Access::setOwner(b, st.blockTable);
    st.objects.emplace_back(b);
    Access::records(st.blockTable).push_back(b);
    noHandle.push_back(b);
    if (!name.empty()) {
        if (!st.modelSpace && sameName(name, L"*Model_Space")) st.modelSpace = b;
        if (!st.paperSpace && sameName(name, L"*Paper_Space")) st.paperSpace = b;
    }
    return b;
}

AcDbBlockTableRecord* Loader::blockFor(AcDbObject* begin) {
    uint64_t owner = ownerHandle(begin);
    if (owner)
        if (auto* b = AcDbBlockTableRecord::cast(st.byHandleOrNull(owner))) return b;
    std::wstring name = getText(begin, Field{nullptr, 0, 2});
    if (sameName(name, L"$MODEL_SPACE")) name = L"*Model_Space";
    if (sameName(name, L"$PAPER_SPACE")) name = L"*Paper_Space";
    if (st.blockTable)
        if (auto* r = findRecord(st.blockTable, name))
            if (auto* b = AcDbBlockTableRecord::cast(r))
                if (!Access::blockBegin(b)) return b;
    if (st.versionNumber > 1009)
        st.note(L"block \"" + name + L"\" has no block record; it is kept without one");
    auto* b = syntheticBlock(name);
    Access::blockBegin(b) = begin;  // the name comes from BLOCK
    if (!st.modelSpace && sameName(name, L"*Model_Space")) st.modelSpace = b;
    if (!st.paperSpace && sameName(name, L"*Paper_Space")) st.paperSpace = b;
    return b;
}

AcDbLayerTableRecord* Loader::layerFor(AcDbEntity* e) {
    int k = findField(e, Field{"AcDbEntity", 0, 8});
    std::string_view raw = k >= 0 ? Access::tag(e, static_cast<size_t>(k)).value : std::string_view("0");
    auto it = layerByRaw.find(raw);
    if (it != layerByRaw.end()) return it->second;
    std::wstring name = k >= 0 ? decodeText(Access::tag(e, static_cast<size_t>(k)), &st) : L"0";
    auto* rec = static_cast<AcDbLayerTableRecord*>(findRecord(st.layerTable, name));
    if (!rec && st.layerTable && st.versionNumber > 1009) rec = ensureLayer(st, name, true);
    if (rec) layerByRaw.emplace(raw, rec);
    return rec;
}

AcDbEntity* Loader::entity(AcDbBlockTableRecord* space, bool fromBlocks) {
    size_t at = i;
    // Building objects is the last of the read's three passes; entities are nearly all of it.
    if (st.tags[i].off >= nextReport) {
        nextReport = st.tags[i].off + kReportEvery;
        if (!reportRead(2 * uint64_t(st.buffer.size()) + st.tags[i].off, 3 * uint64_t(st.buffer.size()))) {
            i = n;  // every loop of the reader ends at the end of the tags
            return nullptr;
        }
    }
    Kind k = kindOfType(typeAt(i), true);
    // A record type that is not an entity (a DICTIONARY, a LAYER ...) among entities is kept as
    // an entity of unknown type: it is written back as it came, and nothing takes it for what
    // its name says.
    if (k < kLine || k > kUnknownEntity) k = kUnknownEntity;
    if (k == kAttrib || k == kVertex || k == kSeqEnd) {
        st.note(L"line " + num(line(at)) + L": " + wide(typeAt(at)) + L" without its INSERT or POLYLINE was dropped");
        ++i;
        while (i < n && code(i) != 0) ++i;
        return nullptr;
    }
    auto* e = static_cast<AcDbEntity*>(take(k));
    Access::setOwner(e, space);
    Access::setLayerOf(e, layerFor(e));
    if (fromBlocks) Access::setFlag(e, fFromBlocks, true);
    if (k != kInsert && k != kPolyline) return e;
    Kind child = k == kInsert ? kAttrib : kVertex;
    bool follows = getInt(e, Field{nullptr, 0, 66}, 0) == 1;
    std::vector<AcDbEntity*>& kids = k == kInsert ? Access::attributes(static_cast<AcDbBlockReference*>(e))
                                                  : Access::vertices(static_cast<AcDb2dPolyline*>(e));
    AcDbEntity*& seqend = k == kInsert ? Access::seqend(static_cast<AcDbBlockReference*>(e))
                                       : Access::seqend(static_cast<AcDb2dPolyline*>(e));
    while (i < n && code(i) == 0 && kindOfType(typeAt(i), true) == child) {
        auto* c = static_cast<AcDbEntity*>(take(child));
        Access::setOwner(c, e);
        Access::setFlag(c, fOwnedByParent, true);
        Access::setLayerOf(c, layerFor(c));
        kids.push_back(c);
    }
    if (i < n && code(i) == 0 && typeAt(i) == "SEQEND") {
        seqend = static_cast<AcDbEntity*>(take(kSeqEnd));
        Access::setOwner(seqend, e);
        Access::setFlag(seqend, fOwnedByParent, true);
        Access::setLayerOf(seqend, layerFor(seqend));
    } else if (follows || !kids.empty()) {
        st.note(L"line " + num(line(at)) + L": " + wide(typeAt(at)) + L" has no SEQEND after its " +
                (k == kInsert ? L"attributes" : L"vertices") + L"; one was added");
        seqend = static_cast<AcDbEntity*>(newObject(kSeqEnd));
        Access::setDatabase(seqend, st.db);
        st.objects.emplace_back(seqend);
        Access::setOwner(seqend, e);
        Access::setFlag(seqend, fOwnedByParent, true);
        setText(seqend, Field{"AcDbEntity", 0, 8}, getText(e, Field{"AcDbEntity", 0, 8}, L"0"));
        Access::fitToVersion(seqend, st);
        noHandle.push_back(seqend);
    }
    return e;
}

void Loader::blocks(Section& s) {
    while (i < n && !isZero(i, "ENDSEC") && !isZero(i, "SECTION")) {
        if (!isZero(i, "BLOCK")) {
            st.note(L"line " + num(line(i)) + L": " + wide(typeAt(i)) + L" outside a block was dropped");
            ++i;
            while (i < n && code(i) != 0) ++i;
            continue;
        }
        AcDbObject* begin = take(kBlockBegin);
        AcDbBlockTableRecord* b = blockFor(begin);
        Access::blockBegin(b) = begin;
        Access::setOwner(begin, b);
        s.items.push_back(b);
        while (i < n && code(i) == 0 && !isZero(i, "ENDBLK") && !isZero(i, "BLOCK") && !isZero(i, "ENDSEC"))
            if (AcDbEntity* e = entity(b, true)) Access::entities(b).push_back(e);
        if (isZero(i, "ENDBLK")) {
            AcDbObject* end = take(kBlockEnd);
            Access::setOwner(end, b);
            Access::blockEnd(b) = end;
        } else {
            st.note(L"line " + num(line(i < n ? i : n - 1)) + L": block \"" + b->name().str() +
                    L"\" has no ENDBLK; one was added");
        }
    }
}

void Loader::entities(Section& s) {
    (void)s;
    if (!st.modelSpace) st.modelSpace = syntheticBlock(L"*Model_Space");
    while (i < n && !isZero(i, "ENDSEC") && !isZero(i, "SECTION") && !isZero(i, "EOF")) {
        size_t at = i;
        bool paper = false;
        for (size_t k = i + 1; k < n && code(k) != 0; ++k)
            if (code(k) == 67) {
                long long v = 0;
                paper = parseInt(val(k), v) && v == 1;
                break;
            }
        AcDbBlockTableRecord* space = st.modelSpace;
        if (paper) {
            if (!st.paperSpace) st.paperSpace = syntheticBlock(L"*Paper_Space");
            space = st.paperSpace;
        }
        AcDbEntity* e = entity(space, false);
        if (!e) continue;
        uint64_t owner = st.versionNumber > 1009 ? ownerHandle(e) : 0;
        if (owner && owner != Access::handle(space)) {
            AcDbObject* o = st.byHandleOrNull(owner);
            if (auto* b = AcDbBlockTableRecord::cast(o)) {
                space = b;
                Access::setOwner(e, b);
            } else {
                st.note(L"line " + num(line(at)) + L": owner " + wide(formatHex(owner)) +
                        L" of this entity does not exist; it was given to " + space->name().str());
                ownerOf[e] = 0;
            }
        }
        Access::entities(space).push_back(e);
    }
}

void Loader::objects(Section& s) {
    while (i < n && !isZero(i, "ENDSEC") && !isZero(i, "SECTION") && !isZero(i, "EOF")) {
        AcDbObject* o = take(kindOfType(typeAt(i), false));
        if (!st.nod && Access::kind(o) == kDictionary) st.nod = static_cast<AcDbDictionary*>(o);
        s.items.push_back(o);
    }
}

void Loader::finish() {
    // New handles above every handle in the file.
    uint64_t maxH = 0;
    for (auto& kv : st.byHandle) maxH = std::max(maxH, kv.first);
    st.nextHandle = std::max(st.nextHandle, maxH + 1);
    for (AcDbObject* o : noHandle) {
        bool internal = st.versionNumber <= 1009 || (Access::flags(o) & fSynthetic);
        Access::setHandle(o, internal ? st.internalHandle++ : st.newHandle());
        st.byHandle.emplace(Access::handle(o), o);
        if (internal || Access::tagCount(o) == 0) continue;
        if (st.versionNumber > 1009 || st.handles) {
            Field hf{nullptr, 0, static_cast<int16_t>(Access::kind(o) == kDimStyle ? 105 : 5)};
            if (findField(o, hf) >= 0) setHandle(o, hf, Access::handle(o));
            else if (st.versionNumber > 1009) {
                OwnTags& own = Access::edit(o);
                own.tags.insert(own.tags.begin() + 1, OwnTag{hf.code, false, formatHex(Access::handle(o))});
            }
        }
    }
    // Owners of the objects section, and repaired owners of entities.
    if (Section* s = st.section(SectionKind::Objects))
        for (AcDbObject* o : s->items) Access::setOwner(o, st.byHandleOrNull(ownerHandle(o)));
    for (auto& kv : ownerOf) setHandle(kv.first, Field{nullptr, 0, 330}, Access::handle(Access::owner(kv.first)));
    // Synthetic SEQENDs point at their parent.
    for (auto& o : st.objects)
        if (Access::kind(o.get()) == kSeqEnd && Access::isEdited(o.get()) && Access::owner(o.get()) &&
            findField(o.get(), Field{nullptr, 0, 330}) >= 0)
            setHandle(o.get(), Field{nullptr, 0, 330}, Access::handle(Access::owner(o.get())));
    st.modified = false;
}

}  // namespace

namespace {
struct CodePageName {
    const char* dwg;
    const char* iconv;
};
const CodePageName kCodePages[] = {
        {"ANSI_936", "GBK"},       {"ANSI_932", "CP932"},     {"ANSI_949", "CP949"},   {"ANSI_950", "CP950"},
        {"ANSI_874", "CP874"},     {"ANSI_1250", "CP1250"},   {"ANSI_1251", "CP1251"}, {"ANSI_1252", "CP1252"},
        {"ANSI_1253", "CP1253"},   {"ANSI_1254", "CP1254"},   {"ANSI_1255", "CP1255"}, {"ANSI_1256", "CP1256"},
        {"ANSI_1257", "CP1257"},   {"ANSI_1258", "CP1258"},   {"ANSI_1361", "JOHAB"},  {"DOS437", "CP437"},
        {"DOS850", "CP850"},       {"ISO8859-1", "ISO-8859-1"}, {"UTF8", "UTF-8"},
};
}  // namespace

std::string dwgCodePageName(std::string_view iconvName) {
    for (const CodePageName& m : kCodePages)
        if (iconvName == m.iconv) return m.dwg;
    return {};
}

std::string iconvCodePage(std::string_view cp) {
    std::string up;
    for (char c : cp) up += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const CodePageName& m : kCodePages)
        if (up == m.dwg) return m.iconv;
    return {};
}

Acad::ErrorStatus read(Store& st, std::string bytes, std::wstring& message) {
    beginRead();
    st.clear();
    message.clear();
    if (bytes.size() >= 22 && bytes.compare(0, 18, "AutoCAD Binary DXF") == 0) {
        std::string text;
        if (!binaryToText(bytes, text, message)) return Acad::eDxfReadAborted;
        bytes.swap(text);
        st.binary = true;
    }
    if (bytes.size() > 0xFFFFFF00u) {
        message = L"the file is larger than 4 GB, which this host does not read";
        return Acad::eOutOfMemory;
    }
    st.buffer = std::move(bytes);
    size_t start = st.buffer.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    size_t nl = st.buffer.find('\n');
    st.eol = nl != std::string::npos && nl > 0 && st.buffer[nl - 1] == '\r' ? "\r\n" : "\n";
    TokenizeResult tr;
    if (!tokenize(st.buffer, start, st.tags, tr) && tr.stopped) {
        message = L"the load was cancelled";
        st.clear();
        return Acad::eUserBreak;
    }
    if (tr.badLine) {
        message = L"line " + num(tr.badLine) + L": \"" + wide(tr.badText) + L"\" is not a group code";
        st.clear();
        return Acad::eInvalidDxfCode;
    }
    if (tr.truncatedLine) st.note(L"line " + num(tr.truncatedLine) + L": the file ends after a group code");
    if (st.tags.empty()) {
        message = L"the file holds no DXF data";
        st.clear();
        return Acad::eDxfReadAborted;
    }
    st.fileSize = st.buffer.size();
    complete(st);
    Loader ld(st);
    st.objects.reserve(st.tags.size() / 8);
    st.byHandle.reserve(st.tags.size() / 8);
    bool ok = ld.run(message);
    ld.finish();
    if (readStopped()) {
        message = L"the load was cancelled";
        st.clear();
        return Acad::eUserBreak;
    }
    if (!ok) {
        st.clear();
        return Acad::eDxfReadAborted;
    }
    if (!st.header) {
        st.note(L"the file has no HEADER section; it is read as AC1009 (R12)");
        st.version = "AC1009";
        st.versionNumber = 1009;
        chooseCodePage(st, {});
    }
    if (!st.blockTable || !st.layerTable || !st.modelSpace) {
        message = L"the file has no block or layer table: it is not a drawing this host can use";
        st.clear();
        return Acad::eDxfReadAborted;
    }
    reportRead(3 * uint64_t(st.buffer.size()), 3 * uint64_t(st.buffer.size()));
    return Acad::eOk;
}

}  // namespace vx::dxf
