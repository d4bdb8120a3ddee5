// The devices and plot style tables the host installs into the user's roamable root folder:
// file writers for PDF, SVG, PNG, HPGL/2 and DWFx on the ISO sheets, and the style tables
// monochrome.ctb, grayscale.ctb and "Vorlix Colour.ctb".
#pragma once

#include <string>
#include <vector>

#include "plot/device_config.h"

namespace vx::plot {

struct PlotFile {
    std::string folder;    // below the roamable root: "Plotters" ...
    std::wstring name;
    std::string bytes;
};

// ISO A0-A4, each landscape and portrait, without margins.
std::vector<Medium> isoMedia();
// Every file the host ships.
std::vector<PlotFile> hostPlotFiles();

// Writes each shipped file that is missing into its folder below `root` (native, ends with '/'),
// never replacing a file that exists (a user's edited one) and never creating a folder (a
// folder the user removed stays removed). The number of files written.
int installHostPlotFiles(const std::string& root);

}  // namespace vx::plot
