// The scene: block geometry made once for many references, windows drawing what they hold,
// edits followed, instancing and barriers in the sink, paper-space viewports, MINSERT arrays.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "../dxf/ezdxf_check.h"
#include "db/access.h"
#include "recording_sink.h"
#include "render/block_geometry.h"
#include "render/scene.h"

namespace {

using namespace vxtest;

vx::render::DrawStats drawWindow(vx::render::Scene& scene, AcDbObjectId space, const Box2& window, RecordingSink& sink) {
    vx::render::DrawOptions o;
    o.view = window;
    vx::render::DrawStats stats;
    scene.draw(space, window, o, sink, stats);
    return stats;
}

TEST(Scene, BlockGeometryIsMadeOnceForFourHundredReferences) {
    auto db = ezdxfDrawing("frames", R"PY(
b = doc.blocks.new('FRAME')
b.add_lwpolyline([(0, 0), (841, 0), (841, 594), (0, 594)], close=True)
b.add_circle((400, 300), 50, dxfattribs={'color': 0})
b.add_text('TITLE', height=5, dxfattribs={'insert': (700, 20)})
for i in range(400):
    msp.add_blockref('FRAME', ((i % 20) * 1000, (i // 20) * 700), dxfattribs={'color': 1 + i % 3})
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    const uint64_t before = vx::render::BlockCache::builds();
    RecordingSink all;
    const auto stats = drawWindow(*scene, db->modelSpaceId(), scene->extents(db->modelSpaceId()), all);
    EXPECT_EQ(vx::render::BlockCache::builds() - before, 1u);
    EXPECT_EQ(stats.entities, 400u * 4);  // each reference and its three entities
    // Instanced: the same geometry under 400 transforms; ByBlock resolved per reference.
    size_t instancedCalls = 0;
    std::set<int> circleColours;
    for (const auto& c : all.calls) {
        if (c.toWorld.dx != 0 || c.toWorld.dy != 0) ++instancedCalls;
        if (!c.geometry.lines.empty() && c.geometry.lines[0].points.size() > 10) circleColours.insert(c.pen.color.aci);
    }
    EXPECT_GE(instancedCalls, 400u);
    EXPECT_EQ(circleColours, (std::set<int>{1, 2, 3}));
    // A window on one frame draws that frame only.
    RecordingSink one;
    const auto oneStats = drawWindow(*scene, db->modelSpaceId(), Box2{5100, 1500, 5800, 1900}, one);
    EXPECT_EQ(oneStats.entities, 4u);
    EXPECT_EQ(vx::render::BlockCache::builds() - before, 1u);
}

TEST(Scene, WindowsDrawWhatTheyHoldInDrawingOrder) {
    auto db = ezdxfDrawing("grid", R"PY(
for i in range(100):
    msp.add_circle(((i % 10) * 10, (i // 10) * 10), 1, dxfattribs={'color': 1 + i % 7})
msp.add_line((-5, -5), (95, 95))
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    RecordingSink sink;
    // Four circles and the diagonal line that crosses the window.
    const auto stats = drawWindow(*scene, db->modelSpaceId(), Box2{8, 8, 21, 21}, sink);
    EXPECT_EQ(stats.entities, 5u);
    RecordingSink none;
    EXPECT_EQ(drawWindow(*scene, db->modelSpaceId(), Box2{1000, 1000, 1100, 1100}, none).entities, 0u);
    EXPECT_TRUE(none.calls.empty());
    // One call per pen, not per entity.
    EXPECT_EQ(sink.calls.size(), sink.pens().size());
}

TEST(Scene, FollowsEditsOfEntitiesAndBlocks) {
    auto db = ezdxfDrawing("edits", R"PY(
b = doc.blocks.new('B')
b.add_line((0, 0), (1, 0))
msp.add_blockref('B', (100, 0))
msp.add_line((0, 0), (10, 0))
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    const Box2 everything{-1000, -1000, 1000, 1000};
    RecordingSink first;
    drawWindow(*scene, db->modelSpaceId(), everything, first);
    EXPECT_EQ(first.lines().size(), 2u);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId lineId = ms->entities()[1]->objectId();
    auto* added = new AcDbCircle(AcGePoint3d(500, 500, 0), AcGeVector3d::kZAxis, 5);
    ASSERT_EQ(ms->appendAcDbEntity(added), Acad::eOk);
    added->close();
    ms->close();
    {
        AcDbObjectPointer<AcDbLine> line(lineId, AcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Acad::eOk);
        line->setEndPoint(AcGePoint3d(0, 300, 0));
    }
    // The block gains a line: every reference shows it.
    AcDbBlockTable* bt = nullptr;
    db->getBlockTable(bt, AcDb::kForRead);
    AcDbBlockTableRecord* b = nullptr;
    ASSERT_EQ(bt->getAt(L"B", b, AcDb::kForWrite), Acad::eOk);
    bt->close();
    auto* more = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 7, 0));
    b->appendAcDbEntity(more);
    more->close();
    b->close();
    RecordingSink second;
    drawWindow(*scene, db->modelSpaceId(), everything, second);
    EXPECT_EQ(second.lines().size(), 4u);  // two block lines, the line, the circle
    EXPECT_NEAR(scene->extents(db->modelSpaceId()).y1, 505, 1e-9);
    EXPECT_NEAR(scene->entityExtents(lineId).y1, 300, 1e-9);
    // Erased: gone from drawing and extents.
    {
        AcDbObjectPointer<AcDbLine> line(lineId, AcDb::kForWrite);
        line->erase();
    }
    RecordingSink third;
    drawWindow(*scene, db->modelSpaceId(), Box2{-1, 100, 1, 299}, third);
    EXPECT_TRUE(third.lines().empty());
    EXPECT_NEAR(scene->extents(db->modelSpaceId()).y1, 505, 1e-9);
}

TEST(Scene, WipeoutsSitBetweenBarriersInTheBackgroundColour) {
    auto db = ezdxfDrawing("wipeout", R"PY(
msp.add_line((0, 5), (10, 5))
msp.add_wipeout([(2, 2), (8, 2), (8, 8), (2, 8)])
msp.add_line((5, 0), (5, 10))
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    ASSERT_EQ(sink.barriers.size(), 2u);
    // The first line, then the wipeout alone, then the second line.
    ASSERT_EQ(sink.calls.size(), 3u);
    EXPECT_EQ(sink.barriers[0], 1u);
    EXPECT_EQ(sink.barriers[1], 2u);
    EXPECT_TRUE(sink.calls[1].pen.color.background);
    ASSERT_EQ(sink.calls[1].geometry.fills.size(), 1u);
    const auto& ring = sink.calls[1].geometry.fills[0].rings[0];
    ASSERT_EQ(ring.size(), 4u);
    EXPECT_NEAR(ring[0].x, 2, 1e-9);
    EXPECT_NEAR(ring[2].y, 8, 1e-9);
}

TEST(Scene, ViewportsShowModelSpaceScaledTurnedAndCut) {
    auto db = ezdxfDrawing("viewport", R"PY(
msp.add_circle((100, 100), 20)
msp.add_line((0, 100), (1000, 100))
psp = doc.layout('Layout1')
psp.add_viewport(center=(50, 50), size=(40, 40), view_center_point=(100, 100), view_height=80)
psp.add_line((0, 0), (10, 0))
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    // The layout's block: the paper space of "Layout1".
    AcDbObjectId paper = db->paperSpaceId();
    RecordingSink sink;
    const auto stats = drawWindow(*scene, paper, Box2{-100, -100, 300, 300}, sink);
    EXPECT_EQ(stats.skipped, 0u);
    // Scale 40 / 80: the circle of radius 20 is 10 on paper, centred on the viewport.
    bool circle = false;
    for (const Polyline& l : sink.lines()) {
        if (l.points.size() < 10) continue;
        circle = true;
        for (Vec2 p : l.points) EXPECT_NEAR(distance(p, Vec2{50, 50}), 10, 0.02);
    }
    EXPECT_TRUE(circle);
    // The long model line is cut at the viewport's sides.
    bool cut = false;
    for (const Polyline& l : sink.lines())
        if (l.points.size() == 2 && std::fabs(l.points[0].y - 50) < 1e-9) {
            cut = true;
            EXPECT_NEAR(l.points[0].x, 30, 1e-9);
            EXPECT_NEAR(l.points[1].x, 70, 1e-9);
        }
    EXPECT_TRUE(cut);
    const Box2 e = scene->extents(paper);
    EXPECT_FALSE(e.empty());
}

TEST(Scene, MinsertArraysAndRotatedReferencesMeasureExactly) {
    auto db = ezdxfDrawing("minsert", R"PY(
b = doc.blocks.new('C')
b.add_circle((10, 0), 1)
r = msp.add_blockref('C', (0, 0), dxfattribs={'rotation': 45})
m = msp.add_blockref('C', (100, 0))
m.grid(size=(2, 3), spacing=(5, 7))
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    const AcDbObjectId rotated = ms->entities()[0]->objectId(), array = ms->entities()[1]->objectId();
    ms->close();
    // The circle turned about the origin, measured exactly (not the box of a turned box).
    const double c = 10 * std::sqrt(0.5);
    const Box2 r = scene->entityExtents(rotated);
    EXPECT_NEAR(r.x0, c - 1, 1e-9);
    EXPECT_NEAR(r.y1, c + 1, 1e-9);
    // Two rows of three columns, 7 apart in columns and 5 in rows.
    const Box2 a = scene->entityExtents(array);
    EXPECT_NEAR(a.x1, 100 + 10 + 14 + 1, 1e-9);
    EXPECT_NEAR(a.y1, 5 + 1, 1e-9);
    RecordingSink sink;
    drawWindow(*scene, db->modelSpaceId(), Box2{50, -50, 200, 50}, sink);
    EXPECT_EQ(sink.calls.size(), 6u);
}

}  // namespace

// A view draws a large window in steps between events: the steps together draw what one draw
// does, entities in drawing order, and a job whose drawing was replaced under it stops.
TEST(Scene, DrawJobsInStepsDrawWhatOneDrawDoes) {
    auto db = ezdxfDrawing("steps", R"PY(
b = doc.blocks.new('B')
b.add_circle((0, 0), 2)
for i in range(60):
    msp.add_line((i, 0), (i, 10), dxfattribs={'color': 1 + i % 5})
    if i % 7 == 0:
        msp.add_blockref('B', (i, 20))
msp.add_text('T', height=2, dxfattribs={'insert': (5, 30)})
msp.add_xline((0, 0), (1, 1))
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    const Box2 window{-5, -5, 70, 40};
    RecordingSink whole;
    const auto wholeStats = drawWindow(*scene, db->modelSpaceId(), window, whole);

    vx::render::DrawOptions o;
    o.view = window;
    RecordingSink stepped;
    vx::render::DrawStats stats;
    auto job = scene->startDraw(db->modelSpaceId(), window, o, stepped, stats);
    EXPECT_EQ(job->total(), 60u + 9 + 1 + 1);  // lines, references, text, the XLINE every window meets
    int steps = 1;
    while (job->step(4)) ++steps;
    EXPECT_EQ(steps, int((job->total() + 3) / 4));
    EXPECT_FALSE(job->step(4));  // nothing more, and nothing drawn twice
    EXPECT_EQ(stats.entities, wholeStats.entities);
    const auto key = [](const std::vector<vx::render::Polyline>& lines) {
        std::multiset<std::vector<std::pair<double, double>>> out;
        for (const auto& l : lines) {
            std::vector<std::pair<double, double>> pts;
            for (const Vec2& p : l.points) pts.emplace_back(std::round(p.x * 1e6), std::round(p.y * 1e6));
            out.insert(pts);
        }
        return out;
    };
    EXPECT_EQ(key(stepped.lines()), key(whole.lines()));
    EXPECT_EQ(stepped.texts().size(), whole.texts().size());
    // Steps follow drawing order: the first step holds line 0 (colour 1), the first reference (its
    // circle on layer 0, colour 7), lines 1 and 2 (colours 2, 3).
    std::set<int> firstColours;
    RecordingSink firstStep;
    vx::render::DrawStats firstStats;
    auto again = scene->startDraw(db->modelSpaceId(), window, o, firstStep, firstStats);
    EXPECT_TRUE(again->step(4));
    for (const auto& c : firstStep.calls) firstColours.insert(c.pen.color.aci);
    EXPECT_EQ(firstColours, (std::set<int>{1, 2, 3, 7}));

    // The file read into the database again: the job's entries are gone and it draws no more.
    const size_t before = firstStep.calls.size();
    const std::string path = tempDir("render-steps-reread") + "/steps.dxf";
    ASSERT_EQ(db->saveAs(wide(path).c_str()), Acad::eOk);
    ASSERT_EQ(db->readDwgFile(wide(path).c_str()), Acad::eOk);
    EXPECT_FALSE(again->step(1000));
    EXPECT_EQ(firstStep.calls.size(), before);
}
