// The table of entity kinds and what every kind shares: properties to pens, visibility.
#include "render/kinds.h"

#include <cmath>
#include <cstring>

#include "db/access.h"
#include "render/palette.h"

namespace vx::render {

using vx::db::Access;
using vx::db::Kind;

namespace {

struct KindEntry {
    Kind kind;
    const char* type;  // for kinds the database keeps as unknown entities
    KindFn fn;
};

const KindEntry kKinds[] = {
    {vx::db::kLine, nullptr, describeLine},
    {vx::db::kCircle, nullptr, describeCircle},
    {vx::db::kArc, nullptr, describeArc},
    {vx::db::kEllipse, nullptr, describeEllipse},
    {vx::db::kPoint, nullptr, describePoint},
    {vx::db::kSolid, nullptr, describeSolid},
    {vx::db::kLwPolyline, nullptr, describeLwPolyline},
    {vx::db::kPolyline, nullptr, describePolyline},
    {vx::db::kText, nullptr, describeText},
    {vx::db::kAttDef, nullptr, describeText},
    {vx::db::kAttrib, nullptr, describeText},
    {vx::db::kMText, nullptr, describeMText},
    {vx::db::kHatch, nullptr, describeHatch},
    {vx::db::kUnknownEntity, "TRACE", describeSolid},
    {vx::db::kUnknownEntity, "3DFACE", describeFace},
    {vx::db::kUnknownEntity, "XLINE", describeInfiniteLine},
    {vx::db::kUnknownEntity, "RAY", describeInfiniteLine},
    {vx::db::kUnknownEntity, "SPLINE", describeSpline},
    {vx::db::kUnknownEntity, "LEADER", describeLeader},
    {vx::db::kUnknownEntity, "WIPEOUT", describeWipeout},
    {vx::db::kUnknownEntity, "IMAGE", describeImage},
};

const KindEntry* entryOf(const AcDbEntity* e) {
    const Kind k = Access::kind(e);
    const std::string_view type = k == vx::db::kUnknownEntity ? Access::typeName(e) : std::string_view();
    for (const KindEntry& x : kKinds)
        if (x.kind == k && (!x.type || type == x.type)) return &x;
    return nullptr;
}

bool unknownOfType(const AcDbEntity* e, const char* type) {
    return Access::kind(e) == vx::db::kUnknownEntity && Access::typeName(e) == type;
}

}  // namespace

bool isReference(const AcDbEntity* e) {
    const Kind k = Access::kind(e);
    return k == vx::db::kInsert || k == vx::db::kDimension;
}

bool isViewport(const AcDbEntity* e) { return Access::kind(e) == vx::db::kViewport; }

bool isUnbounded(const AcDbEntity* e) { return unknownOfType(e, "XLINE") || unknownOfType(e, "RAY"); }

bool isWipeout(const AcDbEntity* e) { return unknownOfType(e, "WIPEOUT"); }

PenKey penKeyOf(const EntityProps& p, BuildContext& ctx, bool& hidden) {
    const LayerInfo& layer = ctx.tables.layer(p.layer);
    const HeaderVars& h = ctx.tables.header();
    PenKey k;
    k.layer0 = ctx.inBlock && layer.zero;
    hidden = p.invisible || (!k.layer0 && !layer.shown(ctx.plotting)) ||
             (!ctx.inBlock && ctx.frozenLayers && ctx.frozenLayers->count(p.layer));
    const Source byLayer = k.layer0 ? Source::ByLayer0 : Source::Own;
    if (p.trueColor >= 0) {
        k.color = trueColor(static_cast<uint32_t>(p.trueColor));
    } else if (p.color == 0) {
        k.colorFrom = Source::ByBlock;
    } else if (p.color == 256) {
        k.colorFrom = byLayer;
        k.color = layer.color;
    } else {
        k.color = aciColor(p.color);
    }
    if (p.lineweight == -2) {
        k.weightFrom = Source::ByBlock;
    } else if (p.lineweight == -1 || p.lineweight < -3 || p.lineweight > 211) {
        k.weightFrom = byLayer;
        k.weight = layer.lineweight;
    } else {
        k.weight = static_cast<int16_t>(p.lineweight == -3 ? h.lwdefault : p.lineweight);
    }
    bool ltByLayer = false, ltByBlock = false;
    const Linetype* lt = ctx.tables.linetype(p.linetype, p.linetypeUtf8, ltByLayer, ltByBlock);
    if (ltByBlock) {
        k.linetypeFrom = Source::ByBlock;
    } else if (ltByLayer) {
        k.linetypeFrom = byLayer;
        k.linetype = layer.linetype;
    } else {
        k.linetype = lt;
    }
    // Own values that stand for a source are cleared, so that equal pens compare equal.
    if (k.colorFrom != Source::Own) k.color = Color();
    if (k.weightFrom != Source::Own) k.weight = 0;
    if (k.linetypeFrom != Source::Own) k.linetype = nullptr;
    k.ltscale = p.ltscale * h.ltscale * ctx.ltFactor;
    return k;
}

Outcome describeEntity(const AcDbEntity* e, BuildContext& ctx, Shapes& s) {
    const KindEntry* entry = entryOf(e);
    if (!entry) return Outcome::Unknown;
    const EntityProps props = readProps(e);
    bool hidden = false;
    const PenKey key = penKeyOf(props, ctx, hidden);
    if (hidden && !s.measuring()) return Outcome::Hidden;
    s.setPen(key);
    if (!entry->fn(e, ctx, s) || s.damaged()) return Outcome::Damaged;
    return Outcome::Drawn;
}

// ---- Fields --------------------------------------------------------------------------------

Fields::Fields(const AcDbObject* o, std::initializer_list<int> codes) {
    for (int c : codes) {
        const bool isPoint = (c >= 10 && c < 40) || (c >= 210 && c < 240);
        for (int k : {c, c + 10, c + 20}) {
            if (m_count < kMax && slot(k) < 0) {
                m_codes[m_count] = k;
                m_found[m_count] = false;
                ++m_count;
            }
            if (!isPoint) break;
        }
    }
    const size_t n = Access::tagCount(o);
    for (size_t i = 1; i < n; ++i) {
        const vx::db::TagRef t = Access::tag(o, i);
        if (t.code == 1001) break;
        const int at = slot(t.code);
        if (at >= 0 && !m_found[at]) {
            m_found[at] = true;
            m_values[at] = t.value;
        }
    }
}

int Fields::slot(int code) const {
    for (int i = 0; i < m_count; ++i)
        if (m_codes[i] == code) return i;
    return -1;
}

bool Fields::has(int code) const {
    const int at = slot(code);
    return at >= 0 && m_found[at];
}

double Fields::real(int code, double def) const {
    const int at = slot(code);
    return at >= 0 && m_found[at] ? tagReal(m_values[at], def) : def;
}

long long Fields::integer(int code, long long def) const {
    const int at = slot(code);
    return at >= 0 && m_found[at] ? tagInt(m_values[at], def) : def;
}

AcGePoint3d Fields::point(int code, const AcGePoint3d& def) const {
    if (!has(code)) return def;
    return AcGePoint3d(real(code), real(code + 10), real(code + 20));
}

AcGeVector3d Fields::normal() const {
    const AcGePoint3d n = point(210, AcGePoint3d(0, 0, 1));
    const AcGeVector3d v(n.x, n.y, n.z);
    return v.length() > 1e-12 && finite(n) ? v.normal() : AcGeVector3d::kZAxis;
}

}  // namespace vx::render
