// SPLINE (NURBS from control points, knots and weights, or a curve through fit points) and
// LEADER (straight or spline path, filled arrow head).
#include <cmath>

#include "db/access.h"
#include "render/kinds.h"

namespace vx::render {

using vx::db::Access;
using vx::db::TagRef;

namespace {

// Appends the 3D points of one code (x at code, y at +10, z at +20) in order.
void pointTag(std::vector<AcGePoint3d>& pts, int code, int base, std::string_view v) {
    const double d = tagReal(v, 0);
    if (code == base) pts.emplace_back(d, 0, 0);
    else if (pts.empty()) return;
    else if (code == base + 10) pts.back().y = d;
    else pts.back().z = d;
}

// Dimension-style overrides a leader carries in its ACAD extended data ("DSTYLE" list of
// (1070 code, value) pairs).
void styleOverrides(const AcDbEntity* e, double& arrow, double& scale) {
    const size_t n = Access::tagCount(e);
    bool acad = false;
    for (size_t i = 1; i + 1 < n; ++i) {
        const TagRef t = Access::tag(e, i);
        if (t.code == 1001) acad = t.value == "ACAD";
        if (!acad || t.code != 1070) continue;
        const TagRef v = Access::tag(e, i + 1);
        const long long which = tagInt(t.value, 0);
        if (which == 41 && v.code == 1040) arrow = tagReal(v.value, arrow);
        if (which == 40 && v.code == 1040) scale = tagReal(v.value, scale);
    }
}

}  // namespace

bool describeSpline(const AcDbEntity* e, BuildContext&, Shapes& s) {
    Nurbs c;
    std::vector<AcGePoint3d> fit;
    AcGeVector3d startTangent, endTangent;
    bool hasStart = false, hasEnd = false;
    long long flags = 0;
    const size_t n = Access::tagCount(e);
    bool inSpline = false, markers = false;
    for (size_t i = 1; i < n; ++i) {
        const TagRef t = Access::tag(e, i);
        if (t.code == 1001) break;
        if (t.code == 100) {
            markers = true;
            inSpline = t.value == "AcDbSpline";
            continue;
        }
        if (markers && !inSpline) continue;
        switch (t.code) {
        case 70: flags = tagInt(t.value, 0); break;
        case 71: c.degree = static_cast<int>(tagInt(t.value, 3)); break;
        case 40: c.knots.push_back(tagReal(t.value, 0)); break;
        case 41: c.weights.push_back(tagReal(t.value, 1)); break;
        case 10: case 20: case 30: pointTag(c.points, t.code, 10, t.value); break;
        case 11: case 21: case 31: pointTag(fit, t.code, 11, t.value); break;
        case 12: startTangent.x = tagReal(t.value, 0), hasStart = true; break;
        case 22: startTangent.y = tagReal(t.value, 0); break;
        case 32: startTangent.z = tagReal(t.value, 0); break;
        case 13: endTangent.x = tagReal(t.value, 0), hasEnd = true; break;
        case 23: endTangent.y = tagReal(t.value, 0); break;
        case 33: endTangent.z = tagReal(t.value, 0); break;
        default: break;
        }
    }
    const bool closed = (flags & 1) != 0;
    if (c.points.size() < 2) {
        if (fit.size() < 2) return false;
        if (closed && fit.front().distanceTo(fit.back()) > 0) fit.push_back(fit.front());
        c = interpolateFitPoints(fit, hasStart ? &startTangent : nullptr, hasEnd ? &endTangent : nullptr);
    }
    if (!prepareNurbs(c)) return false;
    s.moveTo(evalNurbs(c, c.knots[static_cast<size_t>(c.degree)]));
    s.curveTo(c);
    s.stroke(closed);
    return true;
}

bool describeLeader(const AcDbEntity* e, BuildContext& ctx, Shapes& s) {
    std::vector<AcGePoint3d> v;
    std::wstring dimstyle;
    long long arrowOn = 1, path = 0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    const size_t n = Access::tagCount(e);
    bool inLeader = false, markers = false;
    for (size_t i = 1; i < n; ++i) {
        const TagRef t = Access::tag(e, i);
        if (t.code == 1001) break;
        if (t.code == 100) {
            markers = true;
            inLeader = t.value == "AcDbLeader";
            continue;
        }
        if (markers && !inLeader) continue;
        switch (t.code) {
        case 3: dimstyle = vx::db::decodeText(t, ctx.tables.store()); break;
        case 71: arrowOn = tagInt(t.value, 1); break;
        case 72: path = tagInt(t.value, 0); break;
        case 10: case 20: case 30: pointTag(v, t.code, 10, t.value); break;
        case 210: normal.x = tagReal(t.value, 0); break;
        case 220: normal.y = tagReal(t.value, 0); break;
        case 230: normal.z = tagReal(t.value, 1); break;
        default: break;
        }
    }
    if (v.empty()) return false;
    if (v.size() == 1) {
        s.dot(v[0]);
        return true;
    }
    if (path == 1 && v.size() > 2) {
        const Nurbs c = interpolateFitPoints(v, nullptr, nullptr);
        s.moveTo(v[0]);
        s.curveTo(c);
    } else {
        s.moveTo(v[0]);
        for (size_t i = 1; i < v.size(); ++i) s.lineTo(v[i]);
    }
    s.stroke(false);
    if (!arrowOn) return true;
    double arrow = ctx.tables.arrowSize(dimstyle), scale = 1;
    styleOverrides(e, arrow, scale);
    const double size = arrow * (scale > 0 ? scale : 1);
    AcGeVector3d d = v[1] - v[0];
    const double len = d.length();
    if (!(size > 0) || !(len > 0) || !std::isfinite(size)) return true;
    // A closed filled arrow: as long as the arrow size, a third of it wide, its tip on the
    // first vertex; a first segment shorter than two arrows gets none, as CAD hosts draw it.
    if (len < 2 * size) return true;
    d = d / len;
    AcGeVector3d across = normal.crossProduct(d);
    if (!(across.length() > 0)) across = AcGeVector3d(-d.y, d.x, 0);
    across = across.normal() * (size / 6);
    const AcGePoint3d base = v[0] + d * size;
    s.moveTo(v[0]);
    s.lineTo(base + across);
    s.lineTo(base - across);
    s.ring();
    s.fill();
    return true;
}

}  // namespace vx::render
