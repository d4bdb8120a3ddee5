// One frame onto one sheet through the host's plot engine: the frame's extents are the plot
// window, the drawing is scaled to fit, centred and turned so that the frame's long side lies
// along the paper's long side.
#pragma once

#include <string>

#include "acdb.h"
#include "acplot.h"

namespace vorlix {

// A frame's extents in display coordinates.
struct FrameWindow {
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    // Wider than high; a square frame is not.
    bool landscape() const;
};

// False when the object does not open or has no extents.
bool frameWindow(AcDbObjectId frame, FrameWindow& window);

// What every frame of a run plots with.
struct PlotJob {
    AcDbPlotSettings* settings = nullptr;       // the dialog's copy of the active layout's settings
    AcDbObjectId layoutId;                      // the layout the copy was taken from
    AcPlPlotProgressDialog* progress = nullptr;
    bool plotToFile = false;                    // the device plots to files
};

enum class FrameResult {
    EndFailed = 0,  // plotted, but the engine reported an error when the plot ended
    Plotted = 1,
    Stopped = 2,    // the sheet, page or graphics could not begin
    Cancelled = 3,  // the user cancelled the sheet or the job before the sheet was done: no output
};

// Plots one frame on the medium of that canonical name (empty when the device has none of the
// row's size: the host then decides). `outputPath` is the file for a device that plots to
// files, ignored by a preview. A frame that stops early has its document and plot ended on the
// engine, so that the next frame begins on an idle engine.
FrameResult plotFrame(AcPlPlotEngine& engine, const PlotJob& job, const std::wstring& outputPath,
                      const std::wstring& canonicalMedia, const FrameWindow& window, bool preview);

// The rotation that puts the frame's long side along the paper's: a quarter turn when one is
// landscape and the other is not (paper is landscape when its height is below its width).
AcDbPlotSettings::PlotRotation frameRotation(const FrameWindow& window, double paperWidth, double paperHeight);

}  // namespace vorlix
