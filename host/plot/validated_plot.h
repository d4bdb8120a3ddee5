// A plot as validation settled it: the device and its medium, the space to draw, where the
// window lands on the sheet, and the style table. The engine plots from this alone.
#pragma once

#include <memory>
#include <string>

#include "acplplotconfig.h"
#include "dbid.h"
#include "plot/device_catalog.h"
#include "plot/page_layout.h"
#include "plot/plot_style.h"

class AcDbDatabase;

namespace vx::plot {

enum class PlotArea { Window, Extents, Layout };

struct ValidatedPlot {
    std::shared_ptr<const Device> device;
    Medium medium;
    AcDbDatabase* database = nullptr;
    AcDbObjectId layout, space;
    std::wstring layoutName;
    bool modelSpace = true;

    PlotArea area = PlotArea::Window;
    render::Box2 window;        // Window: world coordinates; Layout: the paper's printable area
    int rotationDegrees = 0;    // counter-clockwise
    bool centred = true;
    render::Vec2 originMm;      // without centring: from the printable area's lower left corner
    bool scaleToFit = true;
    double mmPerUnit = 1;
    std::wstring styleSheet;
    std::shared_ptr<const PlotStyleTable> styleTable;
    double lineweightScale = 1;
};

// The configuration object the config manager gives for a device, and the device behind one.
const AcPlPlotConfig* plotConfigOf(const std::shared_ptr<const Device>& device);
std::shared_ptr<const Device> deviceOfConfig(const AcPlPlotConfig* config);

}  // namespace vx::plot
