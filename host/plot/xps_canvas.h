// Our XPS writer for the "DWF" driver: a DWFx-style 2D package whose sheets are XPS FixedPages,
// so XPS viewers open it. Each page is a canvas in paper millimetres (one render transform to
// XPS units, y up) clipped to the plot window; each pen and kind is one Path; text is glyph
// geometry from the font library.
#pragma once

#include <memory>
#include <string>

#include "plot/file_canvas.h"
#include "render/fonts.h"

namespace vx::plot {

// XPS strokes have no hairline: width 0 becomes this, the thinnest line worth drawing.
constexpr double kXpsThinnestLineMm = 0.1;

std::unique_ptr<FileCanvas> makeXpsCanvas(const std::string& path, render::FontLibrary& fonts);

}  // namespace vx::plot
