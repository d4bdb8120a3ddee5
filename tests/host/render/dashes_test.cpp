// Linetype patterns cut paths into dashes of the scaled lengths, restart at vertices when asked,
// draw dots, and give up on patterns too fine to draw.
#include <gtest/gtest.h>

#include <cmath>

#include "render/dashes.h"

namespace {

using vx::render::Geometry;
using vx::render::Linetype;
using vx::render::PatternedPath;
using vx::render::Vec2;

Linetype pattern(std::vector<double> p) {
    Linetype lt;
    lt.pattern = p;
    for (double d : p) lt.length += std::fabs(d);
    return lt;
}

double length(const vx::render::Polyline& l) {
    double s = 0;
    for (size_t i = 1; i < l.points.size(); ++i) s += std::hypot(l.points[i].x - l.points[i - 1].x, l.points[i].y - l.points[i - 1].y);
    return s;
}

TEST(Dashes, LengthsFollowPatternAndScale) {
    const Linetype dashed = pattern({0.5, -0.25});
    PatternedPath p;
    p.path.points = {{0, 0}, {10, 0}};
    Geometry g;
    vx::render::applyLinetype(p, &dashed, 2.0, g);  // dash 1, gap 0.5, period 1.5
    ASSERT_EQ(g.lines.size(), 7u);                  // 6 whole periods and a dash cut at 10
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_NEAR(length(g.lines[i]), 1.0, 1e-12);
        EXPECT_NEAR(g.lines[i].points[0].x, 1.5 * static_cast<double>(i), 1e-12);
    }
    EXPECT_NEAR(length(g.lines[6]), 1.0, 1e-12);
    EXPECT_NEAR(g.lines[6].points.back().x, 10, 1e-12);
}

TEST(Dashes, ContinueAroundCornersUnlessRestarted) {
    const Linetype dashed = pattern({3, -1});
    PatternedPath p;
    p.path.points = {{0, 0}, {2, 0}, {2, 2}};
    Geometry through;
    vx::render::applyLinetype(p, &dashed, 1.0, through);
    // The first dash runs 3 units: 2 along x and 1 up, with the corner inside it.
    ASSERT_GE(through.lines.size(), 1u);
    ASSERT_EQ(through.lines[0].points.size(), 3u);
    EXPECT_NEAR(length(through.lines[0]), 3, 1e-12);
    // Restarting at the corner begins a new dash there.
    p.restarts = {1};
    Geometry restarted;
    vx::render::applyLinetype(p, &dashed, 1.0, restarted);
    ASSERT_EQ(restarted.lines.size(), 2u);
    EXPECT_NEAR(length(restarted.lines[0]), 2, 1e-12);
    EXPECT_NEAR(length(restarted.lines[1]), 2, 1e-12);
    EXPECT_NEAR(restarted.lines[1].points[0].y, 0, 1e-12);
}

TEST(Dashes, DotsClosedPathsAndPatternsTooFine) {
    const Linetype dots = pattern({0, -0.75});
    PatternedPath square;
    square.path.points = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    square.path.closed = true;
    Geometry g;
    vx::render::applyLinetype(square, &dots, 1.0, g);
    EXPECT_TRUE(g.lines.empty());
    EXPECT_EQ(g.dots.size(), 11u);  // at 0, 0.75 ... 7.5 around the 8-unit square
    EXPECT_NEAR(g.dots[3].x, 2, 1e-12);  // 2.25 along: round the first corner
    EXPECT_NEAR(g.dots[3].y, 0.25, 1e-12);
    // A pattern so fine it would repeat millions of times draws the path whole.
    const Linetype fine = pattern({1e-9, -1e-9});
    PatternedPath line;
    line.path.points = {{0, 0}, {1000, 0}};
    Geometry whole;
    vx::render::applyLinetype(line, &fine, 1.0, whole);
    ASSERT_EQ(whole.lines.size(), 1u);
    EXPECT_EQ(whole.lines[0].points.size(), 2u);
    // No linetype, or one without length: continuous.
    Geometry plain;
    vx::render::applyLinetype(line, nullptr, 1.0, plain);
    EXPECT_EQ(plain.lines.size(), 1u);
}

}  // namespace
