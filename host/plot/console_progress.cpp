// The console's plot progress dialog: while shown, each change of progress that crosses a
// quarter of its range is a line on the command line, "[title] caption N%", in the dialog's own
// message strings.
#include <algorithm>
#include <array>
#include <string>

#include "acplplotprogress.h"
#include "acutads.h"
#include "plot/progress_dialogs.h"

namespace {

const wchar_t* const kDefaultTexts[AcPlPlotProgressDialog::kMsgCount] = {
    L"Plot progress", L"", L"", L"", L"Sheet progress", L"Job progress", L"Cancelling", L"Cancelling the sheet",
    L"Cancel sheet", L"Cancel job"};

struct Progress {
    int lower = 0, upper = 100, pos = 0;
    int shownStep = -1;  // the quarter last printed

    void setRange(int l, int u) {
        lower = std::min(l, u), upper = std::max(l, u);
        pos = std::clamp(pos, lower, upper);
        shownStep = -1;
    }
    int percent() const { return upper > lower ? static_cast<int>(100LL * (pos - lower) / (upper - lower)) : 100; }
};

class ConsoleProgressDialog : public AcPlPlotProgressDialog {
public:
    ConsoleProgressDialog(bool preview, int sheets) : m_preview(preview), m_sheets(std::max(sheets, 1)) {
        for (int i = 0; i < kMsgCount; ++i) m_texts[static_cast<size_t>(i)] = kDefaultTexts[i];
    }

    bool onBeginPlot() override {
        // A cancelled sheet belongs to the plot before; a cancelled job stays cancelled.
        m_sheetCancel = kSheetContinue;
        m_sheet = 0;
        m_plotProgress.shownStep = -1;
        return !isPlotCancelled();
    }
    bool onEndPlot() override { return true; }
    bool onBeginSheet() override {
        ++m_sheet;
        m_sheetProgress.shownStep = -1;
        return !isPlotCancelled() && !isSheetCancelled();
    }
    bool onEndSheet() override { return true; }

    bool isVisible() const override { return m_visible; }
    void setIsVisible(bool visible) override { m_visible = visible; }

    bool isPlotCancelled() const override { return m_plotCancel != kPlotContinue; }
    void setPlotCancelStatus(PlotCancelStatus status) override { m_plotCancel = status; }
    PlotCancelStatus plotCancelStatus() const override { return m_plotCancel; }
    bool isSheetCancelled() const override { return m_sheetCancel != kSheetContinue; }
    void setSheetCancelStatus(SheetCancelStatus status) override { m_sheetCancel = status; }
    SheetCancelStatus sheetCancelStatus() const override { return m_sheetCancel; }

    void setPlotProgressRange(int lower, int upper) override { m_plotProgress.setRange(lower, upper); }
    void getPlotProgressRange(int& lower, int& upper) const override {
        lower = m_plotProgress.lower, upper = m_plotProgress.upper;
    }
    void setPlotProgressPos(int pos) override { move(m_plotProgress, pos, kSheetSetProgressCaption); }
    int plotProgressPos() const override { return m_plotProgress.pos; }
    void setSheetProgressRange(int lower, int upper) override { m_sheetProgress.setRange(lower, upper); }
    void getSheetProgressRange(int& lower, int& upper) const override {
        lower = m_sheetProgress.lower, upper = m_sheetProgress.upper;
    }
    void setSheetProgressPos(int pos) override { move(m_sheetProgress, pos, kSheetProgressCaption); }
    int sheetProgressPos() const override { return m_sheetProgress.pos; }
    void heartbeat() override {}

    bool setPlotMsgString(PlotMSGIndex index, const ACHAR* text) override {
        if (index < 0 || index >= kMsgCount) return false;
        m_texts[static_cast<size_t>(index)] = text ? text : L"";
        return true;
    }
    const ACHAR* getPlotMsgString(PlotMSGIndex index) const override {
        return index >= 0 && index < kMsgCount ? m_texts[static_cast<size_t>(index)].c_str() : nullptr;
    }
    bool isPreview() const override { return m_preview; }
    void destroy() override { delete this; }

private:
    void move(Progress& p, int pos, PlotMSGIndex caption) {
        p.pos = std::clamp(pos, p.lower, p.upper);
        const int step = p.percent() / 25;
        if (!m_visible || step == p.shownStep) return;
        p.shownStep = step;
        std::wstring line = L"\n[" + m_texts[kDialogTitle] + L"] " + m_texts[static_cast<size_t>(caption)];
        if (caption == kSheetProgressCaption && m_sheets > 1)
            line += L" " + std::to_wstring(m_sheet) + L"/" + std::to_wstring(m_sheets);
        line += L" " + std::to_wstring(p.percent()) + L"%";
        acutPrintf(L"%s", line.c_str());
    }

    bool m_preview;
    int m_sheets;
    int m_sheet = 0;
    bool m_visible = false;
    PlotCancelStatus m_plotCancel = kPlotContinue;
    SheetCancelStatus m_sheetCancel = kSheetContinue;
    Progress m_plotProgress, m_sheetProgress;
    std::array<std::wstring, kMsgCount> m_texts;
};

vx::plot::ProgressDialogFactory& factory() {
    static vx::plot::ProgressDialogFactory f;
    return f;
}

}  // namespace

namespace vx::plot {

AcPlPlotProgressDialog* makeConsoleProgressDialog(bool preview, int sheets) { return new ConsoleProgressDialog(preview, sheets); }

void setProgressDialogFactory(ProgressDialogFactory f) { factory() = std::move(f); }

}  // namespace vx::plot

AcPlPlotProgressDialog* acplCreatePlotProgressDialog(HWND, bool preview, int sheets, void*, bool showCancelSheetButton) {
    if (const auto& f = factory()) return f(preview, sheets, showCancelSheetButton);
    return new ConsoleProgressDialog(preview, sheets);
}
