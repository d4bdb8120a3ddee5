// Shape fonts: the three containers, every special code of the shape language, and files made
// to break the reader.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "render/shx_file.h"
#include "render/shx_shape.h"
#include "shx_writer.h"

namespace vx::render::font {
namespace {

using test::ShxShape;
using test::shapeBytes;

constexpr double kPi = 3.14159265358979323846;

ShxFile load(const std::string& bytes) {
    std::string error;
    auto f = parseShx(bytes, error);
    EXPECT_TRUE(f.has_value()) << error;
    return f ? *f : ShxFile();
}

void expectPoint(Vec2 p, double x, double y, double eps = 1e-9) {
    EXPECT_NEAR(p.x, x, eps);
    EXPECT_NEAR(p.y, y, eps);
}

// Every point of every stroke lies on the circle, and chords stay within the tolerance.
void expectOnCircle(const ShapeOutput& out, Vec2 centre, double radius, double tolerance) {
    size_t points = 0;
    for (const Polyline& s : out.strokes) {
        for (size_t i = 0; i < s.points.size(); ++i) {
            Vec2 p = s.points[i];
            EXPECT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), radius, 1e-9);
            if (i > 0) {
                Vec2 m = (p + s.points[i - 1]) * 0.5;
                EXPECT_LE(radius - std::hypot(m.x - centre.x, m.y - centre.y), tolerance + 1e-12);
            }
            ++points;
        }
    }
    EXPECT_GT(points, 2u);
}

TEST(ShxContainers, ShapesUnifontAndBigFontKeepTheirHeightsAndShapes) {
    ShxFile shapes = load(test::shapesFile({{'A', shapeBytes({0x14, 0})}}, 10, 3));
    EXPECT_EQ(shapes.kind, ShxKind::Shapes);
    EXPECT_EQ(shapes.above, 10);
    EXPECT_EQ(shapes.below, 3);
    EXPECT_EQ(shapes.name, "test shapes");
    EXPECT_EQ(shapes.shape('A'), shapeBytes({0x14, 0}));
    EXPECT_FALSE(shapes.has('B'));

    ShxFile uni = load(test::unifontFile({{0x4E2D, shapeBytes({0x24, 0})}}, 8, 2));
    EXPECT_EQ(uni.kind, ShxKind::Unifont);
    EXPECT_EQ(uni.above, 8);
    EXPECT_EQ(uni.below, 2);
    EXPECT_EQ(uni.shape(0x4E2D), shapeBytes({0x24, 0}));

    ShxFile big = load(test::bigFontFile({{0x8140, shapeBytes({0x10, 0})}}, 12, 0, {{0x81, 0x9F}, {0xE0, 0xFC}}));
    EXPECT_EQ(big.kind, ShxKind::BigFont);
    EXPECT_EQ(big.above, 12);
    EXPECT_EQ(big.width, 0);
    EXPECT_TRUE(big.isLeadByte(0x81) && big.isLeadByte(0x9F) && big.isLeadByte(0xE0));
    EXPECT_FALSE(big.isLeadByte(0xA0) || big.isLeadByte(0x41));
    EXPECT_EQ(big.shape(0x8140), shapeBytes({0x10, 0}));

    ShxFile extended = load(test::bigFontFile({}, 16, 0, {{0x81, 0xFE}}, 16));
    EXPECT_EQ(extended.width, 16);
}

TEST(ShxContainers, NotAShapeFontIsRefusedWithAReason) {
    std::string error;
    EXPECT_FALSE(parseShx("", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(parseShx("AutoCAD-86 something 1.0\r\n\x1a", error));
    EXPECT_FALSE(parseShx(std::string(100, 'x'), error));
    // A big font without escape ranges cannot map a double-byte code.
    EXPECT_FALSE(parseShx(test::bigFontFile({}, 10, 0, {}), error));
}

TEST(ShxShapeCodes, VectorsPenUpAndDownMakeSeparateStrokes) {
    // H: left stem, bar, right stem; the pen ends two units right of the letter.
    ShxFile f = load(test::shapesFile(
        {{'H', shapeBytes({0xA4, 2, 0x5C, 1, 0x60, 2, 0x54, 1, 0xAC, 2, 0x20, 0})}}, 10, 2));
    ShapeOutput out = drawShape(f, 'H', 0.01);
    ASSERT_EQ(out.strokes.size(), 3u);
    expectPoint(out.strokes[0].points.front(), 0, 0);
    expectPoint(out.strokes[0].points.back(), 0, 10);
    expectPoint(out.strokes[1].points.front(), 0, 5);
    expectPoint(out.strokes[1].points.back(), 6, 5);
    expectPoint(out.strokes[2].points.front(), 6, 10);
    expectPoint(out.strokes[2].points.back(), 6, 0);
    expectPoint(out.end, 8, 0);
    EXPECT_FALSE(out.truncated);
}

TEST(ShxShapeCodes, AllSixteenDirectionsAndDisplacements) {
    std::string body;
    for (int d = 0; d < 16; ++d) body += static_cast<char>(0x20 | d);  // length 2 in each direction
    body += shapeBytes({8, -3, 7, 9, 1, 1, 2, -1, 0, 0, 0});
    ShxFile f = load(test::shapesFile({{'D', body}}, 10, 0));
    ShapeOutput out = drawShape(f, 'D', 0.01);
    ASSERT_EQ(out.strokes.size(), 1u);
    const auto& p = out.strokes[0].points;
    ASSERT_EQ(p.size(), 20u);
    expectPoint(p[1], 2, 0);
    expectPoint(p[2], 4, 1);    // direction 1: (1, 0.5)
    expectPoint(p[4], 7, 5);    // direction 3: (0.5, 1)
    expectPoint(p[16], 0, 0);   // the sixteen directions sum to nothing
    expectPoint(p[17], -3, 7);  // code 8
    expectPoint(p[18], -2, 8);  // code 9, until (0,0)
    expectPoint(p[19], 0, 7);
    expectPoint(out.end, 0, 7);
}

TEST(ShxShapeCodes, OctantArcDrawsAFullCircleFromItsStartOctant) {
    // Pen up to (5,0), a full circle of radius 5 starting at octant 6 (the bottom), pen up on.
    ShxFile f = load(test::shapesFile({{'O', shapeBytes({2, 0x50, 1, 10, 5, 0x60, 2, 0x70, 0})}}, 10, 0));
    ShapeOutput out = drawShape(f, 'O', 0.02);
    ASSERT_EQ(out.strokes.size(), 1u);
    expectOnCircle(out, {5, 5}, 5, 0.02);
    expectPoint(out.strokes[0].points.front(), 5, 0);
    expectPoint(out.strokes[0].points.back(), 5, 0, 1e-9);
    expectPoint(out.end, 12, 0, 1e-9);

    // A clockwise quarter from octant 2 (the top) ends at octant 0.
    ShxFile q = load(test::shapesFile({{'Q', shapeBytes({10, 4, 0xA2, 0})}}, 10, 0));
    ShapeOutput quarter = drawShape(q, 'Q', 0.01);
    expectOnCircle(quarter, {0, -4}, 4, 0.01);
    expectPoint(quarter.end, 4, -4, 1e-9);
}

TEST(ShxShapeCodes, FractionalArcsStartAndEndInsideTheirOctants) {
    auto end = [](double a0, double a1, double r) {
        Vec2 c{-r * std::cos(a0), -r * std::sin(a0)};
        return Vec2{c.x + r * std::cos(a1), c.y + r * std::sin(a1)};
    };
    // The customization guide's example: 55 to 97 degrees, radius 3.
    ShxFile f = load(test::shapesFile({{'F', shapeBytes({11, 56, 39, 0, 3, 0x12, 0})},
                                       {'G', shapeBytes({11, 128, 64, 1, 0, 0x12, 0})},
                                       {'C', shapeBytes({11, 128, 64, 0, 20, 0xB2, 0})},
                                       {'E', shapeBytes({11, 0, 0, 0, 8, 0x02, 0})}},
                                      10, 0));
    double deg = kPi / 180, unit = 45.0 / 256 * deg;
    Vec2 e = end(45 * deg + 56 * unit, 90 * deg + 39 * unit, 3);
    expectPoint(drawShape(f, 'F', 0.01).end, e.x, e.y, 1e-9);
    // High radius byte: 256 units from 67.5 to 101.25 degrees.
    ShapeOutput g = drawShape(f, 'G', 0.5);
    e = end(67.5 * deg, 101.25 * deg, 256);
    expectPoint(g.end, e.x, e.y, 1e-9);
    Vec2 c{-256 * std::cos(67.5 * deg), -256 * std::sin(67.5 * deg)};
    expectOnCircle(g, c, 256, 0.5);
    // Clockwise, offsets measured in the arc's direction: 112.5 down to 78.75 degrees.
    e = end(112.5 * deg, 78.75 * deg, 20);
    expectPoint(drawShape(f, 'C', 0.01).end, e.x, e.y, 1e-9);
    // An end offset of 0 ends on the last octant's far boundary: a quarter circle.
    expectPoint(drawShape(f, 'E', 0.01).end, -8, 8, 1e-9);
}

TEST(ShxShapeCodes, BulgeArcsBendToTheSideTheirSignSays) {
    ShxFile f = load(test::shapesFile({{'B', shapeBytes({12, 10, 0, 127, 0})},
                                       {'b', shapeBytes({12, 10, 0, -127, 0})},
                                       {'M', shapeBytes({13, 4, 0, 127, 4, 0, -127, 0, 0, 12, 0, 0, 0, 0})},
                                       {'L', shapeBytes({12, 6, 8, 0, 0})}},
                                      10, 0));
    auto yRange = [](const ShapeOutput& out) {
        double lo = 1e9, hi = -1e9;
        for (const auto& s : out.strokes)
            for (Vec2 p : s.points) lo = std::min(lo, p.y), hi = std::max(hi, p.y);
        return std::make_pair(lo, hi);
    };
    ShapeOutput ccw = drawShape(f, 'B', 0.01);
    expectOnCircle(ccw, {5, 0}, 5, 0.01);
    EXPECT_NEAR(yRange(ccw).first, -5, 0.02);  // counter-clockwise from left to right: below
    expectPoint(ccw.end, 10, 0, 1e-9);
    EXPECT_NEAR(yRange(drawShape(f, 'b', 0.01)).second, 5, 0.02);
    ShapeOutput wave = drawShape(f, 'M', 0.01);
    EXPECT_NEAR(yRange(wave).first, -2, 0.02);
    EXPECT_NEAR(yRange(wave).second, 2, 0.02);
    expectPoint(wave.end, 8, 0, 1e-9);  // the (0,0) pair ends the list: 12,0,0 is a new command
    ShapeOutput line = drawShape(f, 'L', 0.01);  // bulge 0 is a straight line
    ASSERT_EQ(line.strokes.size(), 1u);
    EXPECT_EQ(line.strokes[0].points.size(), 2u);
    expectPoint(line.end, 6, 8);
}

TEST(ShxShapeCodes, SubShapesScaleAndTheLocationStack) {
    // K: push, scale by 3, draw I (up 2) as a sub-shape, pop back, pen up, move 3 (scaled: 9).
    // N: divide by 2 then multiply by 4: vectors twice as long.
    ShxFile f = load(test::shapesFile({{'I', shapeBytes({0x24, 0})},
                                       {'K', shapeBytes({5, 4, 3, 7, 'I', 6, 2, 0x30, 0})},
                                       {'N', shapeBytes({3, 2, 4, 4, 0x10, 0})}},
                                      10, 0));
    ShapeOutput k = drawShape(f, 'K', 0.01);
    ASSERT_EQ(k.strokes.size(), 1u);
    expectPoint(k.strokes[0].points.front(), 0, 0);
    expectPoint(k.strokes[0].points.back(), 0, 6);
    expectPoint(k.end, 9, 0);
    expectPoint(drawShape(f, 'N', 0.01).end, 2, 0);
}

TEST(ShxShapeCodes, VerticalOnlyCommandsAreSkippedWithTheirArguments) {
    // Code 14 skips the next command; an 8 skipped must take its two bytes along, or the 5s
    // would run as pushes and the final vector would not start at the origin.
    ShxFile f = load(test::shapesFile({{'V', shapeBytes({0x14, 14, 0x20, 2, 0x30, 0})},
                                       {'W', shapeBytes({14, 8, 5, 5, 0x10, 0})},
                                       {'X', shapeBytes({14, 11, 1, 2, 3, 4, 5, 0x10, 0})}},
                                      10, 0));
    ShapeOutput v = drawShape(f, 'V', 0.01);
    ASSERT_EQ(v.strokes.size(), 1u);
    expectPoint(v.strokes[0].points.back(), 0, 1);
    expectPoint(v.end, 3, 1);
    ShapeOutput w = drawShape(f, 'W', 0.01);
    ASSERT_EQ(w.strokes.size(), 1u);
    expectPoint(w.strokes[0].points.front(), 0, 0);
    expectPoint(w.end, 1, 0);
    expectPoint(drawShape(f, 'X', 0.01).end, 1, 0);
}

TEST(ShxShapeCodes, UnicodeAndBigFontSubShapesUseTwoByteNumbers) {
    ShxFile uni = load(test::unifontFile({{0x0100, shapeBytes({0x24, 0})}, {0x4E2D, shapeBytes({7, 0x01, 0x00, 0x30, 0})}},
                                         10, 0));
    ShapeOutput u = drawShape(uni, 0x4E2D, 0.01);
    ASSERT_EQ(u.strokes.size(), 1u);
    expectPoint(u.end, 3, 2);

    // Extended big font: a primitive (a 10-unit bar) placed at (0, 5) of the 10x10 cell and
    // scaled to half its width; the pen stays at the character's origin.
    ShxFile big = load(test::bigFontFile({{0x8140, shapeBytes({0xA0, 0})},
                                          {0x8141, shapeBytes({7, 0, 0x81, 0x40, 0, 5, 5, 10, 0})},
                                          {0x8142, shapeBytes({7, 0x81, 0x40, 0})}},
                                         10, 0, {{0x81, 0x9F}}, 10));
    ShapeOutput e = drawShape(big, 0x8141, 0.01);
    ASSERT_EQ(e.strokes.size(), 1u);
    expectPoint(e.strokes[0].points.front(), 0, 5);
    expectPoint(e.strokes[0].points.back(), 5, 5);
    expectPoint(e.end, 0, 0);
    expectPoint(drawShape(big, 0x8142, 0.01).end, 10, 0);
}

TEST(ShxHostile, RecursionFanOutAndStackAbuseStopWithinTheLimits) {
    std::string fan;
    for (int i = 0; i < 200; ++i) fan += shapeBytes({7, 'Y'});
    fan += '\0';
    std::string scale;
    for (int i = 0; i < 40; ++i) scale += shapeBytes({4, 255});
    scale += shapeBytes({0xF0, 10, 255, 0x00, 12, 100, 100, 100, 0});
    std::string stack;
    for (int i = 0; i < 30; ++i) stack += shapeBytes({5, 0x11});
    for (int i = 0; i < 40; ++i) stack += shapeBytes({6});
    stack += shapeBytes({0x10, 0});
    ShxFile f = load(test::shapesFile({{'R', shapeBytes({0x10, 7, 'R', 0})},  // draws itself
                                       {'X', fan},
                                       {'Y', fan.substr(0, fan.size() - 1) + shapeBytes({7, 'Z', 0})},
                                       {'Z', shapeBytes({0x11, 0})},
                                       {'S', scale},
                                       {'T', stack},
                                       {'U', shapeBytes({3, 0, 0x10, 7, 'Q', 0x10})}},  // no end byte
                                      10, 0));
    ShapeOutput r = drawShape(f, 'R', 0.01);
    EXPECT_TRUE(r.truncated);
    EXPECT_LE(r.strokes.size(), size_t(kMaxShapeDepth + 2));

    ShapeOutput x = drawShape(f, 'X', 0.01);  // 200 * 200 * 200 sub-shapes if nothing stopped it
    EXPECT_TRUE(x.truncated);
    size_t points = 0;
    for (const auto& s : x.strokes) points += s.points.size();
    EXPECT_LE(points, kMaxShapePoints + 2048);

    ShapeOutput s = drawShape(f, 'S', 0.01);
    for (const auto& line : s.strokes)
        for (Vec2 p : line.points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));

    ShapeOutput t = drawShape(f, 'T', 0.01);
    expectPoint(t.end, 1, 0);  // 16 pushes kept, the rest ignored: the last pop returns to the origin

    ShapeOutput u = drawShape(f, 'U', 0.01);  // division by 0 ignored, missing sub-shape skipped
    expectPoint(u.end, 2, 0);
}

TEST(ShxHostile, DamagedContainersKeepWhatFitsAndNeverReadOutside) {
    std::string good = test::shapesFile({{'A', shapeBytes({0x14, 0})}, {'B', shapeBytes({0x24, 0})}}, 10, 0);
    // Cut before the last record: the first shapes stay usable.
    std::string error;
    auto cut = parseShx(good.substr(0, good.size() - 8), error);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->has('A'));
    EXPECT_FALSE(cut->has('B'));
    // A count larger than the index refuses the file.
    std::string bigCount = good;
    bigCount[24 + 4] = '\xFF', bigCount[24 + 5] = '\x7F';
    EXPECT_FALSE(parseShx(bigCount, error));

    // Big font locators pointing outside the file, and a record without a name terminator.
    std::string big = test::bigFontFile({{0x8140, shapeBytes({0x10, 0})}, {0x8141, shapeBytes({0x20, 0})}}, 10, 0,
                                        {{0x81, 0x9F}});
    size_t locators = 25 + 6 + 4;
    std::string outside = big;
    outside[locators + 8 + 4] = '\xF0', outside[locators + 8 + 7] = '\x7F';  // 0x8140's offset
    auto o = parseShx(outside, error);
    ASSERT_TRUE(o);
    EXPECT_FALSE(o->has(0x8140));
    EXPECT_TRUE(o->has(0x8141));
    std::string noName = test::unifontFile({{'A', shapeBytes({0x14, 0})}}, 10, 0);
    noName.replace(noName.size() - 5, 5, "abcde");  // the record "u65\0" + body loses its NUL
    auto n = parseShx(noName, error);
    ASSERT_TRUE(n);
    EXPECT_FALSE(n->has('A'));
    // A unifont that claims four billion records ends where the bytes end.
    std::string uni = test::unifontFile({{'A', shapeBytes({0x14, 0})}}, 10, 0);
    uni[25] = uni[26] = uni[27] = uni[28] = '\xFF';
    auto u = parseShx(uni, error);
    ASSERT_TRUE(u);
    EXPECT_TRUE(u->has('A'));
}

TEST(ShxHostile, RandomDamageNeverCrashesOrRunsAway) {
    const std::vector<std::string> seeds = {
        test::shapesFile({{'A', shapeBytes({0x14, 10, 3, 0x12, 2, 0x20, 7, 'B', 0})}, {'B', shapeBytes({12, 5, 5, 60, 0})}},
                         10, 2),
        test::unifontFile({{0x41, shapeBytes({11, 1, 2, 0, 9, 0x34, 7, 0, 0x42, 0})}, {0x42, shapeBytes({9, 1, 1, 0, 0, 0})}},
                          10, 2),
        test::bigFontFile({{0x8140, shapeBytes({13, 3, 3, 20, 0, 0, 0})}, {0x8141, shapeBytes({7, 0, 0x81, 0x40, 1, 1, 5, 5, 0})}},
                          10, 0, {{0x81, 0xFE}}, 10),
    };
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = seeds[round % seeds.size()];
        int edits = 1 + int(rng() % 8);
        for (int e = 0; e < edits; ++e) bytes[rng() % bytes.size()] = static_cast<char>(rng());
        if (rng() % 4 == 0) bytes.resize(rng() % bytes.size());
        std::string error;
        auto f = parseShx(bytes, error);
        if (!f) continue;
        for (auto& [code, body] : f->shapes) {
            ASSERT_LE(uint64_t(body.first) + body.second, f->bytes.size());
            ShapeOutput out = drawShape(*f, code, 0.05);
            size_t points = 0;
            for (const auto& s : out.strokes) points += s.points.size();
            ASSERT_LE(points, kMaxShapePoints + 2048);
        }
    }
}

}  // namespace
}  // namespace vx::render::font
