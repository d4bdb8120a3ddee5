// Plot style tables in memory: what each ACI colour becomes on paper (colour, screening,
// lineweight). Files (.ctb/.stb) are read into this structure elsewhere; here are the two tables
// every host offers without a file, and the resolution of an entity's pen to an output pen.
#pragma once

#include <array>
#include <cstdint>

#include "render/canvas.h"
#include "render/primitives.h"

namespace vx::plot {

// Lineweight value meaning "use the entity's own lineweight".
constexpr double kObjectLineweight = -1;

struct PlotStyle {
    bool objectColor = true;      // keep the entity's colour; otherwise `r`, `g`, `b`
    uint8_t r = 0, g = 0, b = 0;
    bool grayscale = false;       // convert the colour to its grey of equal luminance
    int screening = 100;          // percent of the colour's intensity; 0 plots white
    double lineweightMm = kObjectLineweight;  // >= 0: this width; 0 is the thinnest line
};

struct PlotStyleTable {
    std::array<PlotStyle, 256> aci;  // index = ACI number 1-255; [0] unused
    // True colours have no ACI entry: tables that make everything one colour set this as well.
    PlotStyle trueColor;

    const PlotStyle& styleFor(const render::Color& color) const {
        return color.aci >= 1 ? aci[color.aci] : trueColor;
    }
};

// Everything as drawn, except ACI 7 (white on a dark screen) which plots black on white paper.
PlotStyleTable asDrawnTable();
// Every colour, true colours included, plots black; lineweights as drawn.
PlotStyleTable monochromeTable();

// The pen that reaches the paper. `lineweightScale` multiplies every width (plots that scale
// lineweights with the plot scale); 0 stays the thinnest line.
render::OutputPen resolvePen(const PlotStyleTable& table, const render::Pen& pen, double lineweightScale);

}  // namespace vx::plot
