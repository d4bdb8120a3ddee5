// Converting entities for an R12 drawing. The replacements are built as tags in R12 form (no
// subclass markers); the deep copy then gives them handles and owners like any other copy.
#include "db/r12_convert.h"

#include <cmath>

#include "db/access.h"
#include "db/ocs.h"
#include "db/registry.h"
#include "db/text_metrics.h"
#include "text/encoding.h"

namespace vx::db {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Segments of a whole ellipse: finer than a plotter pen on any sheet a frame is drawn for.
constexpr int kEllipseSegments = 96;

class Builder {
public:
    Builder(Kind k, const char* type) : e_(static_cast<AcDbEntity*>(makeObject(k))), own_(Access::edit(e_.get())) {
        raw(0, type);
        raw(5, "0");
        raw(330, "0");
    }
    void raw(int code, std::string v) { own_.tags.push_back({static_cast<int16_t>(code), false, std::move(v)}); }
    void text(int code, std::wstring_view v) { own_.tags.push_back({static_cast<int16_t>(code), true, vx::text::toUtf8(v)}); }
    void real(int code, double v) { raw(code, formatDouble(v)); }
    void integer(int code, long long v) { raw(code, std::to_string(v)); }
    void point(int code, const AcGePoint3d& p) {
        real(code, p.x);
        real(code + 10, p.y);
        real(code + 20, p.z);
    }
    void normal(const AcGeVector3d& n) {
        if (!isWorldZ(n)) point(210, AcGePoint3d(n.x, n.y, n.z));
    }
    // Layer, linetype and colour of the entity replaced.
    void properties(const AcDbEntity* from) {
        text(8, getText(from, Field{"AcDbEntity", 0, 8}, L"0"));
        if (hasField(from, Field{"AcDbEntity", 0, 6})) text(6, getText(from, Field{"AcDbEntity", 0, 6}));
        if (hasField(from, Field{"AcDbEntity", 0, 62})) integer(62, getInt(from, Field{"AcDbEntity", 0, 62}));
    }
    AcDbEntity* get() const { return e_.get(); }
    std::unique_ptr<AcDbEntity> release() { return std::move(e_); }

private:
    std::unique_ptr<AcDbEntity> e_;
    OwnTags& own_;
};

struct PolyVertex {
    double x = 0, y = 0, startWidth = 0, endWidth = 0, bulge = 0;
};

// A 2D POLYLINE with its VERTEX records and SEQEND, in the plane of `normal`.
std::unique_ptr<AcDbEntity> polyline(const AcDbEntity* from, const std::vector<PolyVertex>& vs, bool closed,
                                     double elevation, double thickness, double constWidth, const AcGeVector3d& normal) {
    Builder p(kPolyline, "POLYLINE");
    p.properties(from);
    p.integer(66, 1);
    p.point(10, AcGePoint3d(0, 0, elevation));
    if (thickness != 0) p.real(39, thickness);
    p.integer(70, closed ? 1 : 0);
    if (constWidth != 0) {
        p.real(40, constWidth);
        p.real(41, constWidth);
    }
    p.normal(normal);
    auto* poly = static_cast<AcDb2dPolyline*>(p.get());
    const std::wstring layer = getText(from, Field{"AcDbEntity", 0, 8}, L"0");
    for (const PolyVertex& v : vs) {
        Builder b(kVertex, "VERTEX");
        b.text(8, layer);
        b.point(10, AcGePoint3d(v.x, v.y, elevation));
        if (v.startWidth != constWidth || v.endWidth != constWidth) {
            b.real(40, v.startWidth);
            b.real(41, v.endWidth);
        }
        if (v.bulge != 0) b.real(42, v.bulge);
        b.integer(70, 0);
        Access::vertices(poly).push_back(b.release().release());
    }
    Builder s(kSeqEnd, "SEQEND");
    s.text(8, layer);
    Access::seqend(poly) = s.release().release();
    return p.release();
}

R12Conversion fromLwPolyline(const AcDbEntity* e) {
    std::vector<PolyVertex> vs;
    long long flags = 0;
    double constWidth = 0, elevation = 0, thickness = 0;
    bool markers = false, in = true;
    size_t n = Access::tagCount(e);
    for (size_t i = 1; i < n; ++i) markers = markers || Access::tag(e, i).code == 100;
    in = !markers;
    for (size_t i = 1; i < n; ++i) {
        TagRef t = Access::tag(e, i);
        if (t.code == 1001 || t.code == 102) {
            if (t.code == 1001) break;
            continue;
        }
        if (t.code == 100) {
            in = t.value == "AcDbPolyline";
            continue;
        }
        if (!in) continue;
        double d = 0;
        parseDouble(t.value, d);
        switch (t.code) {
        case 70: parseInt(t.value, flags); break;
        case 43: constWidth = d; break;
        case 38: elevation = d; break;
        case 39: thickness = d; break;
        case 10: vs.emplace_back(); vs.back().x = d; vs.back().startWidth = vs.back().endWidth = -1; break;
        case 20: if (!vs.empty()) vs.back().y = d; break;
        case 40: if (!vs.empty()) vs.back().startWidth = d; break;
        case 41: if (!vs.empty()) vs.back().endWidth = d; break;
        case 42: if (!vs.empty()) vs.back().bulge = d; break;
        default: break;
        }
    }
    R12Conversion r;
    if (vs.empty()) {
        r.leftOutBecause = L"it has no vertices";
        return r;
    }
    for (PolyVertex& v : vs) {
        if (v.startWidth < 0) v.startWidth = constWidth;
        if (v.endWidth < 0) v.endWidth = constWidth;
    }
    AcGeVector3d normal = getVector(e, Field{nullptr, 0, 210}, AcGeVector3d(0, 0, 1));
    r.entities.push_back(polyline(e, vs, (flags & 1) != 0, elevation, thickness, constWidth, normal));
    return r;
}

R12Conversion fromEllipse(const AcDbEntity* e) {
    const AcGePoint3d c = getPoint(e, Field{nullptr, 0, 10});
    const AcGeVector3d major = getVector(e, Field{nullptr, 0, 11}, AcGeVector3d(1, 0, 0));
    AcGeVector3d normal = getVector(e, Field{nullptr, 0, 210}, AcGeVector3d(0, 0, 1));
    const double ratio = getReal(e, Field{nullptr, 0, 40}, 1.0);
    double t0 = getReal(e, Field{nullptr, 0, 41}, 0.0), t1 = getReal(e, Field{nullptr, 0, 42}, kTwoPi);
    R12Conversion r;
    if (major.isZeroLength() || normal.isZeroLength() || !(ratio > 0)) {
        r.leftOutBecause = L"its axes are degenerate";
        return r;
    }
    normal = normal * (1.0 / normal.length());
    const AcGeVector3d minor = normal.crossProduct(major) * ratio;
    while (t1 <= t0) t1 += kTwoPi;
    const double span = t1 - t0;
    const bool whole = span >= kTwoPi - 1e-9;
    const int segs = std::max(8, static_cast<int>(std::ceil(kEllipseSegments * span / kTwoPi)));
    const double elevation = worldToPlane(c, normal).z;
    std::vector<PolyVertex> vs;
    for (int k = 0; k < (whole ? segs : segs + 1); ++k) {
        double t = t0 + span * k / segs;
        AcGePoint3d w = c + major * std::cos(t) + minor * std::sin(t);
        AcGePoint3d p = worldToPlane(w, normal);
        PolyVertex v;
        v.x = p.x;
        v.y = p.y;
        vs.push_back(v);
    }
    r.entities.push_back(polyline(e, vs, whole, elevation, 0, 0, normal));
    return r;
}

R12Conversion fromMText(const AcDbEntity* e) {
    const auto* m = static_cast<const AcDbMText*>(e);
    std::wstring plain = m->text().str();
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        size_t nl = plain.find(L'\n', start);
        lines.push_back(plain.substr(start, nl == std::wstring::npos ? std::wstring::npos : nl - start));
        if (nl == std::wstring::npos) break;
        start = nl + 1;
    }
    R12Conversion r;
    const double height = m->textHeight();
    const double pitch = height * 5.0 / 3.0 * getReal(e, Field{"AcDbMText", 0, 44}, 1.0);
    AcGeVector3d normal = m->normal();
    if (normal.isZeroLength()) normal = AcGeVector3d(0, 0, 1);
    normal = normal * (1.0 / normal.length());
    const AcGeVector3d dir = m->direction();
    const AcGeVector3d up = normal.crossProduct(dir);
    const int attach = static_cast<int>(m->attachment()) - 1;  // 0..8: rows top, middle, bottom
    const int column = attach % 3, row = attach / 3;
    const AcGePoint3d base = m->location();
    const std::wstring style = getText(e, Field{"AcDbMText", 0, 7}, L"");
    const AcGePoint3d ocsBase = worldToPlane(base, normal);
    const AcGePoint3d ocsDir = worldToPlane(base + dir, normal);
    const double rotation = std::atan2(ocsDir.y - ocsBase.y, ocsDir.x - ocsBase.x);
    const size_t count = lines.size();
    for (size_t i = 0; i < count; ++i) {
        if (lines[i].find_first_not_of(L" \t") == std::wstring::npos) continue;
        double above = row == 0 ? -static_cast<double>(i)
                     : row == 1 ? (static_cast<double>(count) - 1) / 2 - static_cast<double>(i)
                                : static_cast<double>(count - 1 - i);
        AcGePoint3d anchor = base + up * (above * pitch);
        // Start of the baseline, for readers that place by it alone.
        double drop = row == 0 ? height : row == 1 ? height / 2 : 0;
        AcGePoint3d start = anchor - dir * (textAdvance(lines[i], height, 1.0) * column / 2.0) - up * drop;
        Builder t(kText, "TEXT");
        t.properties(e);
        t.point(10, worldToPlane(start, normal));
        t.real(40, height);
        t.text(1, lines[i]);
        if (rotation != 0) t.real(50, rotation * 180.0 / 3.141592653589793);
        if (!style.empty()) t.text(7, style);
        if (column != 0) t.integer(72, column);
        t.point(11, worldToPlane(anchor, normal));
        t.normal(normal);
        t.integer(73, 3 - row);
        r.entities.push_back(t.release());
    }
    if (r.entities.empty()) r.leftOutBecause = L"it holds no text";
    return r;
}

// The one boundary of a solid hatch as straight edges, or false.
bool simpleBoundary(const AcDbEntity* e, std::vector<AcGePoint2d>& pts) {
    size_t n = Access::tagCount(e);
    size_t i = 1;
    bool in = false;
    for (; i < n; ++i) {
        TagRef t = Access::tag(e, i);
        if (t.code == 100) in = t.value == "AcDbHatch";
        if (in && t.code == 91) break;
    }
    long long paths = 0;
    if (i >= n || !parseInt(Access::tag(e, i).value, paths) || paths != 1) return false;
    auto next = [&](int code, double& v) {
        ++i;
        if (i >= n || Access::tag(e, i).code != code) return false;
        return parseDouble(Access::tag(e, i).value, v);
    };
    double flags = 0;
    if (!next(92, flags)) return false;
    double d = 0, x = 0, y = 0;
    if (static_cast<long long>(flags) & 2) {
        double bulges = 0, closed = 0, count = 0;
        if (!next(72, bulges) || !next(73, closed) || !next(93, count)) return false;
        for (long long k = 0; k < static_cast<long long>(count); ++k) {
            if (!next(10, x) || !next(20, y)) return false;
            pts.emplace_back(x, y);
            if (bulges != 0) {
                if (!next(42, d)) return false;
                if (d != 0) return false;
            }
        }
    } else {
        double count = 0;
        if (!next(93, count)) return false;
        for (long long k = 0; k < static_cast<long long>(count); ++k) {
            double type = 0, x2 = 0, y2 = 0;
            if (!next(72, type) || type != 1) return false;
            if (!next(10, x) || !next(20, y) || !next(11, x2) || !next(21, y2)) return false;
            pts.emplace_back(x, y);
        }
    }
    // Without repeated points (a closing vertex, a zero-length edge).
    std::vector<AcGePoint2d> kept;
    for (const AcGePoint2d& p : pts)
        if (kept.empty() || (p - kept.back()).length() > 1e-12) kept.push_back(p);
    if (kept.size() > 1 && (kept.front() - kept.back()).length() <= 1e-12) kept.pop_back();
    pts.swap(kept);
    if (pts.size() < 3) return false;
    // Convex, so that a fan of quadrilaterals covers it exactly.
    int sign = 0;
    for (size_t k = 0; k < pts.size(); ++k) {
        AcGeVector2d a = pts[(k + 1) % pts.size()] - pts[k];
        AcGeVector2d b = pts[(k + 2) % pts.size()] - pts[(k + 1) % pts.size()];
        double cross = a.x * b.y - a.y * b.x;
        int s = cross > 1e-12 ? 1 : cross < -1e-12 ? -1 : 0;
        if (s != 0 && sign != 0 && s != sign) return false;
        if (s != 0) sign = s;
    }
    return sign != 0;
}

R12Conversion fromHatch(const AcDbEntity* e) {
    R12Conversion r;
    if (!static_cast<const AcDbHatch*>(e)->isSolid()) {
        r.leftOutBecause = L"a pattern hatch has no R12 form";
        return r;
    }
    std::vector<AcGePoint2d> pts;
    if (!simpleBoundary(e, pts)) {
        r.leftOutBecause = L"its boundary is not one straight-edged convex outline";
        return r;
    }
    const double z = getPoint(e, Field{"AcDbHatch", 0, 10}).z;
    const AcGeVector3d normal = getVector(e, Field{"AcDbHatch", 0, 210}, AcGeVector3d(0, 0, 1));
    auto at = [&](size_t k) { return AcGePoint3d(pts[k].x, pts[k].y, z); };
    // A fan from the first corner; SOLID corners go 1, 2, 4, 3 around the outline.
    for (size_t k = 1; k + 1 < pts.size(); k += 2) {
        const size_t last = std::min(k + 2, pts.size() - 1);
        Builder s(kSolid, "SOLID");
        s.properties(e);
        s.point(10, at(0));
        s.point(11, at(k));
        s.point(12, at(last));
        s.point(13, at(k + 1));
        s.normal(normal);
        r.entities.push_back(s.release());
    }
    return r;
}

}  // namespace

bool needsR12Conversion(Kind k) { return k == kLwPolyline || k == kEllipse || k == kMText || k == kHatch; }

R12Conversion convertForR12(const AcDbEntity* e) {
    switch (Access::kind(e)) {
    case kLwPolyline: return fromLwPolyline(e);
    case kEllipse: return fromEllipse(e);
    case kMText: return fromMText(e);
    case kHatch: return fromHatch(e);
    default: return {};
    }
}

}  // namespace vx::db
