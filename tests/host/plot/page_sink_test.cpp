// The page sink through the recording canvas: batching by output pen, barriers, culling,
// clipping, rejected coordinates, instancing, and what the source is asked for.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/page.h"
#include "plot/recording_canvas.h"

namespace vx::plot {
namespace {

using Kind = RecordingCanvas::Kind;
using render::Affine;
using render::Box2;
using render::Geometry;
using render::Pen;
using render::Vec2;

Pen pen(uint8_t aci, int16_t lineweight = 0) {
    static const uint8_t rgb[][3] = {{0, 0, 0}, {255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}};
    const auto* c = rgb[aci % 6];
    return {{c[0], c[1], c[2], aci}, lineweight};
}

Geometry line(Vec2 a, Vec2 b) {
    Geometry g;
    g.lines.push_back({{a, b}, false});
    return g;
}

// A 1:1 page: the window (0,0)-(400,300) on a 400 x 300 mm sheet.
PageSetup plainPage() {
    PageSetup setup;
    setup.placement.window = {0, 0, 400, 300};
    setup.placement.paper = {400, 300, {}};
    setup.placement.rotation = PlotRotation::Deg0;
    return setup;
}

bool run(const PageSetup& setup, const PrimitiveSource& source, RecordingCanvas& canvas, PageStats* stats = nullptr) {
    std::string error;
    const bool ok = plotPage(setup, source, canvas, error, stats);
    EXPECT_TRUE(ok) << error;
    return ok;
}

TEST(PageSink, OneCanvasCallPerPenAndKindWhateverTheNumberOfPrimitives) {
    RecordingCanvas canvas;
    PageStats stats;
    run(plainPage(), [](render::PrimitiveSink& sink, const Box2&, double) {
        for (int i = 0; i < 500; ++i) {
            sink.add(pen(1), line({1.0 * (i % 300), 10}, {1.0 * (i % 300), 20}), {});
            sink.add(pen(5, 50), line({10, 1.0 * (i % 200)}, {20, 1.0 * (i % 200)}), {});
            Geometry fill;
            fill.fills.push_back({{{{0, 0}, {5, 0}, {5, 5}}}});
            sink.add(pen(1), fill, Affine::translation(i % 100, 100));
        }
    }, canvas, &stats);
    const auto strokes = canvas.callsOf(Kind::Stroke);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0]->lines.size(), 500u);
    EXPECT_EQ(strokes[1]->lines.size(), 500u);
    EXPECT_DOUBLE_EQ(strokes[1]->pen.widthMm, 0.5);
    EXPECT_EQ(canvas.callsOf(Kind::Fill).size(), 1u);
    EXPECT_EQ(stats.drawn, 1500u);
    EXPECT_EQ(stats.canvasCalls, 3u);
    // Fills of every pen come before any lines.
    EXPECT_EQ(canvas.calls()[1].kind, Kind::Fill);
    EXPECT_EQ(canvas.calls().back().kind, Kind::EndPage);
}

TEST(PageSink, PensThatPlotAlikeShareOneBatch) {
    PageSetup setup = plainPage();
    const PlotStyleTable mono = monochromeTable();
    setup.styleTable = &mono;
    RecordingCanvas canvas;
    run(setup, [](render::PrimitiveSink& sink, const Box2&, double) {
        for (uint8_t aci = 1; aci <= 5; ++aci) sink.add(pen(aci, 25), line({0, 1.0 * aci}, {100, 1.0 * aci}), {});
        sink.add(pen(1, 70), line({0, 50}, {100, 50}), {});
    }, canvas);
    const auto strokes = canvas.callsOf(Kind::Stroke);
    ASSERT_EQ(strokes.size(), 2u);  // 0.25 mm black and 0.70 mm black
    EXPECT_EQ(strokes[0]->lines.size(), 5u);
    EXPECT_EQ(strokes[0]->pen, (render::OutputPen{0, 0, 0, 0.25}));
}

TEST(PageSink, ABarrierDrawsWhatCameBeforeFirst) {
    RecordingCanvas canvas;
    run(plainPage(), [](render::PrimitiveSink& sink, const Box2&, double) {
        sink.add(pen(1), line({0, 0}, {100, 100}), {});
        sink.add(pen(2), line({0, 100}, {100, 0}), {});
        sink.barrier();  // a wipeout follows
        Geometry wipeout;
        wipeout.fills.push_back({{{{10, 10}, {90, 10}, {90, 90}, {10, 90}}}});
        sink.add(pen(7), wipeout, {});
        sink.add(pen(1), line({0, 50}, {100, 50}), {});
    }, canvas);
    std::vector<Kind> kinds;
    for (const auto& c : canvas.calls()) kinds.push_back(c.kind);
    const std::vector<Kind> expected{Kind::BeginPage, Kind::Stroke, Kind::Stroke, Kind::Fill, Kind::Stroke,
                                     Kind::EndPage};
    EXPECT_EQ(kinds, expected);
}

TEST(PageSink, GeometryIsMappedOntoThePaperAndInstancesLandApart) {
    PageSetup setup;
    setup.placement.window = {0, 0, 84100, 59400};
    setup.placement.paper = {841, 594, {}};
    RecordingCanvas canvas;
    Geometry block = line({0, 0}, {1000, 0});
    run(setup, [&](render::PrimitiveSink& sink, const Box2&, double) {
        sink.add(pen(1), block, Affine::translation(10000, 20000));
        sink.add(pen(1), block, Affine::rotation(M_PI / 2).then(Affine::translation(50000, 30000)));
    }, canvas);
    const auto strokes = canvas.callsOf(Kind::Stroke);
    ASSERT_EQ(strokes.size(), 1u);
    const auto& lines = strokes[0]->lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0].points[0].x, 100, 1e-9);
    EXPECT_NEAR(lines[0].points[1].x, 110, 1e-9);
    EXPECT_NEAR(lines[0].points[1].y, 200, 1e-9);
    EXPECT_NEAR(lines[1].points[1].x, 500, 1e-9);
    EXPECT_NEAR(lines[1].points[1].y, 310, 1e-9);
}

TEST(PageSink, WhatLiesOutsideIsCulledAndWhatCrossesIsCutNearTheWindow) {
    PageSetup setup = plainPage();
    setup.placement.window = {100, 100, 200, 200};
    setup.placement.paper = {100, 100, {}};
    RecordingCanvas canvas;
    PageStats stats;
    run(setup, [](render::PrimitiveSink& sink, const Box2&, double) {
        sink.add(pen(1), line({0, 0}, {50, 50}), {});                      // outside
        sink.add(pen(1), line({-1e12, 150}, {1e12, 150}), {});             // crosses, huge ends
        Geometry far;
        far.dots = {{150, 150}, {500, 500}};
        far.fills.push_back({{{{-1e9, -1e9}, {1e9, -1e9}, {1e9, 1e9}, {-1e9, 1e9}}}});
        sink.add(pen(2), far, {});
    }, canvas, &stats);
    EXPECT_EQ(stats.culled, 2u);  // the outside line and the far dot
    const auto strokes = canvas.callsOf(Kind::Stroke);
    ASSERT_EQ(strokes.size(), 1u);
    ASSERT_EQ(strokes[0]->lines.size(), 1u);
    for (const Vec2& p : strokes[0]->lines[0].points) {
        EXPECT_GE(p.x, -2);  // within the clip margin of the page, not at 1e10 mm
        EXPECT_LE(p.x, 102);
        EXPECT_DOUBLE_EQ(p.y, 50);
    }
    const auto fills = canvas.callsOf(Kind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    for (const Vec2& p : fills[0]->fills[0].rings[0]) EXPECT_LE(std::fabs(p.x), 102);
    EXPECT_EQ(canvas.callsOf(Kind::Dots)[0]->dots.size(), 1u);
    EXPECT_EQ(canvas.calls()[0].page.clipMm.x1, 100);
}

TEST(PageSink, CoordinatesThatAreNotNumbersAreCountedAndTheRestIsDrawn) {
    RecordingCanvas canvas;
    PageStats stats;
    run(plainPage(), [](render::PrimitiveSink& sink, const Box2&, double) {
        sink.add(pen(1), line({0, 0}, {std::nan(""), 5}), {});
        sink.add(pen(1), line({0, 0}, {INFINITY, 5}), {});
        Geometry text;
        text.texts.push_back({L"图号", 1, Affine::scaling(std::nan(""), 1), 2, false, false});
        text.texts.push_back({L"图名", 1, Affine::scaling(5, 5).then(Affine::translation(10, 10)), 2, false, false});
        sink.add(pen(1), text, {});
        sink.add(pen(1), line({0, 0}, {10, 10}), {});
    }, canvas, &stats);
    EXPECT_EQ(stats.rejected, 3u);
    EXPECT_EQ(stats.drawn, 2u);
    ASSERT_EQ(canvas.callsOf(Kind::Text).size(), 1u);
    EXPECT_EQ(canvas.callsOf(Kind::Text)[0]->texts[0].text, L"图名");
}

TEST(PageSink, TextsAreCulledByTheirBoxAndKeepTheirPlacement) {
    PageSetup setup = plainPage();
    setup.placement.window = {0, 0, 100, 100};
    setup.placement.paper = {100, 100, {}};
    RecordingCanvas canvas;
    run(setup, [](render::PrimitiveSink& sink, const Box2&, double) {
        Geometry g;
        // Starts left of the window but its characters reach into it.
        g.texts.push_back({L"建施-01", 1, Affine::scaling(10, 10).then(Affine::translation(-30, 50)), 4.2, true, false});
        g.texts.push_back({L"远处", 1, Affine::scaling(10, 10).then(Affine::translation(500, 50)), 2, false, false});
        sink.add(pen(3), g, Affine::scaling(1, 1));
    }, canvas);
    const auto texts = canvas.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0]->texts.size(), 1u);
    const auto& t = texts[0]->texts[0];
    EXPECT_TRUE(t.underline);
    EXPECT_NEAR(t.toPaper.map({1, 0}).x, -20, 1e-9);
    EXPECT_NEAR(t.toPaper.scale(), 10, 1e-9);
}

TEST(PageSink, TheSourceIsAskedForTheWindowAtTheOutputsTolerance) {
    PageSetup setup;
    setup.placement.window = {0, 0, 84100, 59400};
    setup.placement.paper = {841, 594, {}};
    Box2 asked;
    double tolerance = 0;
    RecordingCanvas canvas;
    run(setup, [&](render::PrimitiveSink&, const Box2& window, double t) { asked = window, tolerance = t; }, canvas);
    EXPECT_NEAR(tolerance, 5, 1e-9);  // 0.05 mm at 1 mm per 100 units
    EXPECT_NEAR(asked.x1, 84100, 1e-6);
    setup.rasterDpi = 100;
    run(setup, [&](render::PrimitiveSink&, const Box2&, double t) { tolerance = t; }, canvas);
    EXPECT_NEAR(tolerance, 0.127 * 100, 1e-9);  // half a pixel
}

TEST(PageSink, AnUnusablePlacementReachesNoCanvas) {
    PageSetup setup = plainPage();
    setup.placement.window = {};
    RecordingCanvas canvas;
    std::string error;
    bool called = false;
    EXPECT_FALSE(plotPage(setup, [&](render::PrimitiveSink&, const Box2&, double) { called = true; }, canvas, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(called);
    EXPECT_TRUE(canvas.calls().empty());
}

}  // namespace
}  // namespace vx::plot
