// ISO 216 A sizes in millimetres.
#include "plot/paper_sizes.h"

#include <cmath>
#include <strings.h>

namespace vx::plot {

namespace {

const IsoSheet kSheets[] = {
    {"A0", 841, 1189}, {"A1", 594, 841}, {"A2", 420, 594}, {"A3", 297, 420}, {"A4", 210, 297},
};

}  // namespace

const IsoSheet* isoSheet(const std::string& name) {
    for (const auto& sheet : kSheets)
        if (strcasecmp(sheet.name, name.c_str()) == 0) return &sheet;
    return nullptr;
}

Paper isoPaper(const IsoSheet& sheet, bool landscape) {
    Paper paper;
    paper.widthMm = landscape ? sheet.longMm : sheet.shortMm;
    paper.heightMm = landscape ? sheet.shortMm : sheet.longMm;
    return paper;
}

const IsoSheet* bestIsoSheet(double width, double height) {
    if (!(width > 0 && height > 0) || !std::isfinite(width) || !std::isfinite(height)) return nullptr;
    const double longSide = std::max(width, height), shortSide = std::min(width, height);
    const IsoSheet* best = nullptr;
    double bestScore = HUGE_VAL;
    for (const auto& sheet : kSheets) {
        // How far the frame's shape is from the sheet's, and how far its scale from a power of
        // ten; both as logarithms so that too large and too small weigh alike.
        const double scale = longSide / sheet.longMm;
        const double shape = std::fabs(std::log(scale * sheet.shortMm / shortSide));
        const double decade = std::log10(scale);
        const double roundness = std::fabs(decade - std::round(decade)) * std::log(10.0);
        const double score = shape + roundness;
        if (score < bestScore) bestScore = score, best = &sheet;
    }
    return best;
}

}  // namespace vx::plot
