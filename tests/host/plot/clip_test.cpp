// Clipping paper geometry to a box.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/clip.h"

namespace vx::plot {
namespace {

using render::Box2;
using render::Polyline;
using render::Vec2;

const Box2 kBox{0, 0, 10, 10};

// Even-odd area of a polygon (rings summed with alternating sign works for nested rings).
double ringArea(const std::vector<Vec2>& ring) {
    double a = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const Vec2 p = ring[i], q = ring[(i + 1) % ring.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return std::fabs(a) / 2;
}

TEST(Clip, ALineThroughTheBoxIsCutAtItsEdges) {
    std::vector<Polyline> out;
    clipPolyline({{{-5, 5}, {15, 5}}, false}, kBox, out);
    ASSERT_EQ(out.size(), 1u);
    ASSERT_EQ(out[0].points.size(), 2u);
    EXPECT_DOUBLE_EQ(out[0].points[0].x, 0);
    EXPECT_DOUBLE_EQ(out[0].points[1].x, 10);
}

TEST(Clip, APolylineLeavingAndReturningBecomesTwoPieces) {
    std::vector<Polyline> out;
    clipPolyline({{{2, 2}, {2, 20}, {8, 20}, {8, 2}}, false}, kBox, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_DOUBLE_EQ(out[0].points.back().y, 10);
    EXPECT_DOUBLE_EQ(out[1].points.front().y, 10);
    EXPECT_DOUBLE_EQ(out[1].points.back().y, 2);
}

TEST(Clip, AClosedLineInsideStaysClosedAndOneOutsideVanishes) {
    std::vector<Polyline> out;
    clipPolyline({{{1, 1}, {9, 1}, {9, 9}}, true}, kBox, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0].closed);
    EXPECT_EQ(out[0].points.size(), 3u);
    out.clear();
    clipPolyline({{{20, 20}, {30, 20}, {30, 30}}, true}, kBox, out);
    EXPECT_TRUE(out.empty());
    // A closed line cut by the box keeps its closing segment.
    clipPolyline({{{5, 5}, {15, 5}, {15, 8}, {5, 8}}, true}, kBox, out);
    double length = 0;
    for (const auto& piece : out)
        for (size_t i = 1; i < piece.points.size(); ++i)
            length += std::hypot(piece.points[i].x - piece.points[i - 1].x, piece.points[i].y - piece.points[i - 1].y);
    EXPECT_NEAR(length, 5 + 3 + 5, 1e-12);
}

TEST(Clip, APolygonWithAHoleKeepsItsEvenOddAreaInsideTheBox) {
    // A 20 x 20 square with a 4 x 4 hole at (3,3)-(7,7), clipped to the 10 x 10 box.
    render::Polygon polygon{{{{-5, -5}, {15, -5}, {15, 15}, {-5, 15}}, {{3, 3}, {7, 3}, {7, 7}, {3, 7}}}};
    ASSERT_TRUE(clipPolygon(polygon, kBox));
    ASSERT_EQ(polygon.rings.size(), 2u);
    EXPECT_NEAR(ringArea(polygon.rings[0]) - ringArea(polygon.rings[1]), 100 - 16, 1e-9);
    render::Polygon outside{{{{20, 20}, {30, 20}, {30, 30}}}};
    EXPECT_FALSE(clipPolygon(outside, kBox));
}

}  // namespace
}  // namespace vx::plot
