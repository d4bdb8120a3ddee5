// Our HPGL/2 writer (PLT files for pen plotters, print shops and their RIPs): 40 plotter units per
// millimetre, pens numbered from the distinct output pens with their colours (PC) and widths
// (PW, metric; 0 = the thinnest the device makes), fills as polygons (PM/FP, even-odd), text as
// glyph geometry from the font library, the plot window as the input window (IW).
#pragma once

#include <memory>
#include <string>

#include "plot/file_canvas.h"
#include "render/fonts.h"

namespace vx::plot {

std::unique_ptr<FileCanvas> makeHpglCanvas(const std::string& path, render::FontLibrary& fonts);

}  // namespace vx::plot
