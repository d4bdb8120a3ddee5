// Properties as CAD hosts resolve them: ByBlock through nested references, layer "0" inside
// blocks, layers off / frozen / not plotted and "Defpoints", invisible entities, linetypes with
// $LTSCALE, the entity scale and PLINEGEN, lineweights and true colours.
#include <gtest/gtest.h>

#include <cmath>

#include "recording_sink.h"

namespace {

using namespace vxtest;

// The colour index each line's pen has, by the line's starting x.
std::map<int, int> colourByX(const RecordingSink& sink) {
    std::map<int, int> out;
    for (const auto& c : sink.calls)
        for (const Polyline& l : c.geometry.lines) out[static_cast<int>(std::lround(c.toWorld.map(l.points[0]).x))] = c.pen.color.aci;
    return out;
}

TEST(Properties, ByBlockThroughNestedReferencesAndLayerZeroInBlocks) {
    auto db = ezdxfDrawing("byblock", R"PY(
doc.layers.add('A', color=2)
doc.layers.add('B', color=4)
inner = doc.blocks.new('INNER')
inner.add_line((0, 0), (0, 1), dxfattribs={'color': 0})
inner.add_line((1, 0), (1, 1), dxfattribs={'layer': '0'})
inner.add_line((2, 0), (2, 1), dxfattribs={'layer': 'B'})
inner.add_line((3, 0), (3, 1), dxfattribs={'color': 6})
outer = doc.blocks.new('OUTER')
outer.add_blockref('INNER', (0, 0), dxfattribs={'color': 0, 'layer': '0'})
msp.add_blockref('OUTER', (100, 0), dxfattribs={'color': 3, 'layer': 'A'})
msp.add_blockref('OUTER', (200, 0), dxfattribs={'layer': 'A'})
msp.add_blockref('INNER', (300, 0), dxfattribs={'color': 0})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    const auto c = colourByX(sink);
    // Through OUTER (colour 3, layer A): ByBlock twice over is green; layer 0 takes layer A.
    EXPECT_EQ(c.at(100), 3);
    EXPECT_EQ(c.at(101), 2);
    EXPECT_EQ(c.at(102), 4);
    EXPECT_EQ(c.at(103), 6);
    // OUTER by layer A: ByBlock reaches the layer's colour.
    EXPECT_EQ(c.at(200), 2);
    EXPECT_EQ(c.at(201), 2);
    // ByBlock at the top of the drawing is colour 7.
    EXPECT_EQ(c.at(300), 7);
    EXPECT_EQ(c.at(301), 7);
}

TEST(Properties, LayerStatesDefpointsAndInvisibleEntities) {
    auto db = ezdxfDrawing("layers", R"PY(
doc.layers.add('OFF').off()
doc.layers.add('FROZEN').freeze()
doc.layers.add('NOPLOT', plot=False)
if 'Defpoints' not in doc.layers:
    doc.layers.add('Defpoints')
doc.layers.add('VISIBLE')
b = doc.blocks.new('B')
b.add_line((0, 0), (0, 1), dxfattribs={'layer': '0'})
b.add_line((1, 0), (1, 1), dxfattribs={'layer': 'VISIBLE'})
for x, layer in [(0, 'OFF'), (10, 'FROZEN'), (20, 'NOPLOT'), (30, 'Defpoints'), (40, 'VISIBLE')]:
    msp.add_line((x, 0), (x, 1), dxfattribs={'layer': layer})
msp.add_line((50, 0), (50, 1))
msp.add_blockref('B', (100, 0), dxfattribs={'layer': 'OFF'})
msp.add_blockref('B', (200, 0), dxfattribs={'layer': 'FROZEN'})
)PY");
    ASSERT_TRUE(db);
    {
        // Made invisible through the API (the writer of the fixture leaves flag 60 out).
        AcDbBlockTableRecord* ms = nullptr;
        ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
        AcDbObjectPointer<AcDbEntity> hidden(ms->entities()[5]->objectId(), AcDb::kForWrite);
        ms->close();
        ASSERT_EQ(hidden.openStatus(), Acad::eOk);
        ASSERT_EQ(hidden->setVisibility(false), Acad::eOk);
    }
    RecordingSink plot, view;
    drawModel(*db, plot, 0.01, true);
    drawModel(*db, view, 0.01, false);
    auto xs = [](const RecordingSink& s) {
        std::vector<int> out;
        for (const auto& kv : colourByX(s)) out.push_back(kv.first);
        return out;
    };
    // Plotting: only the visible layer, and of the reference on an off layer only what lies on
    // a layer of its own; a reference on a frozen layer is gone whole.
    EXPECT_EQ(xs(plot), (std::vector<int>{40, 101}));
    // On screen, layers that are not plotted (and Defpoints) show.
    EXPECT_EQ(xs(view), (std::vector<int>{20, 30, 40, 101}));
}

TEST(Properties, LinetypeScalesAndContinuousGeneration) {
    auto db = ezdxfDrawing("linetypes", R"PY(
doc.header['$LTSCALE'] = 2
doc.linetypes.add('DASHED2', pattern=[0.75, 0.5, -0.25], description='__ __')
msp.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'DASHED2', 'ltscale': 3, 'color': 1})
doc.layers.add('L', linetype='DASHED2')
msp.add_line((0, 10), (100, 10), dxfattribs={'layer': 'L', 'color': 2})
pts = [(0, 20), (1, 20), (2, 20), (3, 20), (4, 20)]
msp.add_lwpolyline(pts, dxfattribs={'linetype': 'DASHED2', 'color': 3})
p = msp.add_lwpolyline([(x, y + 10) for x, y in pts], dxfattribs={'linetype': 'DASHED2', 'color': 4})
p.dxf.flags = p.dxf.flags | 128
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    // Dash 0.5 x $LTSCALE 2 x entity scale 3 = 3, gap 0.25 x 6 = 1.5.
    const auto scaled = sink.linesWithAci(1);
    ASSERT_GT(scaled.size(), 10u);
    EXPECT_NEAR(pathLength(scaled[0]), 3, 1e-9);
    EXPECT_NEAR(scaled[1].points[0].x - scaled[0].points[1].x, 1.5, 1e-9);
    // By layer: the layer's linetype at $LTSCALE only.
    const auto byLayer = sink.linesWithAci(2);
    ASSERT_GT(byLayer.size(), 10u);
    EXPECT_NEAR(pathLength(byLayer[0]), 1, 1e-9);
    // Without PLINEGEN the pattern starts again at each vertex: 4 segments of 1, each a dash
    // of 1 (period 1.5). With it, one pattern runs along: dashes of 1 and gaps of 0.5.
    const auto perSegment = sink.linesWithAci(3);
    EXPECT_EQ(perSegment.size(), 4u);
    const auto continuous = sink.linesWithAci(4);
    ASSERT_EQ(continuous.size(), 3u);
    EXPECT_NEAR(continuous[1].points[0].x, 1.5, 1e-9);
}

TEST(Properties, LineweightsAndTrueColours) {
    auto db = ezdxfDrawing("weights", R"PY(
doc.layers.add('W', lineweight=35)
b = doc.blocks.new('B')
b.add_line((0, 0), (0, 1), dxfattribs={'lineweight': -2})
msp.add_line((0, 0), (0, 1), dxfattribs={'lineweight': 50})
msp.add_line((10, 0), (10, 1), dxfattribs={'layer': 'W'})
msp.add_line((20, 0), (20, 1), dxfattribs={'lineweight': -3})
msp.add_blockref('B', (30, 0), dxfattribs={'lineweight': 70})
msp.add_line((40, 0), (40, 1), dxfattribs={'true_color': 0x336699})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    std::map<int, Pen> byX;
    for (const auto& c : sink.calls)
        for (const Polyline& l : c.geometry.lines) byX[static_cast<int>(std::lround(c.toWorld.map(l.points[0]).x))] = c.pen;
    EXPECT_EQ(byX.at(0).lineweight, 50);
    EXPECT_EQ(byX.at(10).lineweight, 35);
    EXPECT_EQ(byX.at(20).lineweight, 25);  // "default": $LWDEFAULT, 0.25 mm when the drawing has none
    EXPECT_EQ(byX.at(30).lineweight, 70);
    EXPECT_EQ(byX.at(40).color.r, 0x33);
    EXPECT_EQ(byX.at(40).color.b, 0x99);
    EXPECT_EQ(byX.at(40).color.aci, 0);
}

}  // namespace
