// Curve flattening within the tolerance, and rings grouped so that even-odd filling per group
// fills what the nonzero rule fills.
#include <gtest/gtest.h>

#include <cmath>

#include "render/glyph_outline.h"

namespace vx::render::font {
namespace {

double distanceToPolyline(Vec2 p, const Ring& ring) {
    double best = 1e300;
    for (size_t i = 0; i < ring.size(); ++i) {
        Vec2 a = ring[i], b = ring[(i + 1) % ring.size()];
        Vec2 ab = b - a, ap = p - a;
        double len2 = ab.x * ab.x + ab.y * ab.y;
        double t = len2 > 0 ? std::clamp((ap.x * ab.x + ap.y * ab.y) / len2, 0.0, 1.0) : 0;
        Vec2 q = a + ab * t;
        best = std::min(best, std::hypot(p.x - q.x, p.y - q.y));
    }
    return best;
}

Ring square(double x0, double y0, double size, bool counterClockwise) {
    Ring r = {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
    if (!counterClockwise) std::reverse(r.begin(), r.end());
    return r;
}

TEST(GlyphOutline, CurvesStayWithinTheToleranceWithFewSegments) {
    Vec2 p0{0, 0}, q{50, 100}, p2{100, 0}, c1{0, 100}, c2{100, -100}, p3{100, 50};
    GlyphPath path = {{PathCommand::Move, {p0}}, {PathCommand::Quad, {q, p2}}, {PathCommand::Cubic, {c1, c2, p3}}};
    for (double tolerance : {1.0, 0.1, 0.01}) {
        std::vector<Ring> rings = flattenPath(path, tolerance);
        ASSERT_EQ(rings.size(), 1u);
        const Ring& ring = rings[0];
        for (int i = 0; i <= 1000; ++i) {
            double t = i / 1000.0, u = 1 - t;
            Vec2 quad = p0 * (u * u) + q * (2 * u * t) + p2 * (t * t);
            Vec2 cubic = p2 * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) + p3 * (t * t * t);
            EXPECT_LE(distanceToPolyline(quad, ring), tolerance * 1.001);
            EXPECT_LE(distanceToPolyline(cubic, ring), tolerance * 1.001);
        }
        // Uniform subdivision by the curvature bound: about sqrt(1/tolerance) more points per step.
        EXPECT_LT(ring.size(), tolerance >= 1 ? 40u : tolerance >= 0.1 ? 110u : 330u);
    }
    // A degenerate path (a point, a line) gives no ring to fill.
    EXPECT_TRUE(flattenPath({{PathCommand::Move, {p0}}, {PathCommand::Line, {p2}}}, 0.1).empty());
}

TEST(GlyphOutline, OverlappingOutlinesStayFilledAndHolesStayOpen) {
    // Two overlapping squares turning the same way: under even-odd in one polygon the overlap
    // would be a hole; they must become two polygons.
    std::vector<Polygon> overlap = groupRings({square(0, 0, 10, true), square(5, 5, 10, true)});
    ASSERT_EQ(overlap.size(), 2u);
    EXPECT_EQ(overlap[0].rings.size(), 1u);

    // An "O": outline and counter turning opposite ways form one polygon with a hole, whichever
    // way the font turns its outlines (TrueType clockwise, CFF counter-clockwise).
    for (bool ccw : {true, false}) {
        std::vector<Polygon> o = groupRings({square(2, 2, 6, !ccw), square(0, 0, 10, ccw)});
        ASSERT_EQ(o.size(), 1u);
        ASSERT_EQ(o[0].rings.size(), 2u);
        EXPECT_GT(std::fabs(signedArea(o[0].rings[0])), std::fabs(signedArea(o[0].rings[1])));
    }

    // An island inside the hole is filled again; two holes in two outlines go to their own.
    std::vector<Polygon> island = groupRings({square(0, 0, 10, true), square(2, 2, 6, false), square(4, 4, 2, true)});
    EXPECT_EQ(island.size(), 2u);
    std::vector<Polygon> pairs = groupRings(
        {square(0, 0, 10, true), square(20, 0, 10, true), square(22, 2, 2, false), square(2, 2, 2, false)});
    ASSERT_EQ(pairs.size(), 2u);
    for (const Polygon& p : pairs) {
        ASSERT_EQ(p.rings.size(), 2u);
        EXPECT_TRUE(contains(p.rings[0], p.rings[1][0]));
    }
}

}  // namespace
}  // namespace vx::render::font
