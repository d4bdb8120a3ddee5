// Liang-Barsky for polyline segments, Sutherland-Hodgman for polygon rings: the box is convex,
// so ring by ring clipping keeps the even-odd interior within it.
#include "plot/clip.h"

#include <algorithm>
#include <utility>

namespace vx::plot {

using render::Box2;
using render::Vec2;

namespace {

bool inside(Vec2 p, const Box2& b) { return p.x >= b.x0 && p.x <= b.x1 && p.y >= b.y0 && p.y <= b.y1; }

// Clips the segment a-b to the box; false when nothing remains.
bool clipSegment(Vec2& a, Vec2& b, const Box2& box) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.x0, box.x1 - a.x, a.y - box.y0, box.y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    const Vec2 start = a;
    if (t1 < 1) b = {start.x + t1 * dx, start.y + t1 * dy};
    if (t0 > 0) a = {start.x + t0 * dx, start.y + t0 * dy};
    return true;
}

// One edge of the box for Sutherland-Hodgman: which side is inside and where a segment crosses.
struct Edge {
    int axis;      // 0: x, 1: y
    double value;
    bool keepAbove;

    bool in(Vec2 p) const {
        const double v = axis == 0 ? p.x : p.y;
        return keepAbove ? v >= value : v <= value;
    }
    Vec2 cross(Vec2 a, Vec2 b) const {
        const double av = axis == 0 ? a.x : a.y, bv = axis == 0 ? b.x : b.y;
        const double t = (value - av) / (bv - av);
        Vec2 p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        (axis == 0 ? p.x : p.y) = value;
        return p;
    }
};

void clipRing(std::vector<Vec2>& ring, const Box2& box) {
    const Edge edges[4] = {{0, box.x0, true}, {0, box.x1, false}, {1, box.y0, true}, {1, box.y1, false}};
    std::vector<Vec2> next;
    for (const Edge& e : edges) {
        if (ring.empty()) return;
        next.clear();
        Vec2 prev = ring.back();
        bool prevIn = e.in(prev);
        for (Vec2 cur : ring) {
            const bool curIn = e.in(cur);
            if (curIn != prevIn) next.push_back(e.cross(prev, cur));
            if (curIn) next.push_back(cur);
            prev = cur, prevIn = curIn;
        }
        ring.swap(next);
    }
}

}  // namespace

void clipPolyline(const render::Polyline& line, const Box2& box, std::vector<render::Polyline>& out) {
    const auto& pts = line.points;
    if (pts.empty()) return;
    if (pts.size() == 1) {
        if (inside(pts[0], box)) out.push_back(line);
        return;
    }
    const size_t segments = line.closed ? pts.size() : pts.size() - 1;
    render::Polyline piece;
    for (size_t i = 0; i < segments; ++i) {
        Vec2 a = pts[i], b = pts[(i + 1) % pts.size()];
        const bool aWasInside = inside(a, box);
        if (!clipSegment(a, b, box)) {
            if (!piece.points.empty()) out.push_back(std::move(piece)), piece = {};
            continue;
        }
        if (piece.points.empty() || !aWasInside) {
            if (!piece.points.empty()) out.push_back(std::move(piece)), piece = {};
            piece.points.push_back(a);
        }
        piece.points.push_back(b);
        if (!inside(pts[(i + 1) % pts.size()], box)) out.push_back(std::move(piece)), piece = {};
    }
    if (!piece.points.empty()) {
        // A closed line that never left the box comes back whole and closed.
        if (line.closed && piece.points.size() == pts.size() + 1) {
            piece.points.pop_back();
            piece.closed = true;
        }
        out.push_back(std::move(piece));
    }
}

bool clipPolygon(render::Polygon& polygon, const Box2& box) {
    auto& rings = polygon.rings;
    for (auto& ring : rings) clipRing(ring, box);
    rings.erase(std::remove_if(rings.begin(), rings.end(), [](const auto& r) { return r.size() < 3; }), rings.end());
    return !rings.empty();
}

}  // namespace vx::plot
