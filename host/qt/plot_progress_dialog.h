// The desktop host's plot progress dialog: a window with the sheet and job progress bars, the
// dialog's message strings as captions, and "Cancel sheet" / "Cancel job" buttons that set the
// cancel statuses the plot engine and the module read. The state and the progress lines of the
// command line are the console's dialog (so a transcript reads the same in both hosts); this
// class shows them and keeps events flowing while the plot runs, so the window repaints and
// its buttons work. The window is application-modal: nothing else takes input mid-plot.
#pragma once

#include <QDialog>

#include "acplplotprogress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vx::qt {

class PlotProgressWindow : public QDialog, public AcPlPlotProgressDialog {
public:
    PlotProgressWindow(bool preview, int sheets, bool showCancelSheetButton, QWidget* parent);
    // Registers the factory behind acplCreatePlotProgressDialog; `parent` owns nothing but
    // centres the windows. Undone by uninstall().
    static void install(QWidget* parent);
    static void uninstall();
    // The window of the dialog shown now, if any (tests and scripts look at it).
    static PlotProgressWindow* shown();

    bool onBeginPlot() override;
    bool onEndPlot() override;
    bool onBeginSheet() override;
    bool onEndSheet() override;
    bool isVisible() const override;
    void setIsVisible(bool visible) override;
    bool isPlotCancelled() const override;
    void setPlotCancelStatus(PlotCancelStatus status) override;
    PlotCancelStatus plotCancelStatus() const override;
    bool isSheetCancelled() const override;
    void setSheetCancelStatus(SheetCancelStatus status) override;
    SheetCancelStatus sheetCancelStatus() const override;
    void setPlotProgressRange(int lower, int upper) override;
    void getPlotProgressRange(int& lower, int& upper) const override;
    void setPlotProgressPos(int pos) override;
    int plotProgressPos() const override;
    void setSheetProgressRange(int lower, int upper) override;
    void getSheetProgressRange(int& lower, int& upper) const override;
    void setSheetProgressPos(int pos) override;
    int sheetProgressPos() const override;
    void heartbeat() override;
    bool setPlotMsgString(PlotMSGIndex index, const ACHAR* text) override;
    const ACHAR* getPlotMsgString(PlotMSGIndex index) const override;
    bool isPreview() const override;
    void destroy() override;

    QProgressBar* sheetBar() const { return m_sheetBar; }
    QProgressBar* jobBar() const { return m_jobBar; }
    QPushButton* cancelSheetButton() const { return m_cancelSheet; }
    QPushButton* cancelJobButton() const { return m_cancelJob; }
    QLabel* statusLabel() const { return m_status; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ~PlotProgressWindow() override;
    void refresh();
    void pump();

    AcPlPlotProgressDialog* m_state;  // the console's dialog: statuses, ranges, texts, lines
    QLabel* m_sheetName = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_sheetCaption = nullptr;
    QLabel* m_jobCaption = nullptr;
    QProgressBar* m_sheetBar = nullptr;
    QProgressBar* m_jobBar = nullptr;
    QPushButton* m_cancelSheet = nullptr;
    QPushButton* m_cancelJob = nullptr;
};

}  // namespace vx::qt
