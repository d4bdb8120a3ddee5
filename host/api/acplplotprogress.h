// Plot progress: the engine reports to an AcPlPlotProgress; the host's progress dialog is one.
// In the console host the dialog is a series of progress lines on the command line, made of the
// dialog's message strings ("[文件转换程序] 页 100%"); the desktop host shows a window.
#pragma once

#include "actext.h"
#include "win32.h"

class AcPlPlotProgress {
public:
    enum SheetCancelStatus { kSheetContinue = 0, kSheetCanceledByCancelButton, kSheetCanceledByCancelAllButton,
                             kSheetCanceledByCaller, kSheetCancelStatusCount };
    enum PlotCancelStatus { kPlotContinue = 0, kPlotCanceledByCaller, kPlotCanceledByCancelAllButton,
                            kPlotCancelStatusCount };

    virtual ~AcPlPlotProgress() = default;

    // The plot's begin and end, and each sheet's: false from onBegin... means "do not go on"
    // (the user cancelled).
    virtual bool onBeginPlot() = 0;
    virtual bool onEndPlot() = 0;
    virtual bool onBeginSheet() = 0;
    virtual bool onEndSheet() = 0;

    virtual bool isVisible() const = 0;
    virtual void setIsVisible(bool visible) = 0;

    virtual bool isPlotCancelled() const = 0;
    virtual void setPlotCancelStatus(PlotCancelStatus status) = 0;
    virtual PlotCancelStatus plotCancelStatus() const = 0;
    virtual bool isSheetCancelled() const = 0;
    virtual void setSheetCancelStatus(SheetCancelStatus status) = 0;
    virtual SheetCancelStatus sheetCancelStatus() const = 0;

    // The whole job's progress and the current sheet's; positions are clamped to the range.
    virtual void setPlotProgressRange(int lower, int upper) = 0;
    virtual void getPlotProgressRange(int& lower, int& upper) const = 0;
    virtual void setPlotProgressPos(int pos) = 0;
    virtual int plotProgressPos() const = 0;
    virtual void setSheetProgressRange(int lower, int upper) = 0;
    virtual void getSheetProgressRange(int& lower, int& upper) const = 0;
    virtual void setSheetProgressPos(int pos) = 0;
    virtual int sheetProgressPos() const = 0;
    // Called by long work now and then so that the dialog stays alive.
    virtual void heartbeat() = 0;
};

class AcPlPlotProgressDialog : public AcPlPlotProgress {
public:
    // Indexes of the dialog's texts (setPlotMsgString).
    enum PlotMSGIndex {
        kDialogTitle = 0,
        kSheetName = 1,
        kSheetNameToolTip = 2,
        kStatus = 3,
        kSheetProgressCaption = 4,
        kSheetSetProgressCaption = 5,
        kMsgCancelling = 6,
        kMsgCancellingCurrent = 7,
        kCancelSheetBtnMsg = 8,
        kCancelJobBtnMsg = 9,
        kMsgCount = 10
    };

    // False for an index outside the table.
    virtual bool setPlotMsgString(PlotMSGIndex index, const ACHAR* text) = 0;
    // Null for an index outside the table.
    virtual const ACHAR* getPlotMsgString(PlotMSGIndex index) const = 0;
    virtual bool isPreview() const = 0;
    // Ends the dialog and frees it.
    virtual void destroy() = 0;
};

// A progress dialog of the host. `callback` must be null (the host's dialogs take none). The
// caller owns the dialog and ends it with destroy().
AcPlPlotProgressDialog* acplCreatePlotProgressDialog(HWND parent, bool preview = false, int sheets = 1,
                                                     void* callback = nullptr, bool showCancelSheetButton = true);
