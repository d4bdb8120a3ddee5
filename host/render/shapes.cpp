#include "render/shapes.h"

#include <algorithm>
#include <cmath>

namespace vx::render {

Shapes::Shapes(Mode mode, double tolerance, const AcGeMatrix3d* toOut)
    : m_mode(mode), m_tol(tolerance > 0 ? tolerance : 1e-9), m_localTol(m_tol) {
    if (toOut && !toOut->isEqualTo(AcGeMatrix3d::kIdentity)) {
        m_identity = false;
        m_m = *toOut;
        const double s = m_m.scale();
        if (s > 0 && std::isfinite(s)) m_localTol = m_tol / s;
    }
}

void Shapes::setPen(const PenKey& key) {
    m_pen = key;
    m_group = static_cast<size_t>(-1);
}

Group& Shapes::group() {
    if (m_group < m_groups.size()) return m_groups[m_group];
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (m_groups[i].key == m_pen) {
            m_group = i;
            return m_groups[i];
        }
    m_groups.push_back(Group{m_pen, {}, {}});
    m_group = m_groups.size() - 1;
    return m_groups.back();
}

bool Shapes::map(const AcGePoint3d& in, AcGePoint3d& out) {
    out = m_identity ? in : m_m * in;
    if (finite(out)) return true;
    m_damaged = true;
    return false;
}

AcGeVector3d Shapes::mapVector(const AcGeVector3d& v) const { return m_identity ? v : m_m * v; }

void Shapes::emit(const AcGePoint3d& q) {
    m_last = q;
    if (m_mode == Mode::Measure) {
        m_box.add(q);
        return;
    }
    std::vector<Vec2>& pts = m_path.path.points;
    if (pts.empty() || pts.back().x != q.x || pts.back().y != q.y) pts.push_back({q.x, q.y});
}

void Shapes::moveTo(const AcGePoint3d& p) {
    m_path = PatternedPath();
    m_open = false;
    AcGePoint3d q;
    if (!map(p, q)) return;
    m_open = true;
    emit(q);
}

void Shapes::lineTo(const AcGePoint3d& p) {
    if (!m_open) return moveTo(p);
    AcGePoint3d q;
    if (map(p, q)) emit(q);
}

void Shapes::arcTo(const EllipseArc& arc) {
    EllipseArc out{m_identity ? arc.c : m_m * arc.c, mapVector(arc.u), mapVector(arc.v), arc.t0, arc.t1};
    const AcGePoint3d start = out.at(out.t0);
    if (!finite(out.c) || !finite(start) || !finite(out.at(out.t1)) || !std::isfinite(arc.t0) ||
        !std::isfinite(arc.t1)) {
        m_damaged = true;
        return;
    }
    if (!m_open) {
        m_path = PatternedPath();
        m_open = true;
    }
    emit(start);
    if (m_mode == Mode::Measure) {
        addArcBox(m_box, out);
        m_last = out.at(out.t1);
        return;
    }
    const double radius = std::max(out.u.length(), out.v.length());
    const int n = arcSegments(radius, out.t1 - out.t0, m_tol);
    for (int k = 1; k <= n; ++k) emit(out.at(out.t0 + (out.t1 - out.t0) * k / n));
}

void Shapes::curveTo(const Nurbs& curve) {
    Nurbs c = curve;
    for (AcGePoint3d& p : c.points) {
        if (!m_identity) p = m_m * p;
        if (!finite(p)) {
            m_damaged = true;
            return;
        }
    }
    if (!m_open) {
        m_path = PatternedPath();
        m_open = true;
    }
    if (m_mode == Mode::Measure) {
        addNurbsBox(m_box, c);
        m_last = evalNurbs(c, c.knots[c.points.size()]);
        return;
    }
    std::vector<AcGePoint3d> pts;
    flattenNurbs(c, m_tol, pts);
    for (const AcGePoint3d& p : pts) emit(p);
}

void Shapes::restartPattern() {
    if (m_mode == Mode::Flatten && !m_path.path.points.empty())
        m_path.restarts.push_back(static_cast<uint32_t>(m_path.path.points.size() - 1));
}

void Shapes::stroke(bool closed, bool patterned) {
    if (!m_open) return;
    m_open = false;
    if (m_mode == Mode::Measure) return;
    PatternedPath p = std::move(m_path);
    m_path = PatternedPath();
    if (p.path.points.empty()) return;
    Group& g = group();
    if (p.path.points.size() == 1) {
        g.geometry.dots.push_back(p.path.points[0]);
        return;
    }
    p.path.closed = closed && p.path.points.size() > 2;
    if (patterned && m_pen.linetypeFrom != Source::Own) g.pending.push_back(std::move(p));
    else if (patterned && m_pen.linetype) applyLinetype(p, m_pen.linetype, m_pen.ltscale, g.geometry);
    else g.geometry.lines.push_back(std::move(p.path));
}

void Shapes::ring() {
    if (!m_open) return;
    m_open = false;
    if (m_mode == Mode::Measure) return;
    if (m_path.path.points.size() >= 3) m_fill.rings.push_back(std::move(m_path.path.points));
    m_path = PatternedPath();
}

void Shapes::fill() {
    if (m_mode == Mode::Measure || m_fill.rings.empty()) return;
    group().geometry.fills.push_back(std::move(m_fill));
    m_fill = Polygon();
}

void Shapes::text(const TextRun& run, const AcGePoint3d& origin, const AcGeVector3d& along,
                  const AcGeVector3d& across, double ascent, double descent) {
    if (run.text.empty()) return;
    AcGePoint3d o;
    if (!map(origin, o)) return;
    const AcGeVector3d a = mapVector(along), c = mapVector(across);
    if (!finite(o + a) || !finite(o + c) || !std::isfinite(run.advance)) {
        m_damaged = true;
        return;
    }
    if (m_mode == Mode::Measure) {
        for (double x : {0.0, run.advance})
            for (double y : {-descent, ascent}) m_box.add(o + a * x + c * y);
        return;
    }
    TextRun r = run;
    r.toLocal = Affine{a.x, a.y, c.x, c.y, o.x, o.y};
    group().geometry.texts.push_back(std::move(r));
}

void Shapes::glyphs(const GlyphGeometry& g, const AcGePoint3d& origin, const AcGeVector3d& along,
                    const AcGeVector3d& across) {
    auto place = [&](Vec2 p) { return origin + along * p.x + across * p.y; };
    for (const Polyline& line : g.strokes) {
        if (line.points.empty()) continue;
        moveTo(place(line.points[0]));
        for (size_t i = 1; i < line.points.size(); ++i) lineTo(place(line.points[i]));
        stroke(line.closed, false);
    }
    for (const Polygon& poly : g.fills) {
        for (const std::vector<Vec2>& r : poly.rings) {
            if (r.empty()) continue;
            moveTo(place(r[0]));
            for (size_t i = 1; i < r.size(); ++i) lineTo(place(r[i]));
            ring();
        }
        fill();
    }
}

void Shapes::dot(const AcGePoint3d& p) {
    AcGePoint3d q;
    if (!map(p, q)) return;
    if (m_mode == Mode::Measure) m_box.add(q);
    else group().geometry.dots.push_back({q.x, q.y});
}

void Shapes::extent(const AcGePoint3d& p) {
    AcGePoint3d q;
    if (m_mode == Mode::Measure && map(p, q)) m_box.add(q);
}

}  // namespace vx::render
