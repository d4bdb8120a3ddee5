// The built-in plot style tables and the pen resolution every page uses.
#include "plot/plot_style.h"

#include <algorithm>
#include <cmath>

namespace vx::plot {

namespace {

constexpr int kAciWhite = 7;

PlotStyle blackStyle() {
    PlotStyle style;
    style.objectColor = false;
    return style;
}

uint8_t screened(uint8_t channel, int screening) {
    // Screening mixes the colour with the paper: 100 % is the colour, 0 % plain paper.
    const int s = std::clamp(screening, 0, 100);
    return static_cast<uint8_t>(255 - (255 - channel) * s / 100);
}

}  // namespace

PlotStyleTable asDrawnTable() {
    PlotStyleTable table;
    table.aci[kAciWhite] = blackStyle();
    return table;
}

PlotStyleTable monochromeTable() {
    PlotStyleTable table;
    table.aci.fill(blackStyle());
    table.trueColor = blackStyle();
    return table;
}

render::OutputPen resolvePen(const PlotStyleTable& table, const render::Pen& pen, double lineweightScale) {
    const PlotStyle& style = table.styleFor(pen.color);
    render::OutputPen out;
    if (style.objectColor) {
        out.r = pen.color.r, out.g = pen.color.g, out.b = pen.color.b;
    } else {
        out.r = style.r, out.g = style.g, out.b = style.b;
    }
    if (style.grayscale) {
        const auto grey = static_cast<uint8_t>(std::lround(0.299 * out.r + 0.587 * out.g + 0.114 * out.b));
        out.r = out.g = out.b = grey;
    }
    if (style.screening != 100) {
        out.r = screened(out.r, style.screening);
        out.g = screened(out.g, style.screening);
        out.b = screened(out.b, style.screening);
    }
    // Negative or unset entity lineweights never reach here resolved; treat them as the thinnest.
    const double objectMm = std::max<int>(pen.lineweight, 0) / 100.0;
    const double mm = style.lineweightMm >= 0 ? style.lineweightMm : objectMm;
    const double scale = std::isfinite(lineweightScale) && lineweightScale > 0 ? lineweightScale : 1.0;
    out.widthMm = mm * scale;
    return out;
}

}  // namespace vx::plot
