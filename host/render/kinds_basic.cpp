// Lines, infinite lines, circles, arcs, ellipses, points, solids and 3D faces.
#include <algorithm>
#include <cmath>

#include "db/access.h"
#include "render/kinds.h"

namespace vx::render {

namespace {

constexpr double kDeg = M_PI / 180;

AcGePoint3d toWorld(const AcGePoint3d& p, const AcGeVector3d& n) {
    return n.isEqualTo(AcGeVector3d::kZAxis) ? p : AcGeMatrix3d::planeToWorld(n) * p;
}

// A circle's or arc's curve in world coordinates from its plane's centre and radius.
EllipseArc planeArc(const Fields& f, double t0, double t1) {
    const AcGeVector3d n = f.normal();
    const double r = std::fabs(f.real(40, 0));
    const AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(n);
    return EllipseArc{toWorld(f.point(10), n), m * AcGeVector3d(r, 0, 0), m * AcGeVector3d(0, r, 0), t0, t1};
}

// Cuts the line p + t d to the box (t from tMin); false when it misses.
bool clipToBox(const AcGePoint3d& p, const AcGeVector3d& d, double tMin, const Box2& box, double& t0, double& t1) {
    t0 = tMin;
    t1 = std::numeric_limits<double>::infinity();
    const double pc[2] = {p.x, p.y}, dc[2] = {d.x, d.y}, lo[2] = {box.x0, box.y0}, hi[2] = {box.x1, box.y1};
    for (int k = 0; k < 2; ++k) {
        if (dc[k] == 0) {
            if (pc[k] < lo[k] || pc[k] > hi[k]) return false;
            continue;
        }
        double a = (lo[k] - pc[k]) / dc[k], b = (hi[k] - pc[k]) / dc[k];
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
    }
    return t0 <= t1 && std::isfinite(t0) && std::isfinite(t1);
}

}  // namespace

bool describeLine(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Fields f(e, {10, 11});
    s.moveTo(f.point(10));
    s.lineTo(f.point(11));
    s.stroke(false);
    return true;
}

bool describeInfiniteLine(const AcDbEntity* e, BuildContext& ctx, Shapes& s) {
    const Fields f(e, {10, 11});
    const AcGePoint3d p = f.point(10);
    const AcGeVector3d d = f.point(11).asVector();
    if (!finite(p) || !(d.length() > 0) || !std::isfinite(d.length())) return false;
    ctx.viewDependent = true;
    double t0 = 0, t1 = 0;
    const bool ray = vx::db::Access::typeName(e) == "RAY";
    if (s.measuring() || ctx.view.empty() || !clipToBox(p, d, ray ? 0.0 : -std::numeric_limits<double>::infinity(), ctx.view, t0, t1))
        return true;
    s.moveTo(p + d * t0);
    s.lineTo(p + d * t1);
    s.stroke(false);
    return true;
}

bool describeCircle(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Fields f(e, {10, 40, 210});
    if (!std::isfinite(f.real(40, 0))) return false;
    const EllipseArc a = planeArc(f, 0, 2 * M_PI);
    if (!(a.u.length() > 0)) {
        s.dot(a.c);
        return true;
    }
    s.arcTo(a);
    s.stroke(true);
    return true;
}

bool describeArc(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Fields f(e, {10, 40, 50, 51, 210});
    double t0 = f.real(50) * kDeg, t1 = f.real(51) * kDeg;
    if (!std::isfinite(t0) || !std::isfinite(t1) || !std::isfinite(f.real(40, 0))) return false;
    t0 = std::fmod(t0, 2 * M_PI);
    t1 = std::fmod(t1, 2 * M_PI);
    if (t1 <= t0) t1 += 2 * M_PI;
    const EllipseArc a = planeArc(f, t0, t1);
    if (!(a.u.length() > 0)) {
        s.dot(a.c);
        return true;
    }
    s.arcTo(a);
    s.stroke(false);
    return true;
}

bool describeEllipse(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Fields f(e, {10, 11, 40, 41, 42, 210});
    const AcGeVector3d major = f.point(11).asVector();
    const double ratio = f.real(40, 1);
    double t0 = f.real(41, 0), t1 = f.real(42, 2 * M_PI);
    if (!std::isfinite(t0) || !std::isfinite(t1) || !std::isfinite(ratio) || !std::isfinite(major.length())) return false;
    const AcGeVector3d minor = f.normal().crossProduct(major) * ratio;
    const bool whole = std::fabs(std::fabs(t1 - t0) - 2 * M_PI) < 1e-12 || t0 == t1;
    t0 = std::fmod(t0, 2 * M_PI);
    t1 = std::fmod(t1, 2 * M_PI);
    if (whole) t1 = t0 + 2 * M_PI;
    else if (t1 <= t0) t1 += 2 * M_PI;
    const AcGePoint3d c = f.point(10);
    if (!(major.length() > 0)) {
        s.dot(c);
        return true;
    }
    s.arcTo(EllipseArc{c, major, minor, t0, t1});
    s.stroke(whole);
    return true;
}

bool describePoint(const AcDbEntity* e, BuildContext& ctx, Shapes& s) {
    const Fields f(e, {10, 50, 210});
    const AcGePoint3d p = f.point(10);
    const HeaderVars& h = ctx.tables.header();
    const int mode = h.pdmode;
    const bool marks = (mode & 7) >= 2 || (mode & 96) != 0;
    double size = h.pdsize;
    if (marks && !(size > 0)) {
        // 0: 5 % of the view's height; negative: that percentage of it.
        ctx.viewDependent = true;
        const double viewHeight = ctx.view.empty() ? 0 : ctx.view.height();
        size = (size == 0 ? 5.0 : -size) / 100.0 * viewHeight;
    }
    if (!marks) {
        if ((mode & 7) != 1) s.dot(p);
        return true;
    }
    if (!(size > 0) || !std::isfinite(size)) {
        s.dot(p);  // no view to size the mark by (measuring)
        return true;
    }
    const double angle = f.real(50, 0) * kDeg, h2 = size / 2;
    const AcGeVector3d x = AcGeVector3d(std::cos(angle), std::sin(angle), 0) * h2;
    const AcGeVector3d y = AcGeVector3d(-std::sin(angle), std::cos(angle), 0) * h2;
    auto segment = [&](const AcGePoint3d& a, const AcGePoint3d& b) {
        s.moveTo(a);
        s.lineTo(b);
        s.stroke(false, false);
    };
    switch (mode & 7) {
    case 0: s.dot(p); break;
    case 2: segment(p - x, p + x), segment(p - y, p + y); break;
    case 3: segment(p - x - y, p + x + y), segment(p - x + y, p + x - y); break;
    case 4: segment(p, p + y); break;
    default: break;
    }
    if (mode & 32) {
        s.arcTo(EllipseArc{p, x, y, 0, 2 * M_PI});
        s.stroke(true, false);
    }
    if (mode & 64) {
        s.moveTo(p - x - y);
        s.lineTo(p + x - y);
        s.lineTo(p + x + y);
        s.lineTo(p - x + y);
        s.stroke(true, false);
    }
    return true;
}

bool describeSolid(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Fields f(e, {10, 11, 12, 13, 210});
    const AcGeVector3d n = f.normal();
    const AcGePoint3d p0 = f.point(10), p1 = f.point(11), p2 = f.point(12);
    const AcGePoint3d p3 = f.has(13) ? f.point(13) : p2;
    // The corners run 1-2-4-3: the third and fourth points are the far edge's ends, in the
    // same direction as the first edge.
    s.moveTo(toWorld(p0, n));
    s.lineTo(toWorld(p1, n));
    s.lineTo(toWorld(p3, n));
    s.lineTo(toWorld(p2, n));
    s.ring();
    s.fill();
    return true;
}

bool describeFace(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Fields f(e, {10, 11, 12, 13, 70});
    const AcGePoint3d p[4] = {f.point(10), f.point(11), f.point(12), f.has(13) ? f.point(13) : f.point(12)};
    const long long hiddenEdges = f.integer(70, 0);
    // Consecutive visible edges make one path, so corners join.
    int start = 0;
    while (start < 4 && !(hiddenEdges & (1 << ((start + 3) % 4)))) ++start;  // an edge after a hidden one
    if (start == 4) {
        s.moveTo(p[0]);
        for (int i = 1; i < 4; ++i) s.lineTo(p[i]);
        s.stroke(true);
        return true;
    }
    bool open = false;
    for (int k = 0; k < 4; ++k) {
        const int i = (start + k) % 4;
        if (hiddenEdges & (1 << i)) {
            if (open) s.stroke(false);
            open = false;
            continue;
        }
        if (!open) s.moveTo(p[i]);
        s.lineTo(p[(i + 1) % 4]);
        open = true;
    }
    if (open) s.stroke(false);
    return true;
}

}  // namespace vx::render
