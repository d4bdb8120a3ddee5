// The plot file formats and the canvas that writes each.
#pragma once

#include <memory>
#include <string>

#include "plot/file_canvas.h"
#include "render/fonts.h"

namespace vx::plot {

enum class OutputFormat { Pdf, Svg, Png, Plt, Dwfx };

// The format a file name asks for by its extension (case-insensitive: .pdf .svg .png .plt
// .dwfx; .hpgl and .xps are taken too). False for any other.
bool formatFromPath(const std::string& path, OutputFormat& format);
// The format named by a word ("pdf", "PLT" ...).
bool formatFromName(const std::string& name, OutputFormat& format);
// The usual extension with its dot: ".pdf" ...
const char* formatExtension(OutputFormat format);

// A canvas writing `path`. The QPainter formats make sure a QGuiApplication exists first. Null
// with a reason when that fails.
std::unique_ptr<FileCanvas> makeFileCanvas(OutputFormat format, const std::string& path, render::FontLibrary& fonts,
                                           std::string& error);

}  // namespace vx::plot
