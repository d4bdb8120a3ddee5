// Geometry of every kind, checked against ezdxf's own construction of the same entities (an
// independent implementation): each entity has its own colour, and the polylines drawn in that
// colour must lie within the tolerance of ezdxf's flattening, and ezdxf's within ours.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "recording_sink.h"
#include "render/scene.h"

namespace {

using namespace vxtest;

// Compares what was drawn in each colour with the reference polylines printed under that key.
void expectSameShapes(const RecordingSink& sink, const std::string& printed, double tol) {
    std::map<int, std::vector<Polyline>> refs;
    for (auto& kv : parsePolylines(printed)) refs[std::stoi(kv.first)].push_back(kv.second);
    ASSERT_FALSE(refs.empty());
    for (const auto& kv : refs) {
        const std::vector<Polyline> ours = sink.linesWithAci(kv.first);
        ASSERT_FALSE(ours.empty()) << "nothing drawn in colour " << kv.first;
        EXPECT_LE(farthestFrom(kv.second, ours), tol) << "colour " << kv.first << ": ezdxf's points off ours";
        EXPECT_LE(farthestFrom(ours, kv.second), tol) << "colour " << kv.first << ": our points off ezdxf's";
    }
}

// ezdxf's own flattening of each curve (its paths approximate arcs by Bezier curves, so the
// entities' native flattening is used); polylines through their line and arc pieces.
const char* kReference = R"PY(
def points(e):
    t = e.dxftype()
    if t == 'LINE':
        return [e.dxf.start, e.dxf.end]
    return list(e.flattening(0.0002))
def ref(e):
    if e.dxftype() in ('LWPOLYLINE', 'POLYLINE'):
        for v in e.virtual_entities():
            out(e.dxf.color, points(v))
    else:
        out(e.dxf.color, points(e))
)PY";

TEST(Kinds, CurvesMatchAnIndependentConstruction) {
    std::string printed;
    auto db = ezdxfDrawing("curves", std::string(kReference) + R"PY(
ents = [
    msp.add_line((0, 0), (10, 5), dxfattribs={'color': 1}),
    msp.add_circle((20, 5), 4, dxfattribs={'color': 2}),
    msp.add_arc((40, 5), 6, 300, 60, dxfattribs={'color': 3}),
    msp.add_ellipse((60, 5), (8, 3, 0), 0.4, dxfattribs={'color': 4}),
    msp.add_ellipse((80, 5), (0, 6, 0), 0.5, 1.0, 4.0, dxfattribs={'color': 5}),
    msp.add_lwpolyline([(0, 20, 0, 0, 0.5), (10, 20, 0, 0, -1), (20, 20, 0, 0, 0), (20, 30)],
                       format='xyseb', dxfattribs={'color': 6}),
    msp.add_lwpolyline([(30, 20), (40, 20, 0, 0, 1), (40, 30)], format='xyseb', close=True,
                       dxfattribs={'color': 8}),
    msp.add_spline(dxfattribs={'color': 9}),
    msp.add_polyline3d([(50, 20, 0), (55, 25, 3), (60, 20, 0)], dxfattribs={'color': 10}),
    msp.add_circle((0, 50), 5, dxfattribs={'color': 11, 'extrusion': (0, 0, -1)}),
    msp.add_arc((20, 50), 5, 0, 90, dxfattribs={'color': 12, 'extrusion': (0, 0, -1)}),
]
sp = ents[7]
sp.set_open_uniform([(60, 40), (65, 50), (75, 35), (80, 45), (90, 40)], degree=3)
sp2 = msp.add_spline(dxfattribs={'color': 13})
sp2.set_uniform_rational([(0, 70), (10, 80), (20, 60), (30, 80)], [1, 3, 0.5, 1], degree=2)
ents.append(sp2)
p2 = msp.add_polyline2d([(40, 60), (50, 70), (60, 60)], dxfattribs={'color': 14})
p2[0].dxf.bulge = 0.6
ents.append(p2)
for e in ents:
    ref(e)
)PY", "R2018", &printed);
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink, 0.001);
    EXPECT_EQ(stats.skipped, 0u);
    EXPECT_EQ(stats.unknown, 0u);
    expectSameShapes(sink, printed, 0.0013);
}

TEST(Kinds, ExtentsAreTheExactBoxesOfWhatIsDrawn) {
    auto db = ezdxfDrawing("extents", R"PY(
msp.add_arc((0, 0), 10, 45, 135)
msp.add_ellipse((100, 0), (8, 6, 0), 0.5)
sp = msp.add_spline()
sp.set_open_uniform([(200, 0), (200, 10), (210, 10), (210, 0)], degree=3)
msp.add_lwpolyline([(300, 0, 0, 0, 1), (310, 0)], format='xyseb')
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    std::vector<Box2> boxes;
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    for (AcDbEntity* e : ms->entities()) boxes.push_back(scene->entityExtents(e->objectId()));
    ms->close();
    ASSERT_EQ(boxes.size(), 4u);
    const double s = 10 * std::sqrt(0.5);
    EXPECT_NEAR(boxes[0].x0, -s, 1e-9);
    EXPECT_NEAR(boxes[0].y0, s, 1e-9);
    EXPECT_NEAR(boxes[0].y1, 10, 1e-9);
    // Ellipse with semi-axes 10 and 5 turned by atan(6/8): half-widths sqrt(a^2 c^2 + b^2 s^2).
    EXPECT_NEAR(boxes[1].x1 - 100, std::sqrt(100 * 0.64 + 25 * 0.36), 1e-9);
    EXPECT_NEAR(boxes[1].y1, std::sqrt(100 * 0.36 + 25 * 0.64), 1e-9);
    EXPECT_NEAR(boxes[2].y1, 7.5, 1e-9);  // the Bezier's top, not its control points
    EXPECT_NEAR(boxes[3].y0, -5, 1e-9);   // a half circle below the chord
    // The drawing's extents are those boxes together.
    const Box2 all = scene->extents(db->modelSpaceId());
    EXPECT_NEAR(all.x0, -s, 1e-9);
    EXPECT_NEAR(all.x1, 310, 1e-9);
    EXPECT_NEAR(all.y0, -std::sqrt(52.0), 1e-9);  // the ellipse reaches lower than the half circle
}

TEST(Kinds, SolidsFacesPointsAndInfiniteLines) {
    auto db = ezdxfDrawing("solids", R"PY(
doc.header['$PDMODE'] = 34
doc.header['$PDSIZE'] = 2
msp.add_solid([(0, 0), (10, 0), (0, 5), (10, 5)], dxfattribs={'color': 1})
msp.add_trace([(20, 0), (30, 0), (20, 5)], dxfattribs={'color': 2})
f = msp.add_3dface([(40, 0, 0), (50, 0, 0), (50, 10, 0), (40, 10, 0)], dxfattribs={'color': 3})
f.set_edge_visibility(1, False)
msp.add_point((60, 0), dxfattribs={'color': 4})
msp.add_xline((0, 100), (1, 1), dxfattribs={'color': 5})
msp.add_ray((0, 200), (1, 0), dxfattribs={'color': 6})
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    RecordingSink sink;
    vx::render::DrawOptions o;
    o.view = Box2{-100, -100, 300, 300};
    vx::render::DrawStats stats;
    scene->draw(db->modelSpaceId(), o.view, o, sink, stats);
    EXPECT_EQ(stats.entities, 6u);
    // The solid's corners run 1-2-4-3: a rectangle, not a bow tie.
    auto rings = sink.rings();
    ASSERT_EQ(rings.size(), 2u);
    ASSERT_EQ(rings[0].size(), 4u);
    EXPECT_NEAR(rings[0][2].x, 10, 1e-12);
    EXPECT_NEAR(rings[0][2].y, 5, 1e-12);
    EXPECT_EQ(rings[1].size(), 3u);  // the trace given three points is a triangle
    // The face's second edge is invisible: one open path of the other three.
    auto face = sink.linesWithAci(3);
    ASSERT_EQ(face.size(), 1u);
    EXPECT_EQ(face[0].points.size(), 4u);
    EXPECT_NEAR(face[0].points[0].x, 50, 1e-12);
    EXPECT_NEAR(face[0].points[0].y, 10, 1e-12);
    // PDMODE 34 = plus (2) with a circle (32), size 2.
    auto mark = sink.linesWithAci(4);
    ASSERT_EQ(mark.size(), 3u);
    EXPECT_NEAR(pathLength(mark[0]), 2, 1e-9);
    // Infinite lines end at the view's border.
    auto xline = sink.linesWithAci(5);
    ASSERT_EQ(xline.size(), 1u);
    EXPECT_NEAR(xline[0].points[0].x, -100, 1e-9);
    EXPECT_NEAR(xline[0].points[0].y, 0, 1e-9);
    EXPECT_NEAR(xline[0].points[1].x, 200, 1e-9);
    auto ray = sink.linesWithAci(6);
    ASSERT_EQ(ray.size(), 1u);
    EXPECT_NEAR(ray[0].points[0].x, 0, 1e-9);
    EXPECT_NEAR(ray[0].points[1].x, 300, 1e-9);
    // They have no extents: the drawing's box is the rest.
    EXPECT_NEAR(scene->extents(db->modelSpaceId()).y1, 10, 1e-9);
}

TEST(Kinds, WidePolylinesAreFilledOutlines) {
    auto db = ezdxfDrawing("wide", R"PY(
msp.add_lwpolyline([(0, 0, 2, 2, 0), (10, 0, 2, 4, 0), (10, 10, 0, 0, 0), (20, 10)], format='xyseb')
msp.add_lwpolyline([(0, 50, 0, 0, 0), (10, 50, 0, 4, 0), (20, 50)], format='xyseb')
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    auto rings = sink.rings();
    // Two wide segments and the bevel between them, and a taper from a point with no bevel (no
    // width to join at its start); the thin segments are lines.
    ASSERT_EQ(rings.size(), 4u);
    Box2 first;
    for (size_t i = 0; i < 3; ++i)
        for (Vec2 p : rings[i]) first.add(p);
    EXPECT_NEAR(first.y0, -1, 1e-12);  // half the start width below the first segment
    EXPECT_NEAR(first.x1, 12, 1e-12);  // the taper ends 2 to the right of (10,10)
    EXPECT_NEAR(first.y1, 10, 1e-12);
    ASSERT_EQ(sink.lines().size(), 2u);
    EXPECT_NEAR(sink.lines()[0].points[1].x, 20, 1e-12);
}

TEST(Kinds, PolylineFitSplineAndMeshVertices) {
    auto db = ezdxfDrawing("polylines", R"PY(
mesh = msp.add_polymesh((2, 3), dxfattribs={'color': 1})
for m in range(2):
    for n in range(3):
        mesh.set_mesh_vertex((m, n), (m * 10, n * 10, 0))
face = msp.add_polyface(dxfattribs={'color': 2})
face.append_face([(100, 0, 0), (110, 0, 0), (110, 10, 0), (100, 10, 0)])
p = msp.add_polyline2d([(200, 0), (210, 10), (220, 0), (230, 10)], dxfattribs={'color': 3})
p.dxf.flags = p.dxf.flags | 4
p.dxf.smooth_type = 6
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink);
    EXPECT_EQ(stats.skipped, 0u);
    EXPECT_EQ(sink.linesWithAci(1).size(), 5u);  // 2 rows of 3 and 3 columns of 2
    double perimeter = 0;
    for (const Polyline& l : sink.linesWithAci(2)) perimeter += pathLength(l);
    EXPECT_NEAR(perimeter, 40, 1e-9);
    // A spline-fit polyline whose writer kept only the frame: a cubic B-spline of it, which
    // starts and ends on the frame's ends and stays inside its hull.
    auto curve = sink.linesWithAci(3);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_NEAR(curve[0].points.front().x, 200, 1e-9);
    EXPECT_NEAR(curve[0].points.back().x, 230, 1e-9);
    EXPECT_GT(curve[0].points.size(), 8u);
    for (Vec2 q : curve[0].points) {
        EXPECT_GE(q.y, -1e-9);
        EXPECT_LE(q.y, 10 + 1e-9);
    }
}

TEST(Kinds, LeaderWithArrowAndUnknownKindsCounted) {
    auto db = ezdxfDrawing("leader", R"PY(
doc.dimstyles.get('Standard').dxf.dimasz = 2
msp.add_leader([(0, 0), (20, 10), (30, 10)], dxfattribs={'color': 1})
msp.add_mline([(0, 50), (20, 50)])
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink);
    EXPECT_EQ(stats.unknown, 1u);  // the MLINE
    auto line = sink.linesWithAci(1);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].points.size(), 3u);
    auto arrow = sink.rings();
    ASSERT_EQ(arrow.size(), 1u);
    ASSERT_EQ(arrow[0].size(), 3u);
    EXPECT_NEAR(arrow[0][0].x, 0, 1e-12);  // the tip on the first vertex
    EXPECT_NEAR(distance(arrow[0][1], arrow[0][2]), 2.0 / 3, 1e-9);
    EXPECT_NEAR(distance(Vec2{0, 0}, Vec2{(arrow[0][1].x + arrow[0][2].x) / 2, (arrow[0][1].y + arrow[0][2].y) / 2}), 2, 1e-9);
}

}  // namespace
