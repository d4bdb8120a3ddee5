#include "batchplot/plot_runs.h"

#include "aced.h"
#include "batchplot/safe_file_names.h"
#include "frames/shown_path.h"
#include "frames/text_split.h"

namespace vorlix {
namespace {

// An engine for one run, destroyed with it.
class RunEngine {
public:
    explicit RunEngine(bool preview) {
        const Acad::ErrorStatus es = preview ? AcPlPlotFactory::createPreviewEngine(m_engine, AcPlPlotFactory::kShowPlot)
                                             : AcPlPlotFactory::createPublishEngine(m_engine);
        if (es != Acad::eOk) m_engine = nullptr;
    }
    ~RunEngine() {
        if (m_engine) m_engine->destroy();
    }
    RunEngine(const RunEngine&) = delete;
    RunEngine& operator=(const RunEngine&) = delete;
    AcPlPlotEngine* get() const { return m_engine; }

private:
    AcPlPlotEngine* m_engine = nullptr;
};

std::wstring canonicalMedia(const PaperMap& map, const std::wstring& size) {
    const auto it = map.find(size);
    return it == map.end() ? std::wstring() : it->second;
}

// The row's frame window; false (the row is skipped) when its frame does not open.
bool rowWindow(const PlotRunSettings& run, PlotRowAccess& rows, int row, FrameWindow& window) {
    const int position = decimalInteger(rows.text(row, kPositionColumn));
    if (!run.frames || position < 0 || position >= run.frames->length()) return false;
    return frameWindow((*run.frames)[position], window);
}

// The ticked rows whose frame is still in the drawing: the count the progress lines give, so
// that a run with an erased frame does not end on "2 of 3".
int plottableCount(const PlotRunSettings& run, PlotRowAccess& rows) {
    int count = 0;
    for (int r = 0; r < rows.rowCount(); ++r) {
        FrameWindow window;
        count += rows.ticked(r) && rowWindow(run, rows, r, window) ? 1 : 0;
    }
    return count;
}

// The file (name and extension) a row is plotted to in the output folder, or false (said on
// the command line) when its name cannot be one.
bool rowOutputFile(const PlotRunSettings& run, const std::wstring& fileName, RunFileNames& names, std::wstring& file) {
    std::wstring safe;
    switch (safeFileName(fileName, run.extension, safe)) {
    case FileNameVerdict::Refused:
        acutPrintf(L"\n文件名“%s”不能用作文件名，该图框未打印。", fileName.c_str());
        return false;
    case FileNameVerdict::Changed:
        acutPrintf(L"\n文件名“%s”中有不能用于文件名的字符，改为“%s”。", fileName.c_str(), safe.c_str());
        break;
    case FileNameVerdict::Kept: break;
    }
    bool renamed = false;
    const std::wstring unique = names.claim(safe, renamed);
    if (renamed) acutPrintf(L"\n文件名“%s”在本次打印中已经用过，改为“%s”。", safe.c_str(), unique.c_str());
    file = unique + run.extension;
    return true;
}

}  // namespace

std::wstring runProblem(const std::wstring& device, const std::wstring& style, const std::wstring& outputFolder,
                        bool plotToFile, bool preview) {
    if (device.empty()) return L"请先选择打印驱动！";
    if (style.empty()) return L"请先选择打印样式！";
    if (!preview && plotToFile && outputFolder.empty()) return L"请选择打印文件保存的路径！";
    return std::wstring();
}

void previewFirstTicked(const PlotRunSettings& run, PlotRowAccess& rows) {
    RunEngine engine(true);
    if (!engine.get()) return;
    for (int r = 0; r < rows.rowCount(); ++r) {
        FrameWindow window;
        if (!rows.ticked(r) || !rowWindow(run, rows, r, window)) continue;
        const std::wstring media = canonicalMedia(*run.paperMap, rows.text(r, kPaperColumn));
        plotFrame(*engine.get(), run.job, std::wstring(), media, window, true);
        return;
    }
}

void plotTicked(const PlotRunSettings& run, PlotRowAccess& rows) {
    RunEngine engine(false);
    if (!engine.get()) return;
    AcPlPlotProgressDialog* progress = run.job.progress;
    // The progress dialog outlives the runs: a job cancelled in the run before is not this one's.
    progress->setPlotCancelStatus(AcPlPlotProgress::kPlotContinue);
    progress->setSheetCancelStatus(AcPlPlotProgress::kSheetContinue);
    const int total = plottableCount(run, rows);
    RunFileNames names;
    int done = 0, plotted = 0, failed = 0, cancelled = 0;
    bool jobCancelled = false;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (!rows.ticked(r)) continue;
        // Cancelling the job stops the run after the sheet under way.
        if (progress->isPlotCancelled()) {
            jobCancelled = true;
            break;
        }
        const std::wstring size =
            !run.job.plotToFile && !run.paperOverride.empty() ? run.paperOverride : rows.text(r, kPaperColumn);
        FrameWindow window;
        if (!rowWindow(run, rows, r, window)) {
            acutPrintf(L"\n序号 %s 的图框已不在图中，未打印。", rows.text(r, kSerialColumn).c_str());
            continue;
        }
        ++done;
        const std::wstring fileName = rows.text(r, kFileColumn);
        std::wstring file = fileName + run.extension;
        if (run.job.plotToFile && !rowOutputFile(run, fileName, names, file)) {
            rows.setStatus(r, kPlotFailed);
            ++failed;
            continue;
        }
        const std::wstring path = run.outputFolder + L"\\" + file;
        const std::wstring shown = run.job.plotToFile ? shownPath(run.outputFolder, file) : fileName;
        acutPrintf(L"\n正在打印第 %d 张（共 %d 张）：%s", done, total, shown.c_str());
        const FrameResult result = plotFrame(*engine.get(), run.job, path, canonicalMedia(*run.paperMap, size), window, false);
        if (result == FrameResult::Cancelled) {
            // Nothing of the sheet was written; the row says so rather than "打印出错".
            rows.setStatus(r, kNotPlotted);
            ++cancelled;
            acutPrintf(L"\n第 %d 张已取消，未打印。", done);
            continue;
        }
        const bool ok = result == FrameResult::Plotted;
        rows.setStatus(r, ok ? kPlotted : kPlotFailed);
        ++(ok ? plotted : failed);
    }
    if (jobCancelled || progress->isPlotCancelled()) {
        acutPrintf(L"\n打印已取消：%d 张已打印，%d 张出错，%d 张未打印。", plotted, failed, total - plotted - failed);
        return;
    }
    if (cancelled > 0) {
        acutPrintf(L"\n打印结束：%d 张已打印，%d 张出错，%d 张已取消。", plotted, failed, cancelled);
        return;
    }
    if (done > 0) acutPrintf(L"\n打印结束：%d 张已打印，%d 张出错。", plotted, failed);
}

}  // namespace vorlix
