// The two runs of the batch plot dialog over its ticked rows: the preview of the first ticked
// frame and the plot of every ticked frame, each through an engine of its own.
#pragma once

#include <string>

#include "batchplot/plot_devices.h"
#include "batchplot/plot_frame.h"
#include "frames/frame_select.h"

namespace vorlix {

// The list's columns.
enum PlotColumn {
    kTickColumn = 0,
    kSerialColumn,
    kNumberColumn,
    kNameColumn,
    kPaperColumn,
    kFileColumn,
    kStatusColumn,
    kPositionColumn,
    kPlotColumnCount
};

constexpr const wchar_t* kNotPlotted = L"未打印";
constexpr const wchar_t* kPlotted = L"已打印";
constexpr const wchar_t* kPlotFailed = L"打印出错";

// The rows as the dialog's list holds them.
class PlotRowAccess {
public:
    virtual ~PlotRowAccess() = default;
    virtual int rowCount() const = 0;
    virtual bool ticked(int row) const = 0;
    virtual std::wstring text(int row, PlotColumn column) const = 0;
    virtual void setStatus(int row, const wchar_t* status) = 0;
};

struct PlotRunSettings {
    PlotJob job;
    const FrameList* frames = nullptr;
    const PaperMap* paperMap = nullptr;
    std::wstring extension;
    std::wstring outputFolder;
    std::wstring paperOverride;  // a printer's "打印尺寸"; empty: each row's own size
};

// What stops a run before it begins, as the message to show; empty when the run may go on.
// The preview needs no output folder.
std::wstring runProblem(const std::wstring& device, const std::wstring& style, const std::wstring& outputFolder,
                        bool plotToFile, bool preview);

// The first ticked row whose frame opens, shown by the host's preview on the row's own size.
void previewFirstTicked(const PlotRunSettings& run, PlotRowAccess& rows);

// Every ticked row, each frame its own plot; the row's status tells how it went. Files go into
// the output folder under the row's file name made safe; a name given out earlier in the run
// gets a "(2)", "(3)" ... suffix. Both are said on the command line.
void plotTicked(const PlotRunSettings& run, PlotRowAccess& rows);

}  // namespace vorlix
