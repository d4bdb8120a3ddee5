// LWPOLYLINE and POLYLINE (2D with bulges and widths, fit and spline-fit, 3D, polyface and
// polygon meshes).
#include <algorithm>
#include <cmath>

#include "db/access.h"
#include "render/kinds.h"

namespace vx::render {

using vx::db::Access;
using vx::db::TagRef;

namespace {

struct PolyVertex {
    double x = 0, y = 0, z = 0;
    double sw = 0, ew = 0, bulge = 0;
    long long flags = 0;
    int face[4] = {0, 0, 0, 0};
};

struct PlanarPolyline {
    std::vector<PolyVertex> v;
    bool closed = false;
    bool plinegen = false;
    double elevation = 0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
};

AcGeMatrix3d planeOf(const AcGeVector3d& n) {
    return n.isEqualTo(AcGeVector3d::kZAxis) ? AcGeMatrix3d::kIdentity : AcGeMatrix3d::planeToWorld(n);
}

// Segment i of the polyline as an arc in plane coordinates; false when straight.
bool segmentArc(const PlanarPolyline& p, size_t i, EllipseArc& arc) {
    const PolyVertex& a = p.v[i];
    const PolyVertex& b = p.v[(i + 1) % p.v.size()];
    return bulgeArc(a.x, a.y, b.x, b.y, a.bulge, p.elevation, arc);
}

EllipseArc mapped(const EllipseArc& a, const AcGeMatrix3d& m) { return {m * a.c, m * a.u, m * a.v, a.t0, a.t1}; }

void strokePlanar(const PlanarPolyline& p, Shapes& s, size_t from, size_t to) {
    const AcGeMatrix3d m = planeOf(p.normal);
    const size_t n = p.v.size();
    s.moveTo(m * AcGePoint3d(p.v[from].x, p.v[from].y, p.elevation));
    for (size_t i = from; i < to; ++i) {
        EllipseArc arc;
        const PolyVertex& b = p.v[(i + 1) % n];
        if (segmentArc(p, i, arc)) s.arcTo(mapped(arc, m));
        else s.lineTo(m * AcGePoint3d(b.x, b.y, p.elevation));
        if (!p.plinegen && i + 1 < to) s.restartPattern();
    }
}

// The outline of a wide segment: the left side forward, the right side back.
void wideSegment(const PlanarPolyline& p, size_t i, Shapes& s) {
    const AcGeMatrix3d m = planeOf(p.normal);
    const PolyVertex& a = p.v[i];
    const PolyVertex& b = p.v[(i + 1) % p.v.size()];
    std::vector<AcGePoint3d> left, right;
    EllipseArc arc;
    if (segmentArc(p, i, arc)) {
        const double r = arc.u.length();
        const int n = arcSegments(r + std::max(a.sw, a.ew) / 2, arc.t1 - arc.t0, s.tolerance());
        // Left of the direction of travel is outwards for a clockwise arc.
        const double side = arc.t1 > arc.t0 ? -1 : 1;
        for (int k = 0; k <= n; ++k) {
            const double f = static_cast<double>(k) / n, t = arc.t0 + (arc.t1 - arc.t0) * f;
            const double half = (a.sw + (a.ew - a.sw) * f) / 2;
            const double c = std::cos(t), sn = std::sin(t);
            left.push_back(AcGePoint3d(arc.c.x + (r - side * half) * c, arc.c.y + (r - side * half) * sn, p.elevation));
            right.push_back(AcGePoint3d(arc.c.x + (r + side * half) * c, arc.c.y + (r + side * half) * sn, p.elevation));
        }
    } else {
        const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        if (!(len > 0)) return;
        const double nx = -dy / len, ny = dx / len;
        left = {AcGePoint3d(a.x + nx * a.sw / 2, a.y + ny * a.sw / 2, p.elevation),
                AcGePoint3d(b.x + nx * a.ew / 2, b.y + ny * a.ew / 2, p.elevation)};
        right = {AcGePoint3d(a.x - nx * a.sw / 2, a.y - ny * a.sw / 2, p.elevation),
                 AcGePoint3d(b.x - nx * a.ew / 2, b.y - ny * a.ew / 2, p.elevation)};
    }
    s.moveTo(m * left[0]);
    for (size_t k = 1; k < left.size(); ++k) s.lineTo(m * left[k]);
    for (size_t k = right.size(); k-- > 0;) s.lineTo(m * right[k]);
    s.ring();
    s.fill();
}

// Fills the notch between two wide segments meeting at vertex v: the triangle of the vertex
// and the two ends of the segments' edges on the outer side (a bevel join).
void wideJoin(const PlanarPolyline& p, size_t in, Shapes& s) {
    const size_t n = p.v.size(), v = (in + 1) % n, out = v;
    const PolyVertex& a = p.v[in];
    const PolyVertex& b = p.v[v];
    const PolyVertex& c = p.v[(out + 1) % n];
    if (a.bulge != 0 || b.bulge != 0 || !(a.ew > 0) || !(b.sw > 0)) return;
    const double d1x = b.x - a.x, d1y = b.y - a.y, d2x = c.x - b.x, d2y = c.y - b.y;
    const double l1 = std::hypot(d1x, d1y), l2 = std::hypot(d2x, d2y);
    if (!(l1 > 0) || !(l2 > 0)) return;
    const double turn = d1x * d2y - d1y * d2x;
    if (turn == 0) return;
    const double side = turn > 0 ? -1 : 1;  // the outer side is right of a left turn
    const AcGeMatrix3d m = planeOf(p.normal);
    const AcGePoint3d e1(b.x - side * d1y / l1 * a.ew / 2, b.y + side * d1x / l1 * a.ew / 2, p.elevation);
    const AcGePoint3d e2(b.x - side * d2y / l2 * b.sw / 2, b.y + side * d2x / l2 * b.sw / 2, p.elevation);
    s.moveTo(m * AcGePoint3d(b.x, b.y, p.elevation));
    s.lineTo(m * e1);
    s.lineTo(m * e2);
    s.ring();
    s.fill();
}

void describePlanar(const PlanarPolyline& p, Shapes& s) {
    const size_t n = p.v.size();
    if (n == 0) return;
    const size_t segments = p.closed && n > 1 ? n : n - 1;
    if (segments == 0) {
        s.dot(planeOf(p.normal) * AcGePoint3d(p.v[0].x, p.v[0].y, p.elevation));
        return;
    }
    bool wide = false;
    for (size_t i = 0; i < segments; ++i) wide = wide || p.v[i].sw > 0 || p.v[i].ew > 0;
    if (!wide) {
        strokePlanar(p, s, 0, segments);
        s.stroke(p.closed && n > 2);
        return;
    }
    // Runs of thin segments are stroked, wide segments filled.
    size_t i = 0;
    while (i < segments) {
        if (p.v[i].sw > 0 || p.v[i].ew > 0) {
            wideSegment(p, i, s);
            if (i + 1 < segments || p.closed) wideJoin(p, i, s);
            ++i;
            continue;
        }
        size_t j = i;
        while (j < segments && !(p.v[j].sw > 0 || p.v[j].ew > 0)) ++j;
        strokePlanar(p, s, i, j);
        s.stroke(false);
        i = j;
    }
}

}  // namespace

bool describeLwPolyline(const AcDbEntity* e, BuildContext&, Shapes& s) {
    PlanarPolyline p;
    double constantWidth = 0;
    AcGePoint3d normal(0, 0, 1);
    const size_t n = Access::tagCount(e);
    bool inPolyline = false;
    for (size_t i = 1; i < n; ++i) {
        const TagRef t = Access::tag(e, i);
        if (t.code == 1001) break;
        if (t.code == 100) {
            inPolyline = t.value == "AcDbPolyline";
            continue;
        }
        if (!inPolyline) continue;
        switch (t.code) {
        case 70: {
            const long long f = tagInt(t.value, 0);
            p.closed = (f & 1) != 0;
            p.plinegen = (f & 128) != 0;
            break;
        }
        case 43: constantWidth = tagReal(t.value, 0); break;
        case 38: p.elevation = tagReal(t.value, 0); break;
        case 10: p.v.emplace_back(); p.v.back().x = tagReal(t.value, 0); break;
        case 20: if (!p.v.empty()) p.v.back().y = tagReal(t.value, 0); break;
        case 40: if (!p.v.empty()) p.v.back().sw = tagReal(t.value, 0); break;
        case 41: if (!p.v.empty()) p.v.back().ew = tagReal(t.value, 0); break;
        case 42: if (!p.v.empty()) p.v.back().bulge = tagReal(t.value, 0); break;
        case 210: normal.x = tagReal(t.value, 0); break;
        case 220: normal.y = tagReal(t.value, 0); break;
        case 230: normal.z = tagReal(t.value, 1); break;
        default: break;
        }
    }
    if (p.v.empty()) return true;
    const AcGeVector3d nv = normal.asVector();
    p.normal = nv.length() > 1e-12 && finite(normal) ? nv.normal() : AcGeVector3d::kZAxis;
    for (PolyVertex& v : p.v) {
        if (constantWidth > 0 && v.sw == 0 && v.ew == 0) v.sw = v.ew = constantWidth;
        v.sw = std::fabs(v.sw), v.ew = std::fabs(v.ew);
        if (!std::isfinite(v.sw) || !std::isfinite(v.ew)) v.sw = v.ew = 0;
    }
    describePlanar(p, s);
    return true;
}

namespace {

// Spline-fit polylines whose writer kept only the frame: the B-spline of the frame.
void frameSpline(const std::vector<AcGePoint3d>& frame, bool closed, int degree, Shapes& s) {
    Nurbs c;
    c.degree = degree;
    c.points = frame;
    if (closed && !frame.empty()) c.points.push_back(frame.front());
    if (!prepareNurbs(c)) return;
    s.curveTo(c);
    s.stroke(closed);
}

void describeMesh(const std::vector<PolyVertex>& v, long long flags, long long m, long long n, Shapes& s) {
    if (m <= 0 || n <= 0 || static_cast<size_t>(m) * static_cast<size_t>(n) > v.size()) return;
    auto at = [&](long long i, long long j) { return AcGePoint3d(v[static_cast<size_t>(i * n + j)].x, v[static_cast<size_t>(i * n + j)].y, v[static_cast<size_t>(i * n + j)].z); };
    const bool closedM = (flags & 1) != 0, closedN = (flags & 32) != 0;
    for (long long i = 0; i < m; ++i) {
        s.moveTo(at(i, 0));
        for (long long j = 1; j < n; ++j) s.lineTo(at(i, j));
        s.stroke(closedN);
    }
    for (long long j = 0; j < n; ++j) {
        s.moveTo(at(0, j));
        for (long long i = 1; i < m; ++i) s.lineTo(at(i, j));
        s.stroke(closedM);
    }
}

void describePolyface(const std::vector<PolyVertex>& v, Shapes& s) {
    std::vector<AcGePoint3d> positions;
    for (const PolyVertex& x : v)
        if ((x.flags & 128) && (x.flags & 64)) positions.push_back(AcGePoint3d(x.x, x.y, x.z));
    for (const PolyVertex& x : v) {
        if (!(x.flags & 128) || (x.flags & 64)) continue;
        int count = 0;
        while (count < 4 && x.face[count] != 0) ++count;
        for (int k = 0; k < count; ++k) {
            const int a = x.face[k], b = x.face[(k + 1) % count];
            // A negative index hides the edge that starts at it.
            if (a < 0) continue;
            const size_t ia = static_cast<size_t>(std::abs(a)), ib = static_cast<size_t>(std::abs(b));
            if (ia == 0 || ib == 0 || ia > positions.size() || ib > positions.size()) continue;
            s.moveTo(positions[ia - 1]);
            s.lineTo(positions[ib - 1]);
            s.stroke(false);
        }
    }
}

}  // namespace

bool describePolyline(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Fields head(e, {10, 40, 41, 70, 71, 72, 75, 210});
    const long long flags = head.integer(70, 0);
    std::vector<AcDbEntity*> kids;
    Access::children(e, kids);
    std::vector<PolyVertex> v;
    for (AcDbEntity* k : kids) {
        if (Access::kind(k) != vx::db::kVertex || k->isErased()) continue;
        const Fields f(k, {10, 40, 41, 42, 70, 71, 72, 73, 74});
        PolyVertex x;
        const AcGePoint3d p = f.point(10);
        x.x = p.x, x.y = p.y, x.z = p.z;
        x.sw = std::fabs(f.real(40, head.real(40, 0)));
        x.ew = std::fabs(f.real(41, head.real(41, 0)));
        x.bulge = f.real(42, 0);
        x.flags = f.integer(70, 0);
        for (int c = 0; c < 4; ++c) x.face[c] = static_cast<int>(std::clamp<long long>(f.integer(71 + c, 0), -1000000000, 1000000000));
        v.push_back(x);
    }
    if (v.empty()) return true;
    if (flags & 64) {
        describePolyface(v, s);
        return true;
    }
    if (flags & 16) {
        describeMesh(v, flags, head.integer(71, 0), head.integer(72, 0), s);
        return true;
    }
    const bool closed = (flags & 1) != 0;
    const bool splined = (flags & 4) != 0;
    bool hasSplineVertices = false;
    for (const PolyVertex& x : v) hasSplineVertices = hasSplineVertices || (x.flags & 8);
    if (flags & 8) {
        // 3D: world coordinates, straight segments.
        std::vector<AcGePoint3d> pts;
        for (const PolyVertex& x : v)
            if (!(splined && hasSplineVertices && (x.flags & 16))) pts.push_back(AcGePoint3d(x.x, x.y, x.z));
        if (splined && !hasSplineVertices) {
            frameSpline(pts, closed, head.integer(75, 6) == 5 ? 2 : 3, s);
            return true;
        }
        s.moveTo(pts[0]);
        for (size_t i = 1; i < pts.size(); ++i) s.lineTo(pts[i]);
        s.stroke(closed && pts.size() > 2);
        return true;
    }
    PlanarPolyline p;
    p.closed = closed;
    p.plinegen = (flags & 128) != 0;
    p.elevation = head.point(10).z;
    p.normal = head.normal();
    if (splined && !hasSplineVertices) {
        std::vector<AcGePoint3d> frame;
        const AcGeMatrix3d m = planeOf(p.normal);
        for (const PolyVertex& x : v) frame.push_back(m * AcGePoint3d(x.x, x.y, p.elevation));
        frameSpline(frame, closed, head.integer(75, 6) == 5 ? 2 : 3, s);
        return true;
    }
    // Fit and spline vertices the writer computed are drawn; the spline frame is not.
    for (const PolyVertex& x : v)
        if (!(splined && (x.flags & 16))) p.v.push_back(x);
    if (splined)
        for (PolyVertex& x : p.v) x.bulge = 0;
    describePlanar(p, s);
    return true;
}

}  // namespace vx::render
