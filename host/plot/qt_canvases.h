// The QPainter file canvases: PDF (any number of pages, fonts embedded), SVG and PNG (one page
// each). A QGuiApplication must exist (ensureGuiApplication) before one is made.
#pragma once

#include <memory>
#include <string>

#include "plot/file_canvas.h"
#include "render/fonts.h"

namespace vx::plot {

// Resolution of PNG pages whose PageSpec names none.
constexpr double kDefaultRasterDpi = 100;

std::unique_ptr<FileCanvas> makePdfCanvas(const std::string& path, render::FontLibrary& fonts);
std::unique_ptr<FileCanvas> makeSvgCanvas(const std::string& path, render::FontLibrary& fonts);
std::unique_ptr<FileCanvas> makePngCanvas(const std::string& path, render::FontLibrary& fonts);

}  // namespace vx::plot
