// Level of detail: a block reference (or MINSERT cell) smaller than the caller's pixel is one
// dot in its own pen and its contents are not visited; one a little larger is drawn in full.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "recording_sink.h"

namespace {

using namespace vxtest;

// Blocks N0..N(depth-1), each inserting the next twice side by side (N(depth-1) is a unit line),
// all in colour ByBlock; N0 is referenced in green, and a MINSERT of the unit line (3 x 2 cells,
// 10 apart) stands above it in green as well. N0 is 2^depth - 1 wide.
std::unique_ptr<AcDbDatabase> nested(int depth) {
    const std::string script = "depth = " + std::to_string(depth) + R"PY(
for k in range(depth - 1, -1, -1):
    b = doc.blocks.new('N%d' % k)
    if k == depth - 1:
        b.add_line((0, 0), (1, 0), dxfattribs={'color': 0})
    else:
        b.add_blockref('N%d' % (k + 1), (0, 0), dxfattribs={'color': 0})
        b.add_blockref('N%d' % (k + 1), (2 ** (depth - k - 1), 0), dxfattribs={'color': 0})
msp.add_blockref('N0', (0, 0), dxfattribs={'color': 3})
m = msp.add_blockref('N%d' % (depth - 1), (0, 100), dxfattribs={'color': 3})
m.dxf.column_count, m.dxf.row_count = 3, 2
m.dxf.column_spacing, m.dxf.row_spacing = 10, 10
)PY";
    return ezdxfDrawing("nested-" + std::to_string(depth), script);
}

bool allGreen(const RecordingSink& sink) {
    for (const Pen& p : sink.pens())
        if (p.color.aci != 3) return false;
    return true;
}

TEST(Detail, ReferencesAtOrAboveAPixelAreDrawnInFull) {
    auto db = nested(12);
    ASSERT_TRUE(db);
    // Without a pixel and with one just under the unit line: 2^11 leaves and 6 cells.
    for (double pixel : {0.0, 0.9}) {
        RecordingSink sink;
        const auto stats = drawModel(*db, sink, 0.01, true, pixel);
        EXPECT_EQ(sink.lines().size(), 2048u + 6u) << pixel;
        EXPECT_TRUE(sink.dots().empty());
        EXPECT_EQ(stats.dotted, 0u);
    }
}

TEST(Detail, ReferencesUnderAPixelAreOneDotInTheirPen) {
    auto db = nested(12);
    ASSERT_TRUE(db);
    // The unit lines are under a pixel of 1.5: each becomes a dot at its middle, in the green
    // its references pass down, and nothing of it is drawn as a line.
    RecordingSink sink;
    auto stats = drawModel(*db, sink, 0.01, true, 1.5);
    EXPECT_TRUE(sink.lines().empty());
    ASSERT_EQ(sink.dots().size(), 2048u + 6u);
    EXPECT_EQ(stats.dotted, 2048u + 6u);
    EXPECT_TRUE(allGreen(sink));
    for (const Vec2& d : sink.dots()) {
        EXPECT_EQ(std::fmod(d.x, 2.0), 0.5) << d.x;
        EXPECT_TRUE(d.y == 0 || d.y == 100 || d.y == 110) << d.y;
    }

    // A pixel wider than all of N0 (4,095): N0 is a single dot, not recursed, and with the six
    // cells it reaches the sink in one call.
    RecordingSink whole;
    stats = drawModel(*db, whole, 0.01, true, 5000);
    EXPECT_EQ(stats.dotted, 7u);
    ASSERT_EQ(whole.calls.size(), 1u);
    EXPECT_EQ(whole.dots().size(), 7u);
    EXPECT_NEAR(whole.dots()[0].x, 4095 / 2.0, 1e-9);
    EXPECT_TRUE(allGreen(whole));

    // Just under N1's width (2,047) N0 is opened and its two halves are dots.
    RecordingSink halves;
    stats = drawModel(*db, halves, 0.01, true, 2048);
    EXPECT_EQ(stats.dotted, 2u + 6u);
}

TEST(Detail, APageOfDeeplyNestedBlocksCostsWhatItsPixelsHold) {
    // 24 levels: 2^23 leaves in full. On an A1 sheet at 0.05 mm (16,820 steps across the
    // 2^24 - 1 units) recursion stops where a reference is under one step: 2^15 dots.
    auto db = nested(24);
    ASSERT_TRUE(db);
    RecordingSink sink;
    const double width = std::ldexp(1.0, 24) - 1;
    const auto stats = drawModel(*db, sink, width / 16820, true, width / 16820);
    EXPECT_TRUE(sink.lines().empty());
    EXPECT_EQ(stats.dotted, 32768u + 6u);
    EXPECT_EQ(sink.dots().size(), 32768u + 6u);
}

// Loose entities of a space: a circle, a line on a blue layer, a text and a wipeout, all under a
// unit; a tiny line on a layer that is off; a long line across.
std::unique_ptr<AcDbDatabase> looseSmall() {
    return ezdxfDrawing("loose-small", R"PY(
doc.layers.add('BLUE', color=5)
doc.layers.add('HID', color=6).off()
msp.add_circle((10, 10), 0.2, dxfattribs={'color': 1})
msp.add_line((20, 0), (20.3, 0.1), dxfattribs={'layer': 'BLUE'})
msp.add_text('abc', height=0.1, dxfattribs={'color': 2, 'insert': (30, 0)})
msp.add_line((40, 0), (40.2, 0.2), dxfattribs={'layer': 'HID'})
msp.add_wipeout([(50, 0), (50.5, 0), (50.5, 0.5)])
msp.add_line((0, 50), (100, 50), dxfattribs={'color': 4})
)PY");
}

TEST(Detail, LooseEntitiesUnderAPixelAreOneDotInTheirOwnPen) {
    auto db = looseSmall();
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink, 0.01, true, 1.0);
    // Circle, line and text are dots; the line on the layer that is off is nothing; the long
    // line is drawn as it is; the wipeout keeps its mask (it must still cover what lies below).
    EXPECT_EQ(stats.dotted, 3u);
    ASSERT_EQ(sink.linesWithAci(4).size(), 1u);
    EXPECT_EQ(sink.linesWithAci(1).size() + sink.linesWithAci(5).size() + sink.linesWithAci(6).size(), 0u);
    std::vector<std::pair<Vec2, int>> dots;
    for (const auto& call : sink.calls)
        for (const Vec2& d : call.geometry.dots) dots.emplace_back(call.toWorld.map(d), call.pen.color.aci);
    ASSERT_EQ(dots.size(), 3u);
    auto dotOf = [&](int aci) {
        for (const auto& d : dots)
            if (d.second == aci) return d.first;
        ADD_FAILURE() << "no dot in colour " << aci;
        return Vec2{-1e9, -1e9};
    };
    const Vec2 circle = dotOf(1), line = dotOf(5), text = dotOf(2);
    EXPECT_NEAR(circle.x, 10, 1e-4);
    EXPECT_NEAR(circle.y, 10, 1e-4);
    EXPECT_NEAR(line.x, 20.15, 1e-4);
    EXPECT_NEAR(line.y, 0.05, 1e-4);
    EXPECT_GT(text.x, 30);
    EXPECT_LT(text.x, 30.5);
    EXPECT_FALSE(sink.rings().empty());  // the wipeout's mask
    EXPECT_FALSE(sink.barriers.empty());
}

TEST(Detail, LooseEntitiesAtOrAboveAPixelKeepTheirGeometry) {
    auto db = looseSmall();
    ASSERT_TRUE(db);
    for (double pixel : {0.0, 0.05}) {
        RecordingSink sink;
        const auto stats = drawModel(*db, sink, 0.001, true, pixel);
        EXPECT_EQ(stats.dotted, 0u) << pixel;
        EXPECT_TRUE(sink.dots().empty()) << pixel;
        ASSERT_EQ(sink.linesWithAci(1).size(), 1u) << pixel;  // the circle, flattened
        EXPECT_GT(sink.linesWithAci(1)[0].points.size(), 8u);
        EXPECT_EQ(sink.linesWithAci(5).size(), 1u) << pixel;
        EXPECT_FALSE(sink.texts().empty() && sink.linesWithAci(2).empty()) << pixel;
    }
}

TEST(Detail, APixelAlreadyInkedTakesNoSecondDot) {
    // In the pixel (0,0)-(1,1): a line on a layer that is off, then a red and a green circle;
    // a blue line in a pixel of its own.
    auto db = ezdxfDrawing("inked-pixel", R"PY(
doc.layers.add('HID', color=6).off()
msp.add_line((0, 0), (0.1, 0.1), dxfattribs={'layer': 'HID'})
msp.add_circle((0.3, 0.3), 0.05, dxfattribs={'color': 1})
msp.add_circle((0.6, 0.6), 0.05, dxfattribs={'color': 3})
msp.add_line((5, 5), (5.1, 5.1), dxfattribs={'color': 5})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink, 0.01, true, 1.0);
    // The hidden line inks nothing, so the red circle's dot is drawn; the green one's pixel is taken.
    EXPECT_EQ(stats.dotted, 3u);
    std::vector<int> colours;
    for (const auto& call : sink.calls)
        for (size_t k = 0; k < call.geometry.dots.size(); ++k) colours.push_back(call.pen.color.aci);
    std::sort(colours.begin(), colours.end());
    EXPECT_EQ(colours, (std::vector<int>{1, 5}));
}

}  // namespace
