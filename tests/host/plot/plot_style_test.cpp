// Plot style tables: colours, screening, grey, lineweights and their scaling.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/plot_style.h"

namespace vx::plot {
namespace {

render::Pen pen(uint8_t r, uint8_t g, uint8_t b, uint8_t aci, int16_t lineweight = 0) {
    return {{r, g, b, aci}, lineweight};
}

void expectColour(const render::OutputPen& out, int r, int g, int b) {
    EXPECT_EQ(out.r, r);
    EXPECT_EQ(out.g, g);
    EXPECT_EQ(out.b, b);
}

TEST(PlotStyle, AsDrawnPlotsWhiteBlackAndKeepsEveryOtherColour) {
    const PlotStyleTable table = asDrawnTable();
    expectColour(resolvePen(table, pen(255, 255, 255, 7), 1), 0, 0, 0);
    expectColour(resolvePen(table, pen(255, 0, 0, 1), 1), 255, 0, 0);
    expectColour(resolvePen(table, pen(12, 34, 56, 0), 1), 12, 34, 56);      // a true colour
    expectColour(resolvePen(table, pen(255, 255, 255, 0), 1), 255, 255, 255);  // true white is as drawn
}

TEST(PlotStyle, MonochromeMakesEveryColourBlackTrueColoursIncluded) {
    const PlotStyleTable table = monochromeTable();
    for (uint8_t aci : {1, 7, 30, 255}) expectColour(resolvePen(table, pen(200, 100, 50, aci), 1), 0, 0, 0);
    expectColour(resolvePen(table, pen(200, 100, 50, 0), 1), 0, 0, 0);
}

TEST(PlotStyle, ScreeningAndGreyChangeTheOutputColour) {
    PlotStyleTable table = asDrawnTable();
    table.aci[1].screening = 50;
    expectColour(resolvePen(table, pen(255, 0, 0, 1), 1), 255, 128, 128);  // half way to the paper
    table.aci[2].screening = 0;
    expectColour(resolvePen(table, pen(0, 0, 0, 2), 1), 255, 255, 255);
    table.aci[3].grayscale = true;
    const auto grey = resolvePen(table, pen(0, 255, 0, 3), 1);
    EXPECT_EQ(grey.r, grey.g);
    EXPECT_EQ(grey.g, grey.b);
    EXPECT_NEAR(grey.r, 150, 1);  // luminance of pure green
    table.aci[4].objectColor = false;
    table.aci[4].r = 10, table.aci[4].g = 20, table.aci[4].b = 30;
    expectColour(resolvePen(table, pen(255, 0, 0, 4), 1), 10, 20, 30);
}

TEST(PlotStyle, LineweightsComeFromTheEntityOrTheTableAndScale) {
    PlotStyleTable table = asDrawnTable();
    EXPECT_DOUBLE_EQ(resolvePen(table, pen(0, 0, 0, 1, 50), 1).widthMm, 0.5);
    EXPECT_DOUBLE_EQ(resolvePen(table, pen(0, 0, 0, 1, 50), 2).widthMm, 1.0);
    // The thinnest line stays the thinnest line whatever the scaling.
    EXPECT_EQ(resolvePen(table, pen(0, 0, 0, 1, 0), 3).widthMm, 0);
    table.aci[1].lineweightMm = 0.7;
    EXPECT_DOUBLE_EQ(resolvePen(table, pen(0, 0, 0, 1, 13), 1).widthMm, 0.7);
    table.aci[1].lineweightMm = 0;
    EXPECT_EQ(resolvePen(table, pen(0, 0, 0, 1, 211), 1).widthMm, 0);
    // A negative entity lineweight (an unresolved ByLayer) and a broken scale give sane widths.
    EXPECT_EQ(resolvePen(asDrawnTable(), pen(0, 0, 0, 2, -1), 1).widthMm, 0);
    EXPECT_DOUBLE_EQ(resolvePen(asDrawnTable(), pen(0, 0, 0, 2, 35), std::nan("")).widthMm, 0.35);
    EXPECT_DOUBLE_EQ(resolvePen(asDrawnTable(), pen(0, 0, 0, 2, 35), -2).widthMm, 0.35);
}

}  // namespace
}  // namespace vx::plot
