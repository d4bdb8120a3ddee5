#include "batchplot/plot_runs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "../frames/frames_fixture.h"
#include "batchplot/plot_rows.h"

namespace vorlix::test {
namespace {

TEST(RunProblem, DeviceThenStyleThenFolderOnlyForFilesThatArePlotted) {
    EXPECT_EQ(runProblem(L"", L"", L"", true, false), L"请先选择打印驱动！");
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"", L"", true, false), L"请先选择打印样式！");
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"monochrome.ctb", L"", true, false), L"请选择打印文件保存的路径！");
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"monochrome.ctb", L"", true, true), L"") << "a preview writes no file";
    EXPECT_EQ(runProblem(L"Office Printer", L"monochrome.ctb", L"", false, false), L"") << "a printer writes no file";
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"monochrome.ctb", L"/tmp/out", true, false), L"");
}

// The dialog's list as plain rows.
class Rows : public PlotRowAccess {
public:
    struct Row {
        bool ticked = false;
        std::wstring texts[kPlotColumnCount];
    };
    std::vector<Row> rows;

    int rowCount() const override { return static_cast<int>(rows.size()); }
    bool ticked(int row) const override { return rows[row].ticked; }
    std::wstring text(int row, PlotColumn column) const override { return rows[row].texts[column]; }
    void setStatus(int row, const wchar_t* status) override { rows[row].texts[kStatusColumn] = status; }
    std::wstring status(int row) const { return rows[row].texts[kStatusColumn]; }
};

class PlotTickedTest : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        addLayer(L"C-TK", 7);
        // A frame block with a border, so that its references have extents.
        AcDbObjectPointer<AcDbBlockTableRecord> rec(block(L"CODE-A3"), AcDb::kForWrite);
        auto* border = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(420, 297, 0));
        ASSERT_EQ(rec->appendAcDbEntity(border), Acad::eOk);
        border->close();
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        if (progress) progress->destroy();
        std::filesystem::remove_all(folder);
        FramesTest::TearDown();
    }

    // The rows as the dialog fills them, sorted, none ticked.
    void fill(const FrameList& frames) {
        std::vector<PlotRow> plotRowsOf = plotRows(frames, L"<图号>");
        sortPlotRows(plotRowsOf);
        for (size_t i = 0; i < plotRowsOf.size(); ++i) {
            Rows::Row row;
            const std::wstring texts[] = {L"", std::to_wstring(i + 1), plotRowsOf[i].number, plotRowsOf[i].name,
                                          plotRowsOf[i].paperSize, plotRowsOf[i].fileName, kNotPlotted,
                                          std::to_wstring(plotRowsOf[i].position)};
            for (int c = 0; c < kPlotColumnCount; ++c) row.texts[c] = texts[c];
            rows.rows.push_back(row);
        }
    }
    PlotRunSettings run(const FrameList& frames) {
        progress = acplCreatePlotProgressDialog(nullptr);
        PlotRunSettings r;
        r.job.settings = &settings;
        r.job.progress = progress;
        r.job.plotToFile = true;
        r.frames = &frames;
        r.paperMap = &paperMap;
        r.extension = L".pdf";
        r.outputFolder = folder.wstring();
        return r;
    }

    Rows rows;
    AcDbPlotSettings settings{true};
    PaperMap paperMap;
    AcPlPlotProgressDialog* progress = nullptr;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vx-plot-ticked-" + std::to_string(::getpid()));
};

TEST_F(PlotTickedTest, AFrameErasedSinceTheListWasFilledKeepsItsStatusAndIsNotCounted) {
    FrameList frames;
    for (const wchar_t* number : {L"S-01", L"S-02", L"S-03", L"S-04"})
        frames.append(frame(L"C-TK", 0, 0, {{L"图号", number}}));
    fill(frames);
    ASSERT_EQ(rows.rowCount(), 4);
    rows.rows[0].ticked = rows.rows[1].ticked = rows.rows[3].ticked = true;
    {
        AcDbObjectPointer<AcDbEntity> second(frames[1], AcDb::kForWrite);
        ASSERT_EQ(second->erase(), Acad::eOk);
    }
    plotTicked(run(frames), rows);

    EXPECT_EQ(rows.status(1), kNotPlotted) << "the erased frame";
    EXPECT_EQ(rows.status(2), kNotPlotted) << "not ticked";
    EXPECT_NE(rows.status(0), kNotPlotted);
    EXPECT_NE(rows.status(3), kNotPlotted);
    EXPECT_TRUE(saw(L"序号 2 的图框已不在图中，未打印。")) << transcript;
    // The run counts the frames it can plot: the last one is "2 of 2", not "2 of 3".
    EXPECT_TRUE(saw(L"正在打印第 1 张（共 2 张）")) << transcript;
    EXPECT_TRUE(saw(L"正在打印第 2 张（共 2 张）")) << transcript;
    EXPECT_FALSE(saw(L"（共 3 张）")) << transcript;
}

TEST_F(PlotTickedTest, TheProgressNamesEachFileWithTheOutputFolderOwnSeparator) {
    FrameList frames;
    frames.append(frame(L"C-TK", 0, 0, {{L"图号", L"S-01"}}));
    fill(frames);
    rows.rows[0].ticked = true;
    PlotRunSettings settingsOfRun = run(frames);
    plotTicked(settingsOfRun, rows);
    EXPECT_TRUE(saw(L"（共 1 张）：" + folder.wstring() + L"/S-01.pdf")) << transcript;

    // The same folder written with "\" (the host reads both) is shown as written.
    std::wstring written = folder.wstring();
    std::replace(written.begin(), written.end(), L'/', L'\\');
    settingsOfRun.outputFolder = written;
    transcript.clear();
    plotTicked(settingsOfRun, rows);
    EXPECT_TRUE(saw(L"（共 1 张）：" + written + L"\\S-01.pdf")) << transcript;
}

TEST_F(PlotTickedTest, NoTickedRowPlotsNothingAndSaysNothing) {
    FrameList frames;
    frames.append(frame(L"C-TK", 0, 0, {{L"图号", L"S-01"}}));
    fill(frames);
    plotTicked(run(frames), rows);
    EXPECT_EQ(rows.status(0), kNotPlotted);
    EXPECT_FALSE(saw(L"正在打印")) << transcript;
    EXPECT_FALSE(saw(L"打印结束")) << transcript;
}

}  // namespace
}  // namespace vorlix::test
