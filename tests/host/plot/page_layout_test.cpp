// Page placement: known world points land at known paper positions.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/page_layout.h"

namespace vx::plot {
namespace {

using render::Box2;
using render::Vec2;

Box2 box(double x0, double y0, double x1, double y1) { return {x0, y0, x1, y1}; }

void expectAt(const PageLayout& layout, Vec2 world, Vec2 paper) {
    const Vec2 p = layout.worldToPaper.map(world);
    EXPECT_NEAR(p.x, paper.x, 1e-9) << "world " << world.x << "," << world.y;
    EXPECT_NEAR(p.y, paper.y, 1e-9) << "world " << world.x << "," << world.y;
}

PageLayout layoutOf(const Placement& p) {
    PageLayout layout;
    std::string error;
    EXPECT_TRUE(layoutPage(p, layout, error)) << error;
    return layout;
}

// An A1 frame of the office's drawings: paper millimetres x 100.
Placement a1Frame() {
    Placement p;
    p.window = box(1000, 2000, 1000 + 84100, 2000 + 59400);
    p.paper = {841, 594, {}};
    return p;
}

TEST(PageLayout, FitFillsThePaperAndMapsCornersToCorners) {
    const PageLayout layout = layoutOf(a1Frame());
    EXPECT_EQ(layout.rotationDegrees, 0);
    EXPECT_NEAR(layout.mmPerUnit, 0.01, 1e-12);
    expectAt(layout, {1000, 2000}, {0, 0});
    expectAt(layout, {85100, 61400}, {841, 594});
    EXPECT_NEAR(layout.clipMm.x1, 841, 1e-9);
}

TEST(PageLayout, CentringSplitsTheSpareRoomAndAnOriginPlacesTheCorner) {
    Placement p;
    p.window = box(0, 0, 100, 100);  // square window on A3 landscape, fitted by height
    p.paper = {420, 297, {}};
    p.rotation = PlotRotation::Deg0;
    PageLayout layout = layoutOf(p);
    expectAt(layout, {0, 0}, {(420 - 297) / 2.0, 0});
    expectAt(layout, {50, 50}, {210, 148.5});

    p.centred = false;
    p.originMm = {10, 20};
    p.paper.printableMm = box(5, 5, 415, 292);
    p.scaleToFit = false;
    p.mmPerUnit = 0.5;
    layout = layoutOf(p);
    expectAt(layout, {0, 0}, {15, 25});
    expectAt(layout, {100, 100}, {65, 75});
}

TEST(PageLayout, RotationsTurnTheDrawingCounterClockwise) {
    Placement p;
    p.window = box(0, 0, 200, 100);
    p.paper = {100, 200, {}};  // portrait: the landscape window needs a quarter turn
    p.rotation = PlotRotation::Deg90;
    PageLayout layout = layoutOf(p);
    EXPECT_NEAR(layout.mmPerUnit, 1, 1e-12);
    // Turned counter-clockwise, the window's lower right corner becomes the sheet's upper right.
    expectAt(layout, {0, 0}, {100, 0});
    expectAt(layout, {200, 0}, {100, 200});
    expectAt(layout, {0, 100}, {0, 0});

    p.rotation = PlotRotation::Deg270;
    layout = layoutOf(p);
    expectAt(layout, {0, 0}, {0, 200});
    expectAt(layout, {200, 0}, {0, 0});

    p.paper = {200, 100, {}};
    p.rotation = PlotRotation::Deg180;
    layout = layoutOf(p);
    expectAt(layout, {0, 0}, {200, 100});
    expectAt(layout, {200, 100}, {0, 0});
    // Quarter turns are exact: a horizontal line stays exactly horizontal.
    const Vec2 a = layout.worldToPaper.map({10, 50}), b = layout.worldToPaper.map({190, 50});
    EXPECT_EQ(a.y, b.y);
}

TEST(PageLayout, AutoTurnsWhenWindowAndPaperDifferInOrientation) {
    Placement p = a1Frame();
    p.paper = {594, 841, {}};
    EXPECT_EQ(layoutOf(p).rotationDegrees, 90);
    p.paper = {841, 594, {}};
    EXPECT_EQ(layoutOf(p).rotationDegrees, 0);
    p.window = box(0, 0, 500, 500);  // a square window is not landscape
    EXPECT_EQ(layoutOf(p).rotationDegrees, 90);
    p.paper = {500, 500, {}};
    EXPECT_EQ(layoutOf(p).rotationDegrees, 0);
}

TEST(PageLayout, ClipIsTheWindowWithinThePrintableArea) {
    Placement p = a1Frame();
    p.paper.printableMm = box(5, 5, 836, 589);
    PageLayout layout = layoutOf(p);
    // Fitted to the printable area, the window is the clip.
    EXPECT_NEAR(layout.clipMm.x0, layout.windowMm.x0, 1e-9);
    EXPECT_GE(layout.clipMm.x0, 5 - 1e-9);
    EXPECT_LE(layout.clipMm.x1, 836 + 1e-9);

    p.scaleToFit = false;
    p.mmPerUnit = 0.02;  // twice too large: the printable area cuts it
    layout = layoutOf(p);
    EXPECT_NEAR(layout.clipMm.x0, 5, 1e-9);
    EXPECT_NEAR(layout.clipMm.x1, 836, 1e-9);
    EXPECT_NEAR(layout.clipMm.y1, 589, 1e-9);
    // The world box behind the clip is what the page asks its source for.
    const Box2 world = worldBoxOf(layout, layout.clipMm);
    const Vec2 centre{(p.window.x0 + p.window.x1) / 2, (p.window.y0 + p.window.y1) / 2};
    EXPECT_LT(world.x0, centre.x);
    EXPECT_GT(world.x1, centre.x);
    EXPECT_NEAR(world.width(), 831 / 0.02, 1e-6);
}

TEST(PageLayout, UnusablePlacementsAreRefusedWithAReason) {
    std::string error;
    PageLayout layout;
    Placement p = a1Frame();
    p.window = {};
    EXPECT_FALSE(layoutPage(p, layout, error));
    EXPECT_NE(error.find("window"), std::string::npos);

    p = a1Frame();
    p.window.x1 = std::nan("");
    EXPECT_FALSE(layoutPage(p, layout, error));

    p = a1Frame();
    p.paper = {0, 594, {}};
    EXPECT_FALSE(layoutPage(p, layout, error));
    EXPECT_NE(error.find("paper"), std::string::npos);

    p = a1Frame();
    p.paper.printableMm = box(900, 0, 1000, 100);
    EXPECT_FALSE(layoutPage(p, layout, error));

    p = a1Frame();
    p.scaleToFit = false;
    p.mmPerUnit = 0;
    EXPECT_FALSE(layoutPage(p, layout, error));
    EXPECT_NE(error.find("scale"), std::string::npos);

    p = a1Frame();
    p.window = box(0, 0, 0, 0);  // a point has no size to fit
    EXPECT_FALSE(layoutPage(p, layout, error));
}

TEST(PageLayout, ALineShapedWindowStillFits) {
    Placement p;
    p.window = box(0, 0, 100, 0);
    p.paper = {200, 100, {}};
    const PageLayout layout = layoutOf(p);
    expectAt(layout, {0, 0}, {0, 50});
    expectAt(layout, {100, 0}, {200, 50});
}

}  // namespace
}  // namespace vx::plot
