// Hatches: solid fills with islands, boundary edges of every type (clockwise arcs the right way
// round), pattern lines from the entity's own definition compared with ezdxf's hatching of the
// same entity, gradients as their first colour, open boundaries.
#include <gtest/gtest.h>

#include <cmath>

#include "recording_sink.h"

namespace {

using namespace vxtest;

TEST(Hatch, SolidWithIslandAndEveryEdgeType) {
    std::string printed;
    auto db = ezdxfDrawing("hatch-solid", R"PY(
from ezdxf import path
h = msp.add_hatch(color=1)
h.paths.add_polyline_path([(0, 0), (100, 0), (100, 100), (0, 100)], is_closed=True, flags=1)
h.paths.add_polyline_path([(40, 40), (60, 40), (60, 60), (40, 60)], is_closed=True, flags=16)
e = msp.add_hatch(color=2)
p = e.paths.add_edge_path()
p.add_line((200, 0), (200, 10))
p.add_arc((205, 10), 5, 180, 0, ccw=False)
p.add_line((210, 10), (210, 0))
p.add_ellipse((205, 0), (5, 0), 0.4, 0, 180, ccw=False)
s = msp.add_hatch(color=3)
q = s.paths.add_edge_path()
q.add_spline(control_points=[(300, 0), (300, 10), (310, 10), (310, 0)], knot_values=[0, 0, 0, 0, 1, 1, 1, 1], degree=3)
q.add_line((310, 0), (300, 0))
b = msp.add_hatch(color=4)
b.paths.add_polyline_path([(400, 0, 1), (410, 0, 0), (410, 10, -0.5), (400, 10, 0)], is_closed=True)
for e in (h, e, s, b):
    for p in path.from_hatch(e):
        out(e.dxf.color, list(p.flattening(0.001, segments=8)))
)PY", "R2018", &printed);
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink, 0.001);
    EXPECT_EQ(stats.skipped, 0u);
    std::map<int, std::vector<Polygon>> fills;
    for (const auto& c : sink.calls)
        for (const Polygon& p : c.geometry.fills) fills[c.pen.color.aci].push_back(p);
    // One polygon of two rings: the island is a hole by the even-odd rule.
    ASSERT_EQ(fills[1].size(), 1u);
    EXPECT_EQ(fills[1][0].rings.size(), 2u);
    // Every boundary, arcs clockwise and counter-clockwise, ellipses, splines and bulges, as
    // ezdxf builds it.
    std::map<int, std::vector<Polyline>> theirs;
    for (auto& kv : parsePolylines(printed)) theirs[std::stoi(kv.first)].push_back(kv.second);
    for (int aci : {1, 2, 3, 4}) {
        ASSERT_EQ(fills[aci].size(), 1u) << aci;
        std::vector<Polyline> ours;
        for (const auto& r : fills[aci][0].rings) ours.push_back(Polyline{r, true});
        EXPECT_LT(farthestFrom(ours, theirs[aci]), 0.003) << aci;
        EXPECT_LT(farthestFrom(theirs[aci], ours), 0.003) << aci;
    }
}

TEST(Hatch, PatternLinesMatchAnIndependentHatching) {
    std::string printed;
    auto db = ezdxfDrawing("hatch-pattern", R"PY(
from ezdxf.render import hatching
h = msp.add_hatch(color=1)
h.set_pattern_fill('ANSI31', color=1, scale=2)
h.paths.add_polyline_path([(0, 0), (100, 0), (100, 60), (0, 60)], is_closed=True, flags=1)
h.paths.add_polyline_path([(30, 20), (50, 20), (50, 40), (30, 40)], is_closed=True, flags=16)
g = msp.add_hatch(color=2)
g.set_pattern_fill('DASH', color=2, scale=1, angle=30)
g.paths.add_polyline_path([(200, 0), (260, 0), (230, 50)], is_closed=True, flags=1)
for e in (h, g):
    for line in hatching.hatch_entity(e):
        out(e.dxf.color, [line[0], line[1]])
)PY", "R2018", &printed);
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink, 0.01);
    std::map<int, std::vector<Polyline>> theirs;
    for (auto& kv : parsePolylines(printed)) theirs[std::stoi(kv.first)].push_back(kv.second);
    for (int aci : {1, 2}) {
        const auto ours = sink.linesWithAci(aci);
        ASSERT_FALSE(ours.empty()) << aci;
        // The same pieces: as many, each end of one on the other's lines.
        EXPECT_EQ(ours.size(), theirs[aci].size()) << aci;
        EXPECT_LT(farthestFrom(ours, theirs[aci]), 1e-6) << aci;
        EXPECT_LT(farthestFrom(theirs[aci], ours), 1e-6) << aci;
    }
    // ANSI31 at scale 2: 45-degree lines 6.35 apart; none crosses the island.
    for (const Polyline& l : sink.linesWithAci(1)) {
        const Vec2 a = l.points[0], b = l.points[1];
        EXPECT_NEAR(b.y - a.y, b.x - a.x, 1e-9);
        const Vec2 m{(a.x + b.x) / 2, (a.y + b.y) / 2};
        EXPECT_FALSE(m.x > 30 && m.x < 50 && m.y > 20 && m.y < 40);
    }
}

TEST(Hatch, GradientFirstColourAndOpenBoundaries) {
    auto db = ezdxfDrawing("hatch-gradient", R"PY(
g = msp.add_hatch(color=7)
g.set_gradient((255, 0, 0), (0, 0, 255))
g.paths.add_polyline_path([(0, 0), (10, 0), (10, 10)], is_closed=True)
o = msp.add_hatch(color=4)
p = o.paths.add_edge_path()
p.add_line((20, 0), (30, 0))
p.add_line((30, 0), (30, 10))
x = msp.add_hatch(color=5)
x.paths.add_polyline_path([(40, 0), (50, 10), (50, 0), (40, 10)], is_closed=True)
for style, colour in ((1, 6), (2, 8)):
    i = msp.add_hatch(color=colour)
    i.dxf.hatch_style = style
    i.paths.add_polyline_path([(100, 0), (110, 0), (110, 10), (100, 10)], is_closed=True, flags=1)
    i.paths.add_polyline_path([(102, 2), (108, 2), (108, 8), (102, 8)], is_closed=True, flags=0)
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink);
    EXPECT_EQ(stats.skipped, 0u);
    std::vector<Pen> pens = sink.pens();
    ASSERT_EQ(pens.size(), 5u);
    EXPECT_EQ(pens[0].color.r, 255);
    EXPECT_EQ(pens[0].color.b, 0);
    EXPECT_EQ(pens[0].color.aci, 0);
    // An open boundary is closed by the fill; a self-crossing one filled by parity.
    // The outer style keeps the island a hole; ignoring islands fills it.
    std::map<int, size_t> rings;
    for (const auto& c : sink.calls)
        for (const Polygon& p : c.geometry.fills) rings[c.pen.color.aci] += p.rings.size();
    EXPECT_EQ(rings[4], 1u);
    EXPECT_EQ(rings[5], 1u);
    EXPECT_EQ(rings[6], 2u);
    EXPECT_EQ(rings[8], 1u);
}

}  // namespace
