// Text that a canvas cannot hand to a font engine: underlines and overlines as lines, and glyphs
// as geometry on the paper for the writers that draw text as outlines (HPGL/2, XPS).
#pragma once

#include <vector>

#include "render/canvas.h"
#include "render/fonts.h"

namespace vx::plot {

// Underline and overline of a placed text, on the paper.
void decorationLines(const render::PlacedText& text, std::vector<render::Polyline>& out);

// The glyphs of a placed text on the paper (outline fonts give fills, stroke fonts strokes),
// curves flattened to `toleranceMm`, with its underline and overline as strokes.
void textGeometryOnPaper(render::FontLibrary& fonts, const render::PlacedText& text, double toleranceMm,
                         std::vector<render::Polygon>& fills, std::vector<render::Polyline>& strokes);

}  // namespace vx::plot
