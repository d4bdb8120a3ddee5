// vxplot's command line.
#pragma once

#include <string>

#include "plot/output_format.h"
#include "plot/page_layout.h"

namespace vxplot {

enum class Mode { Window, Frames };

struct Options {
    std::string drawing;
    Mode mode = Mode::Window;
    vx::render::Box2 window;                 // --window, world coordinates
    std::string paper;                       // --paper: an ISO sheet name; empty: the best fit
    vx::plot::PlotRotation rotation = vx::plot::PlotRotation::Auto;
    bool monochrome = false;                 // --style monochrome | as-drawn
    double dpi = 100;                        // --dpi: PNG resolution
    std::string out;                         // --out FILE (window mode)
    std::string layer = "C-TK";              // --layer (frames mode)
    std::string outDir;                      // --out-dir (frames mode)
    vx::plot::OutputFormat format = vx::plot::OutputFormat::Pdf;  // from --out or --format
};

extern const char* const kUsage;

// False with a message naming what is wrong; `help` set for -h/--help.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error, bool& help);

}  // namespace vxplot
