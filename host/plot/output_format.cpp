// One table of formats: names, extensions and canvas makers.
#include "plot/output_format.h"

#include <algorithm>
#include <cctype>

#include "plot/gui_application.h"
#include "plot/hpgl_canvas.h"
#include "plot/qt_canvases.h"
#include "plot/xps_canvas.h"

namespace vx::plot {

namespace {

using Maker = std::unique_ptr<FileCanvas> (*)(const std::string&, render::FontLibrary&);

struct FormatEntry {
    OutputFormat format;
    const char* extension;  // with its dot; without it, the format's name
    const char* alias;      // another name that means the same, or null
    bool needsQt;
    Maker make;
};

const FormatEntry kFormats[] = {
    {OutputFormat::Pdf, ".pdf", nullptr, true, makePdfCanvas},
    {OutputFormat::Svg, ".svg", nullptr, true, makeSvgCanvas},
    {OutputFormat::Png, ".png", nullptr, true, makePngCanvas},
    {OutputFormat::Plt, ".plt", "hpgl", false, makeHpglCanvas},
    {OutputFormat::Dwfx, ".dwfx", "xps", false, makeXpsCanvas},
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

const FormatEntry& entryOf(OutputFormat format) {
    for (const auto& e : kFormats)
        if (e.format == format) return e;
    return kFormats[0];
}

}  // namespace

bool formatFromName(const std::string& name, OutputFormat& format) {
    const std::string n = lower(name);
    for (const auto& e : kFormats) {
        if (n == e.extension + 1 || (e.alias && n == e.alias)) {
            format = e.format;
            return true;
        }
    }
    return false;
}

bool formatFromPath(const std::string& path, OutputFormat& format) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    return formatFromName(path.substr(dot + 1), format);
}

const char* formatExtension(OutputFormat format) { return entryOf(format).extension; }

std::unique_ptr<FileCanvas> makeFileCanvas(OutputFormat format, const std::string& path, render::FontLibrary& fonts,
                                           std::string& error) {
    const FormatEntry& e = entryOf(format);
    if (e.needsQt && !ensureGuiApplication(error)) return nullptr;
    return e.make(path, fonts);
}

}  // namespace vx::plot
