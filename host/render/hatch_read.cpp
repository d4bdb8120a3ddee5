// Reading a HATCH record: boundary loops (polyline loops with bulges, or edges: lines, arcs,
// elliptical arcs, splines), the pattern definition lines and the first gradient colour. Counts
// in the record are followed only while the tags agree with them, so a damaged record reads
// as far as it makes sense.
#include <algorithm>
#include <cmath>

#include "db/access.h"
#include "render/entity_props.h"
#include "render/hatch.h"

namespace vx::render {

using vx::db::Access;
using vx::db::TagRef;

namespace {

constexpr double kDeg = M_PI / 180;
constexpr long long kMaxCount = 10000000;

class Cursor {
public:
    explicit Cursor(const AcDbEntity* e) : m_e(e), m_n(Access::tagCount(e)) {}
    // Moves to the AcDbHatch section; false when there is none.
    bool toHatchSection() {
        bool markers = false;
        for (size_t i = 1; i < m_n; ++i) {
            const TagRef t = Access::tag(m_e, i);
            if (t.code == 100) {
                markers = true;
                if (t.value == "AcDbHatch") {
                    m_i = i + 1;
                    return true;
                }
            }
        }
        m_i = 1;
        return !markers;
    }
    int peek() const { return m_i < m_n ? Access::tag(m_e, m_i).code : -1; }
    bool done() const { return m_i >= m_n || peek() == 1001; }
    std::string_view next() { return Access::tag(m_e, m_i++).value; }
    void skip() { ++m_i; }
    // The value of `code` when it is next; otherwise nothing is consumed.
    bool take(int code, double& out) {
        if (peek() != code) return false;
        out = tagReal(next(), 0);
        return true;
    }
    bool take(int code, long long& out) {
        if (peek() != code) return false;
        out = tagInt(next(), 0);
        return true;
    }
    bool point(int code, double& x, double& y) {
        if (peek() != code) return false;
        x = tagReal(next(), 0);
        y = 0;
        take(code + 10, y);
        return true;
    }

private:
    const AcDbEntity* m_e;
    size_t m_n;
    size_t m_i = 1;
};

// An arc edge's sweep: counter-clockwise arcs store their angles, clockwise ones the angles
// mirrored (negated) and run the other way.
void arcSweep(double a0, double a1, bool ccw, double& t0, double& t1) {
    if (ccw) {
        t0 = a0 * kDeg, t1 = a1 * kDeg;
        while (t1 <= t0) t1 += 2 * M_PI;
    } else {
        t0 = -a0 * kDeg, t1 = -a1 * kDeg;
        while (t1 >= t0) t1 -= 2 * M_PI;
    }
}

bool readEdge(Cursor& c, double z, HatchEdge& edge) {
    long long type = 0;
    if (!c.take(72, type)) return false;
    double x = 0, y = 0;
    switch (type) {
    case 1: {
        double x2 = 0, y2 = 0;
        if (!c.point(10, x, y) || !c.point(11, x2, y2)) return false;
        edge.type = HatchEdge::Line;
        edge.a = AcGePoint3d(x, y, z);
        edge.b = AcGePoint3d(x2, y2, z);
        return true;
    }
    case 2:
    case 3: {
        double mx = 0, my = 0, r = 0, ratio = 1, a0 = 0, a1 = 360;
        long long ccw = 1;
        if (!c.point(10, x, y)) return false;
        if (type == 2) {
            c.take(40, r);
            mx = std::fabs(r);
        } else {
            c.point(11, mx, my);
            c.take(40, ratio);
        }
        c.take(50, a0);
        c.take(51, a1);
        c.take(73, ccw);
        edge.type = HatchEdge::Arc;
        edge.arc.c = AcGePoint3d(x, y, z);
        edge.arc.u = AcGeVector3d(mx, my, 0);
        edge.arc.v = AcGeVector3d(-my, mx, 0) * (type == 2 ? 1.0 : ratio);
        arcSweep(a0, a1, ccw != 0, edge.arc.t0, edge.arc.t1);
        return std::isfinite(edge.arc.t0) && std::isfinite(edge.arc.t1);
    }
    case 4: {
        long long degree = 3, rational = 0, periodic = 0, knots = 0, points = 0, fits = 0;
        c.take(94, degree);
        c.take(73, rational);
        c.take(74, periodic);
        c.take(95, knots);
        c.take(96, points);
        Nurbs& s = edge.spline;
        s.degree = static_cast<int>(degree);
        double v = 0;
        for (long long k = 0; k < knots && k < kMaxCount && c.take(40, v); ++k) s.knots.push_back(v);
        for (long long k = 0; k < points && k < kMaxCount && c.point(10, x, y); ++k) {
            s.points.emplace_back(x, y, z);
            if (c.take(42, v)) s.weights.push_back(v);
        }
        std::vector<AcGePoint3d> fit;
        if (c.take(97, fits))
            for (long long k = 0; k < fits && k < kMaxCount && c.point(11, x, y); ++k) fit.emplace_back(x, y, z);
        AcGeVector3d t0, t1;
        double tx = 0, ty = 0;
        const bool hasStart = c.point(12, tx, ty);
        t0 = AcGeVector3d(tx, ty, 0);
        const bool hasEnd = c.point(13, tx, ty);
        t1 = AcGeVector3d(tx, ty, 0);
        if (s.points.size() < 2 && fit.size() >= 2)
            s = interpolateFitPoints(fit, hasStart ? &t0 : nullptr, hasEnd ? &t1 : nullptr);
        edge.type = HatchEdge::Spline;
        return prepareNurbs(s);
    }
    default:
        return false;
    }
}

bool readLoop(Cursor& c, double z, HatchLoop& loop) {
    if (!c.take(92, loop.flags)) return false;
    if (loop.flags & 2) {
        long long hasBulge = 0, closed = 1, count = 0;
        c.take(72, hasBulge);
        c.take(73, closed);
        c.take(93, count);
        struct V {
            double x, y, bulge;
        };
        std::vector<V> v;
        double x = 0, y = 0, b = 0;
        for (long long k = 0; k < count && k < kMaxCount && c.point(10, x, y); ++k) {
            b = 0;
            c.take(42, b);
            v.push_back({x, y, b});
        }
        for (size_t i = 0; i < v.size(); ++i) {
            if (i + 1 == v.size() && v.size() > 1 && !closed) break;
            const V& a = v[i];
            const V& q = v[(i + 1) % v.size()];
            HatchEdge e;
            if (bulgeArc(a.x, a.y, q.x, q.y, a.bulge, z, e.arc)) {
                e.type = HatchEdge::Arc;
            } else {
                e.a = AcGePoint3d(a.x, a.y, z);
                e.b = AcGePoint3d(q.x, q.y, z);
            }
            loop.edges.push_back(e);
        }
    } else {
        long long count = 0;
        c.take(93, count);
        for (long long k = 0; k < count && k < kMaxCount; ++k) {
            HatchEdge e;
            if (!readEdge(c, z, e)) break;
            loop.edges.push_back(std::move(e));
        }
    }
    // Source boundary objects.
    long long sources = 0;
    if (c.take(97, sources))
        for (long long k = 0; k < sources && c.peek() == 330; ++k) c.skip();
    return true;
}

}  // namespace

AcGePoint3d HatchEdge::start() const {
    switch (type) {
    case Arc: return arc.at(arc.t0);
    case Spline: return spline.points.empty() ? a : evalNurbs(spline, spline.knots[static_cast<size_t>(spline.degree)]);
    default: return a;
    }
}

AcGePoint3d HatchEdge::end() const {
    switch (type) {
    case Arc: return arc.at(arc.t1);
    case Spline: return spline.points.empty() ? b : evalNurbs(spline, spline.knots[spline.points.size()]);
    default: return b;
    }
}

void HatchEdge::reverse() {
    switch (type) {
    case Arc: std::swap(arc.t0, arc.t1); break;
    case Spline: {
        std::reverse(spline.points.begin(), spline.points.end());
        std::reverse(spline.weights.begin(), spline.weights.end());
        const double lo = spline.knots.front(), hi = spline.knots.back();
        std::reverse(spline.knots.begin(), spline.knots.end());
        for (double& k : spline.knots) k = lo + hi - k;
        break;
    }
    default: std::swap(a, b); break;
    }
}

bool readHatch(const AcDbEntity* e, HatchData& out) {
    Cursor c(e);
    if (!c.toHatchSection()) return false;
    double x = 0, y = 0;
    long long loops = 0, solid = 0, lines = 0, v = 0;
    AcGePoint3d normal(0, 0, 1);
    // The fields before the loops, in any order, up to the loop count.
    while (!c.done() && c.peek() != 91) {
        const int code = c.peek();
        if (code == 10) {
            c.skip();
            c.take(20, y);
            c.take(30, out.elevation);
        } else if (code == 210) {
            normal.x = tagReal(c.next(), 0);
            c.take(220, normal.y);
            c.take(230, normal.z);
        } else if (code == 70) {
            c.take(70, solid);
        } else {
            c.skip();
        }
    }
    out.solid = solid == 1;
    const AcGeVector3d n = normal.asVector();
    out.normal = n.length() > 1e-12 && finite(normal) ? n.normal() : AcGeVector3d::kZAxis;
    c.take(91, loops);
    for (long long k = 0; k < loops && k < kMaxCount && c.peek() == 92; ++k) {
        HatchLoop loop;
        if (!readLoop(c, out.elevation, loop)) break;
        out.loops.push_back(std::move(loop));
    }
    // Style, pattern, seeds and gradient follow; read what is recognised.
    while (!c.done()) {
        const int code = c.peek();
        if (code == 75) {
            c.take(75, out.style);
        } else if (code == 78) {
            c.take(78, lines);
            for (long long k = 0; k < lines && k < kMaxCount && c.peek() == 53; ++k) {
                PatternLine p;
                double a = 0;
                long long dashes = 0;
                c.take(53, a);
                p.angle = a * kDeg;
                c.take(43, p.base.x);
                c.take(44, p.base.y);
                c.take(45, p.offset.x);
                c.take(46, p.offset.y);
                c.take(79, dashes);
                double d = 0;
                for (long long j = 0; j < dashes && j < kMaxCount && c.take(49, d); ++j) p.dashes.push_back(d);
                out.pattern.push_back(std::move(p));
            }
        } else if (code == 450) {
            c.take(450, v);
            out.gradient = v == 1;
        } else if (code == 63 && out.gradient && out.gradientAci < 0) {
            c.take(63, out.gradientAci);
        } else if (code == 421 && out.gradient && out.gradientRgb < 0) {
            c.take(421, out.gradientRgb);
        } else if (code == 10) {
            c.point(10, x, y);  // seed points
        } else {
            c.skip();
        }
    }
    return true;
}

}  // namespace vx::render
