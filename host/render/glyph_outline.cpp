// Curve flattening by uniform subdivision: the segment count comes from the bound on the
// distance between a curve and its chords (second derivative / 8n^2), so no recursion.
#include "render/glyph_outline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vx::render::font {

namespace {

double length(Vec2 v) { return std::hypot(v.x, v.y); }

int segmentsFor(double secondDerivative, double tolerance) {
    if (!(secondDerivative > 0)) return 1;
    double n = std::ceil(std::sqrt(secondDerivative / (8 * tolerance)));
    return static_cast<int>(std::clamp(n, 1.0, double(kMaxCurveSegments)));
}

void closeRing(Ring& ring, std::vector<Ring>& rings) {
    if (ring.size() > 1 && ring.front().x == ring.back().x && ring.front().y == ring.back().y) ring.pop_back();
    if (ring.size() >= 3) rings.push_back(std::move(ring));
    ring.clear();
}

}  // namespace

std::vector<Ring> flattenPath(const GlyphPath& path, double tolerance) {
    if (!(tolerance > 0)) tolerance = 1e-3;
    std::vector<Ring> rings;
    Ring ring;
    Vec2 at;
    for (const PathCommand& c : path) {
        switch (c.kind) {
        case PathCommand::Move:
            closeRing(ring, rings);
            at = c.p[0];
            ring.push_back(at);
            break;
        case PathCommand::Line:
            at = c.p[0];
            ring.push_back(at);
            break;
        case PathCommand::Quad: {
            Vec2 p0 = at, p1 = c.p[0], p2 = c.p[1];
            // |B''| = 2 |p0 - 2 p1 + p2|
            int n = segmentsFor(2 * length(p0 - p1 * 2 + p2), tolerance);
            for (int i = 1; i <= n; ++i) {
                double t = double(i) / n, u = 1 - t;
                ring.push_back(p0 * (u * u) + p1 * (2 * u * t) + p2 * (t * t));
            }
            at = p2;
            break;
        }
        case PathCommand::Cubic: {
            Vec2 p0 = at, p1 = c.p[0], p2 = c.p[1], p3 = c.p[2];
            // |B''| <= 6 max(|p0 - 2 p1 + p2|, |p1 - 2 p2 + p3|)
            double d = std::max(length(p0 - p1 * 2 + p2), length(p1 - p2 * 2 + p3));
            int n = segmentsFor(6 * d, tolerance);
            for (int i = 1; i <= n; ++i) {
                double t = double(i) / n, u = 1 - t;
                ring.push_back(p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t));
            }
            at = p3;
            break;
        }
        }
    }
    closeRing(ring, rings);
    return rings;
}

void placePolygons(const std::vector<Polygon>& polygons, double em, double x, std::vector<Polygon>& out) {
    for (const Polygon& p : polygons) {
        Polygon placed;
        placed.rings.reserve(p.rings.size());
        for (const Ring& ring : p.rings) {
            placed.rings.emplace_back();
            placed.rings.back().reserve(ring.size());
            for (Vec2 v : ring) placed.rings.back().push_back({x + v.x * em, v.y * em});
        }
        out.push_back(std::move(placed));
    }
}

double signedArea(const Ring& ring) {
    double a = 0;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        a += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
    return a / 2;
}

bool contains(const Ring& ring, Vec2 p) {
    bool in = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const Vec2 &a = ring[i], &b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

std::vector<Polygon> groupRings(std::vector<Ring> rings) {
    std::vector<Polygon> out;
    if (rings.empty()) return out;
    std::vector<double> area(rings.size());
    for (size_t i = 0; i < rings.size(); ++i) area[i] = signedArea(rings[i]);
    size_t largest = 0;
    for (size_t i = 1; i < rings.size(); ++i)
        if (std::fabs(area[i]) > std::fabs(area[largest])) largest = i;
    const bool outerPositive = area[largest] > 0;

    // Outlines, smallest first, so a hole goes to the tightest outline around it.
    std::vector<size_t> outers, holes;
    for (size_t i = 0; i < rings.size(); ++i) ((area[i] > 0) == outerPositive ? outers : holes).push_back(i);
    std::sort(outers.begin(), outers.end(), [&](size_t a, size_t b) { return std::fabs(area[a]) < std::fabs(area[b]); });

    std::vector<size_t> owner(rings.size(), SIZE_MAX);
    for (size_t h : holes) {
        for (size_t o : outers) {
            if (std::fabs(area[o]) > std::fabs(area[h]) && contains(rings[o], rings[h][0])) {
                owner[h] = o;
                break;
            }
        }
    }
    std::vector<size_t> polygonOf(rings.size(), SIZE_MAX);
    for (size_t i = 0; i < rings.size(); ++i) {
        if (owner[i] != SIZE_MAX) continue;  // a hole: added with its outline below
        polygonOf[i] = out.size();
        out.emplace_back();
        out.back().rings.push_back(std::move(rings[i]));
    }
    for (size_t i = 0; i < rings.size(); ++i)
        if (owner[i] != SIZE_MAX) out[polygonOf[owner[i]]].rings.push_back(std::move(rings[i]));
    return out;
}

}  // namespace vx::render::font
