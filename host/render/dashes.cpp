#include "render/dashes.h"

#include <cmath>

namespace vx::render {

namespace {

constexpr double kMaxRepeats = 200000;

double pathLength(const Polyline& p) {
    double len = 0;
    const size_t n = p.points.size();
    for (size_t i = 1; i < n; ++i) len += std::hypot(p.points[i].x - p.points[i - 1].x, p.points[i].y - p.points[i - 1].y);
    if (p.closed && n > 2) len += std::hypot(p.points[0].x - p.points[n - 1].x, p.points[0].y - p.points[n - 1].y);
    return len;
}

struct Dasher {
    const std::vector<double>& pattern;
    double scale;
    Geometry& out;
    size_t element = 0;
    double used = 0;  // how much of the current element is behind us
    bool drawing = false;

    void restart() {
        finish();
        element = 0;
        used = 0;
        enter();
    }
    void enter() {
        // A dot is drawn where its element starts; dashes begin a polyline.
        if (pattern[element] == 0) {
            pending = true;
        } else if (pattern[element] > 0) {
            drawing = true;
            startNew = true;
        }
    }
    void finish() {
        if (drawing && !startNew && out.lines.back().points.size() < 2) out.lines.pop_back();
        drawing = false;
        startNew = false;
    }
    void point(Vec2 p) {
        if (pending) {
            out.dots.push_back(p);
            pending = false;
        }
        if (!drawing) return;
        if (startNew) {
            out.lines.emplace_back();
            startNew = false;
        }
        std::vector<Vec2>& pts = out.lines.back().points;
        if (pts.empty() || pts.back().x != p.x || pts.back().y != p.y) pts.push_back(p);
    }
    void segment(Vec2 a, Vec2 b) {
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        point(a);
        double at = 0;
        while (true) {
            const double size = std::fabs(pattern[element]) * scale;
            const double left = size - used;
            if (at + left > len) {
                used += len - at;
                break;
            }
            at += left;
            const double f = len > 0 ? at / len : 0;
            point({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f});
            finish();
            element = (element + 1) % pattern.size();
            used = 0;
            enter();
            point({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f});
        }
        point(b);
    }

    bool pending = false;
    bool startNew = false;
};

}  // namespace

void applyLinetype(const PatternedPath& p, const Linetype* lt, double scale, Geometry& out) {
    const size_t n = p.path.points.size();
    if (n == 0) return;
    if (n == 1) {
        out.dots.push_back(p.path.points[0]);
        return;
    }
    const double period = lt ? lt->length * std::fabs(scale) : 0;
    if (!lt || lt->continuous() || !(period > 0) || !std::isfinite(period) ||
        pathLength(p.path) / period > kMaxRepeats) {
        out.lines.push_back(p.path);
        return;
    }
    Dasher d{lt->pattern, std::fabs(scale), out};
    d.enter();
    size_t nextRestart = 0;
    const size_t segments = p.path.closed && n > 2 ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        while (nextRestart < p.restarts.size() && p.restarts[nextRestart] < i) ++nextRestart;
        if (i > 0 && nextRestart < p.restarts.size() && p.restarts[nextRestart] == i) d.restart();
        d.segment(p.path.points[i], p.path.points[(i + 1) % n]);
    }
    d.finish();
}

}  // namespace vx::render
