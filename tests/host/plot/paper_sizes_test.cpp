// ISO sheets by name and the sheet a frame fits best.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/paper_sizes.h"

namespace vx::plot {
namespace {

std::string best(double w, double h) {
    const IsoSheet* sheet = bestIsoSheet(w, h);
    return sheet ? sheet->name : "none";
}

TEST(PaperSizes, SheetsByNameTurnedAsAsked) {
    const IsoSheet* a1 = isoSheet("a1");
    ASSERT_TRUE(a1);
    const Paper landscape = isoPaper(*a1, true), portrait = isoPaper(*a1, false);
    EXPECT_EQ(landscape.widthMm, 841);
    EXPECT_EQ(landscape.heightMm, 594);
    EXPECT_EQ(portrait.widthMm, 594);
    EXPECT_EQ(isoSheet("A4")->longMm, 297);
    EXPECT_EQ(isoSheet("B1"), nullptr);
    EXPECT_EQ(isoSheet(""), nullptr);
}

TEST(PaperSizes, AFrameGetsTheSheetItWasDrawnFor) {
    EXPECT_EQ(best(84100, 59400), "A1");   // the office's A1 frame, paper mm x 100
    EXPECT_EQ(best(59400, 84100), "A1");
    EXPECT_EQ(best(841, 594), "A1");       // drawn in paper millimetres
    EXPECT_EQ(best(21000, 29700), "A4");
    EXPECT_EQ(best(118900, 84100), "A0");
    EXPECT_EQ(best(84500, 59600), "A1");   // attributes reaching a little past the border
    // A lengthened A1 (A1+1/4) is held whole by an A0 sheet at the drawing's scale.
    EXPECT_EQ(best(105100, 59400), "A0");
    EXPECT_EQ(best(0, 100), "none");
    EXPECT_EQ(best(std::nan(""), 100), "none");
}

}  // namespace
}  // namespace vx::plot
