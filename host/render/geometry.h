// Plane geometry shared by the renderer, the plot page and the views: points, boxes and affine
// maps. Everything here is 2D: entities are projected onto the world XY plane before they
// become primitives.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace vx::render {

struct Vec2 {
    double x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }

// An axis-aligned box; a default box is empty and adding a point makes it that point.
struct Box2 {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0;
    double x1 = -std::numeric_limits<double>::infinity(), y1 = x1;

    bool empty() const { return !(x0 <= x1 && y0 <= y1); }
    void add(Vec2 p) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    void add(const Box2& b) {
        if (b.empty()) return;
        add(Vec2{b.x0, b.y0});
        add(Vec2{b.x1, b.y1});
    }
    bool intersects(const Box2& b) const { return !empty() && !b.empty() && x0 <= b.x1 && b.x0 <= x1 && y0 <= b.y1 && b.y0 <= y1; }
    double width() const { return empty() ? 0 : x1 - x0; }
    double height() const { return empty() ? 0 : y1 - y0; }
};

// x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy (the element order of QTransform, so a
// backend can hand the six numbers on unchanged).
struct Affine {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

    Vec2 map(Vec2 p) const { return {m11 * p.x + m21 * p.y + dx, m12 * p.x + m22 * p.y + dy}; }
    Vec2 mapVector(Vec2 v) const { return {m11 * v.x + m21 * v.y, m12 * v.x + m22 * v.y}; }
    // This map followed by `next`.
    Affine then(const Affine& n) const {
        return {m11 * n.m11 + m12 * n.m21, m11 * n.m12 + m12 * n.m22,
                m21 * n.m11 + m22 * n.m21, m21 * n.m12 + m22 * n.m22,
                dx * n.m11 + dy * n.m21 + n.dx, dx * n.m12 + dy * n.m22 + n.dy};
    }
    double determinant() const { return m11 * m22 - m12 * m21; }
    // The mean length a unit becomes (for flattening tolerances and dash lengths).
    double scale() const { return std::sqrt(std::fabs(determinant())); }
    bool mirrors() const { return determinant() < 0; }

    static Affine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static Affine rotation(double radians) {
        double c = std::cos(radians), s = std::sin(radians);
        return {c, s, -s, c, 0, 0};
    }
};

}  // namespace vx::render
