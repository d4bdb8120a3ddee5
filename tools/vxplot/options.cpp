// Parsing vxplot's arguments: every mistake is named, nothing is guessed.
#include "options.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "plot/paper_sizes.h"

namespace vxplot {

const char* const kUsage =
    "usage: vxplot DRAWING --window X1,Y1,X2,Y2 [--paper A0..A4] [--rotate auto|0|90|180|270]\n"
    "              [--style monochrome|as-drawn] [--dpi N] --out FILE.pdf|.svg|.png|.plt|.dwfx\n"
    "       vxplot DRAWING --frames [--layer C-TK] --out-dir DIR [--format pdf|svg|png|plt|dwfx]\n"
    "              [--style ...] [--rotate ...] [--dpi N]\n"
    "  The first form plots a window of model space onto a sheet (default: the ISO sheet it fits\n"
    "  best), scaled to fit and centred. The second plots every block reference on the layer to a\n"
    "  file of its own, on the ISO sheet its extents fit best, turned like the frame.\n";

namespace {

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool parseWindow(const std::string& text, vx::render::Box2& box) {
    std::vector<double> v;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        double n = 0;
        if (!parseNumber(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), n))
            return false;
        v.push_back(n);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (v.size() != 4) return false;
    box = {};
    box.add(vx::render::Vec2{v[0], v[1]});
    box.add(vx::render::Vec2{v[2], v[3]});
    return box.width() > 0 && box.height() > 0;
}

bool parseRotation(const std::string& text, vx::plot::PlotRotation& rotation) {
    static const std::pair<const char*, vx::plot::PlotRotation> kRotations[] = {
        {"auto", vx::plot::PlotRotation::Auto}, {"0", vx::plot::PlotRotation::Deg0},
        {"90", vx::plot::PlotRotation::Deg90},   {"180", vx::plot::PlotRotation::Deg180},
        {"270", vx::plot::PlotRotation::Deg270},
    };
    for (const auto& [name, value] : kRotations)
        if (text == name) return rotation = value, true;
    return false;
}

}  // namespace

bool parseOptions(int argc, const char* const* argv, Options& o, std::string& error, bool& help) {
    help = false;
    bool window = false, frames = false, formatGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            help = true;
            return true;
        }
        if (arg == "--frames") {
            frames = true;
            continue;
        }
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            if (i + 1 >= argc) return (error = arg + " needs a value"), false;
            const std::string value = argv[++i];
            if (arg == "--window") {
                if (!parseWindow(value, o.window))
                    return (error = "--window needs four numbers X1,Y1,X2,Y2 of a box with width and height, not \"" +
                                    value + "\""), false;
                window = true;
            } else if (arg == "--paper") {
                if (!vx::plot::isoSheet(value)) return (error = "unknown paper \"" + value + "\" (A0 ... A4)"), false;
                o.paper = value;
            } else if (arg == "--rotate") {
                if (!parseRotation(value, o.rotation))
                    return (error = "--rotate takes auto, 0, 90, 180 or 270, not \"" + value + "\""), false;
            } else if (arg == "--style") {
                if (value != "monochrome" && value != "as-drawn")
                    return (error = "--style takes monochrome or as-drawn, not \"" + value + "\""), false;
                o.monochrome = value == "monochrome";
            } else if (arg == "--dpi") {
                if (!parseNumber(value, o.dpi) || o.dpi < 10 || o.dpi > 2400)
                    return (error = "--dpi takes a resolution from 10 to 2400, not \"" + value + "\""), false;
            } else if (arg == "--out") {
                if (!vx::plot::formatFromPath(value, o.format))
                    return (error = "--out must end in .pdf, .svg, .png, .plt or .dwfx: \"" + value + "\""), false;
                o.out = value;
            } else if (arg == "--layer") {
                if (value.empty()) return (error = "--layer needs a layer name"), false;
                o.layer = value;
            } else if (arg == "--out-dir") {
                if (value.empty()) return (error = "--out-dir needs a folder"), false;
                o.outDir = value;
            } else if (arg == "--format") {
                if (!vx::plot::formatFromName(value, o.format))
                    return (error = "--format takes pdf, svg, png, plt or dwfx, not \"" + value + "\""), false;
                formatGiven = true;
            } else {
                return (error = "unknown option " + arg), false;
            }
            continue;
        }
        if (arg.empty() || arg[0] == '-') return (error = "unknown option \"" + arg + "\""), false;
        if (!o.drawing.empty()) return (error = "one drawing at a time: \"" + arg + "\" is a second one"), false;
        o.drawing = arg;
    }
    if (o.drawing.empty()) return (error = "no drawing named"), false;
    if (window == frames) return (error = "give either --window or --frames"), false;
    o.mode = frames ? Mode::Frames : Mode::Window;
    if (window && o.out.empty()) return (error = "--window needs --out FILE"), false;
    if (window && (!o.outDir.empty() || formatGiven))
        return (error = "--out-dir and --format belong to --frames; --out names the file"), false;
    if (frames && o.outDir.empty()) return (error = "--frames needs --out-dir DIR"), false;
    if (frames && !o.out.empty()) return (error = "--frames writes one file per frame into --out-dir, not --out"), false;
    if (frames && !o.paper.empty()) return (error = "--frames picks each frame's sheet; --paper belongs to --window"), false;
    return true;
}

}  // namespace vxplot
