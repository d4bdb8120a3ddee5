// Plot style table files: colour-dependent (.ctb, one style per ACI colour 1-255) and named
// (.stb, "Normal" first), as offices keep them, read into the table the page plots with, and
// written by the host for its own tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plot/plot_style.h"

namespace vx::plot {

// File values that mean "as the object has it".
constexpr int kObjectLinetypeIndex = 31;
constexpr int kObjectLineweightIndex = 0;

// One style as the file holds it.
struct StyleEntry {
    std::string name, localizedName, description;
    bool objectColor = true;
    uint8_t r = 0, g = 0, b = 0;
    bool dither = true, grayscale = false;
    int screening = 100;
    int physicalPen = 0, virtualPen = 0;
    int linetype = kObjectLinetypeIndex;        // 0-30 the file's linetypes, 31 the object's
    bool adaptiveLinetype = true;
    double linepatternSize = 0.5;
    int lineweight = kObjectLineweightIndex;    // index into the lineweight table; 0 the object's
    int fillStyle = 73, endStyle = 4, joinStyle = 5;  // 73/4/5: the object's
};

struct PlotStyleFile {
    bool colorDependent = true;                 // .ctb; otherwise named (.stb)
    std::string description;
    double scaleFactor = 1;
    bool applyFactor = false;
    int lineweightUnits = 0;                    // how the editor shows them (0 mm, 1 inch)
    std::vector<double> lineweights;            // mm by index
    std::vector<StyleEntry> styles;             // .ctb: ACI 1-255 in order; .stb: named
};

// The standard lineweights of a new table (index 0 = 0.00 mm ... 26 = 2.11 mm).
std::vector<double> standardLineweights();
// A colour-dependent file with every colour as drawn (object colour, lineweight and linetype).
PlotStyleFile asDrawnStyleFile(const std::string& description);

// Reads a .ctb/.stb file's bytes. False with a reason for anything that is not one.
bool readPlotStyleFile(std::string_view bytes, PlotStyleFile& file, std::string& error);
// The file's bytes; false when a text holds a line break.
bool writePlotStyleFile(const PlotStyleFile& file, std::string& bytes, std::string& error);

// The table a page plots with. ACI 7 with the object's colour plots black, as on white paper.
// Named tables plot every object with their first style ("Normal"): the drawing's per-object
// style names are not followed.
PlotStyleTable tableOf(const PlotStyleFile& file);

}  // namespace vx::plot
