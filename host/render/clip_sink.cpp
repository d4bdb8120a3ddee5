#include "render/clip_sink.h"

#include <algorithm>

namespace vx::render {

namespace {

bool inside(Vec2 p, const Box2& b) { return p.x >= b.x0 && p.x <= b.x1 && p.y >= b.y0 && p.y <= b.y1; }

// Liang-Barsky: the part of a-b inside the box as parameters t0 <= t1.
bool clipSegment(Vec2 a, Vec2 b, const Box2& box, double& t0, double& t1) {
    t0 = 0, t1 = 1;
    const double d[2] = {b.x - a.x, b.y - a.y}, p[2] = {a.x, a.y};
    const double lo[2] = {box.x0, box.y0}, hi[2] = {box.x1, box.y1};
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) {
            if (p[k] < lo[k] || p[k] > hi[k]) return false;
            continue;
        }
        double s = (lo[k] - p[k]) / d[k], e = (hi[k] - p[k]) / d[k];
        if (s > e) std::swap(s, e);
        t0 = std::max(t0, s);
        t1 = std::min(t1, e);
        if (t0 > t1) return false;
    }
    return true;
}

}  // namespace

void clipPolyline(const Polyline& line, const Box2& box, std::vector<Polyline>& out) {
    const std::vector<Vec2>& p = line.points;
    const size_t n = p.size();
    if (n == 0) return;
    bool all = true;
    for (Vec2 q : p) all = all && inside(q, box);
    if (all) {
        out.push_back(line);
        return;
    }
    const size_t segments = line.closed && n > 2 ? n : n - 1;
    bool open = false;
    for (size_t i = 0; i < segments; ++i) {
        const Vec2 a = p[i], b = p[(i + 1) % n];
        double t0 = 0, t1 = 0;
        if (!clipSegment(a, b, box, t0, t1)) {
            open = false;
            continue;
        }
        const Vec2 s{a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0}, e{a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1};
        if (!open || t0 > 0) {
            out.push_back(Polyline{{s}, false});
            open = true;
        }
        out.back().points.push_back(e);
        if (t1 < 1) open = false;
    }
}

std::vector<Vec2> clipRing(const std::vector<Vec2>& ring, const Box2& box) {
    std::vector<Vec2> cur = ring, next;
    for (int edge = 0; edge < 4 && !cur.empty(); ++edge) {
        auto in = [&](Vec2 q) {
            switch (edge) {
            case 0: return q.x >= box.x0;
            case 1: return q.x <= box.x1;
            case 2: return q.y >= box.y0;
            default: return q.y <= box.y1;
            }
        };
        auto cross = [&](Vec2 a, Vec2 b) {
            double t = 0;
            switch (edge) {
            case 0: t = (box.x0 - a.x) / (b.x - a.x); break;
            case 1: t = (box.x1 - a.x) / (b.x - a.x); break;
            case 2: t = (box.y0 - a.y) / (b.y - a.y); break;
            default: t = (box.y1 - a.y) / (b.y - a.y); break;
            }
            return Vec2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        };
        next.clear();
        for (size_t i = 0; i < cur.size(); ++i) {
            const Vec2 a = cur[i], b = cur[(i + 1) % cur.size()];
            const bool ia = in(a), ib = in(b);
            if (ia) next.push_back(a);
            if (ia != ib) next.push_back(cross(a, b));
        }
        cur.swap(next);
    }
    return cur.size() >= 3 ? cur : std::vector<Vec2>();
}

void ClipSink::add(const Pen& pen, const Geometry& g, const Affine& toWorld) {
    const Affine m = toWorld.then(m_toOut);
    Geometry out;
    for (const Polyline& l : g.lines) {
        Polyline mapped{{}, l.closed};
        mapped.points.reserve(l.points.size());
        for (Vec2 p : l.points) mapped.points.push_back(m.map(p));
        clipPolyline(mapped, m_clip, out.lines);
    }
    for (const Polygon& poly : g.fills) {
        Polygon cut;
        for (const std::vector<Vec2>& r : poly.rings) {
            std::vector<Vec2> mapped;
            mapped.reserve(r.size());
            for (Vec2 p : r) mapped.push_back(m.map(p));
            std::vector<Vec2> c = clipRing(mapped, m_clip);
            if (!c.empty()) cut.rings.push_back(std::move(c));
        }
        if (!cut.rings.empty()) out.fills.push_back(std::move(cut));
    }
    for (const TextRun& t : g.texts) {
        TextRun r = t;
        r.toLocal = t.toLocal.then(m);
        // A text is kept whole when its middle lies inside.
        if (inside(r.toLocal.map(Vec2{t.advance / 2, 0.5}), m_clip)) out.texts.push_back(std::move(r));
    }
    for (Vec2 d : g.dots) {
        const Vec2 p = m.map(d);
        if (inside(p, m_clip)) out.dots.push_back(p);
    }
    if (!out.empty()) m_out.add(pen, out, Affine());
}

}  // namespace vx::render
