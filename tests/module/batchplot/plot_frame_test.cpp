#include "batchplot/plot_frame.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../module_test_base.h"

namespace vorlix::test {
namespace {

// An engine that records its calls and fails the stage it is told to. Out-of-order calls fail
// as the host's do, so a caller that ends what it never began is seen.
class RecordingEngine : public AcPlPlotEngine {
public:
    std::vector<std::string> calls;
    std::string failing;                // the call that fails
    Acad::ErrorStatus failsWith = Acad::eInvalidInput;
    std::function<void()> duringGraphics;  // what happens while the page is drawn
    std::wstring fileName;              // as beginDocument was given it
    bool toFile = false;
    long copies = 0;

    Acad::ErrorStatus beginPlot(AcPlPlotProgress*, void*) override { return step("beginPlot", 0, 1); }
    Acad::ErrorStatus endPlot(void*) override { return step("endPlot", 1, 0); }
    Acad::ErrorStatus beginDocument(AcPlPlotInfo&, const ACHAR*, void*, long n, bool file, const ACHAR* name) override {
        copies = n;
        toFile = file;
        fileName = name ? name : L"(none)";
        return step("beginDocument", 1, 2);
    }
    Acad::ErrorStatus endDocument(void*) override { return step("endDocument", 2, 1); }
    Acad::ErrorStatus beginPage(AcPlPlotPageInfo&, AcPlPlotInfo&, bool, void*) override { return step("beginPage", 2, 3); }
    Acad::ErrorStatus endPage(void*) override { return step("endPage", 3, 2); }
    Acad::ErrorStatus beginGenerateGraphics(void*) override {
        if (duringGraphics) duringGraphics();
        return step("beginGenerateGraphics", 3, 4);
    }
    Acad::ErrorStatus endGenerateGraphics(void*) override { return step("endGenerateGraphics", 4, 3); }
    bool isBackgroundPackaging() const override { return false; }
    void destroy() override { delete this; }
    int level() const { return m_level; }

private:
    ~RecordingEngine() override = default;
    Acad::ErrorStatus step(const char* name, int from, int to) {
        if (m_level != from) return Acad::eNotApplicable;
        calls.push_back(name);
        if (failing == name && from < to) return failsWith;  // a begin that fails changes nothing
        m_level = to;
        return failing == name ? failsWith : Acad::eOk;
    }
    int m_level = 0;  // idle, plot, document, page, graphics
};

struct EngineDeleter {
    void operator()(RecordingEngine* e) const { e->destroy(); }
};

class PlotFrameTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        settings = std::make_unique<AcDbPlotSettings>(true);
        progress = acplCreatePlotProgressDialog(nullptr);
        progress->setPlotMsgString(AcPlPlotProgressDialog::kDialogTitle, L"文件转换程序");
        progress->setPlotMsgString(AcPlPlotProgressDialog::kSheetProgressCaption, L"页");
        job.settings = settings.get();
        job.progress = progress;
        job.plotToFile = true;
        window = FrameWindow{100, 200, 941, 794};
    }
    void TearDown() override {
        progress->destroy();
        ModuleTest::TearDown();
    }
    FrameResult plot(bool preview = false) {
        return plotFrame(*engine, job, L"D:\\out\\S-01.pdf", L"", window, preview);
    }

    std::unique_ptr<AcDbPlotSettings> settings;
    AcPlPlotProgressDialog* progress = nullptr;
    PlotJob job;
    FrameWindow window;
    std::unique_ptr<RecordingEngine, EngineDeleter> engine{new RecordingEngine};
};

using Calls = std::vector<std::string>;

TEST_F(PlotFrameTest, AFramePlotsAsOneDocumentOfOnePageAndLeavesTheEngineIdle) {
    EXPECT_EQ(plot(), FrameResult::Plotted);
    EXPECT_EQ(engine->calls, (Calls{"beginPlot", "beginDocument", "beginPage", "beginGenerateGraphics",
                                    "endGenerateGraphics", "endPage", "endDocument", "endPlot"}));
    EXPECT_EQ(engine->level(), 0);
    EXPECT_TRUE(engine->toFile);
    EXPECT_EQ(engine->fileName, L"D:\\out\\S-01.pdf");
    EXPECT_EQ(engine->copies, 1);
    EXPECT_FALSE(progress->isVisible()) << "the progress is hidden when the frame ends";
    EXPECT_TRUE(saw(L"[文件转换程序] 页 100%"));

    double x0, y0, x1, y1;
    settings->getPlotWindowArea(x0, y0, x1, y1);
    EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{100, 200, 941, 794}));
    EXPECT_EQ(settings->plotType(), AcDbPlotSettings::kWindow);
    EXPECT_EQ(settings->stdScaleType(), AcDbPlotSettings::kScaleToFit);
    EXPECT_TRUE(settings->useStandardScale());
    EXPECT_TRUE(settings->plotCentered());
    settings->getPlotOrigin(x0, y0);
    EXPECT_EQ(x0, 100);
    EXPECT_EQ(y0, 200);
}

TEST_F(PlotFrameTest, APreviewAndADeviceThatPrintsNameNoFile) {
    EXPECT_EQ(plot(true), FrameResult::Plotted);
    EXPECT_FALSE(engine->toFile);
    EXPECT_EQ(engine->fileName, L"(none)");
    engine->calls.clear();
    job.plotToFile = false;
    EXPECT_EQ(plot(), FrameResult::Plotted);
    EXPECT_FALSE(engine->toFile);
    EXPECT_EQ(engine->fileName, L"(none)");
}

TEST_F(PlotFrameTest, AFrameThatStopsEarlyEndsItsDocumentAndPlotSoTheNextFrameBeginsAnew) {
    const Calls stopped[] = {
        {"beginPlot", "beginDocument", "beginPage", "endDocument", "endPlot"},
        {"beginPlot", "beginDocument", "beginPage", "beginGenerateGraphics", "endPage", "endDocument", "endPlot"},
    };
    const char* failing[] = {"beginPage", "beginGenerateGraphics"};
    for (int i = 0; i < 2; ++i) {
        engine->calls.clear();
        engine->failing = failing[i];
        EXPECT_EQ(plot(), FrameResult::Stopped) << failing[i];
        EXPECT_EQ(engine->calls, stopped[i]) << failing[i];
        EXPECT_EQ(engine->level(), 0) << failing[i];
        EXPECT_FALSE(progress->isVisible());
        engine->failing.clear();
        engine->calls.clear();
        EXPECT_EQ(plot(), FrameResult::Plotted) << "the frame after " << failing[i];
    }
}

TEST_F(PlotFrameTest, AFrameTheUserCancelledIsCancelledNotStoppedAndEndsCleanly) {
    // "Cancel job" before the sheet began: the sheet does not begin.
    progress->setPlotCancelStatus(AcPlPlotProgress::kPlotCanceledByCancelAllButton);
    EXPECT_EQ(plot(), FrameResult::Cancelled);
    EXPECT_EQ(engine->level(), 0);
    EXPECT_FALSE(progress->isVisible());
    progress->setPlotCancelStatus(AcPlPlotProgress::kPlotContinue);
    // "Cancel sheet" while the page is drawn: the engine drops it and ends the plot with a
    // user break; the frame is cancelled, not failed.
    engine->calls.clear();
    engine->duringGraphics = [this] { progress->setSheetCancelStatus(AcPlPlotProgress::kSheetCanceledByCancelButton); };
    engine->failing = "endPlot";
    engine->failsWith = Acad::eUserBreak;
    EXPECT_EQ(plot(), FrameResult::Cancelled);
    EXPECT_EQ(engine->level(), 0);
    // The same engine answer without a cancel by the user is a failed end, as before.
    engine->duringGraphics = nullptr;
    EXPECT_EQ(plot(), FrameResult::EndFailed) << "the sheet cancel belongs to the frame before";
    // A stop that is no cancel stays a stop.
    engine->failing = "beginPage";
    engine->failsWith = Acad::eInvalidInput;
    EXPECT_EQ(plot(), FrameResult::Stopped);
}

TEST_F(PlotFrameTest, ADocumentThatCannotBeginStopsTheFrame) {
    engine->failing = "beginDocument";
    EXPECT_EQ(plot(), FrameResult::Stopped);
    EXPECT_EQ(engine->level(), 0);
}

TEST_F(PlotFrameTest, ACancelledSheetStopsTheFrame) {
    progress->setPlotCancelStatus(AcPlPlotProgress::kPlotCanceledByCancelAllButton);
    // Stopped as before, but told apart from a failure: the run says it was cancelled.
    EXPECT_EQ(plot(), FrameResult::Cancelled);
    EXPECT_EQ(engine->calls, (Calls{"beginPlot", "beginDocument", "endDocument", "endPlot"}));
    EXPECT_EQ(engine->level(), 0);
}

TEST_F(PlotFrameTest, AnErrorAtTheEndOfThePlotIsNoSuccess) {
    engine->failing = "endPlot";
    EXPECT_EQ(plot(), FrameResult::EndFailed);
}

TEST(FrameRotation, TheFramesLongSideAlongThePapersLongSide) {
    const FrameWindow wide{0, 0, 841, 594}, tall{0, 0, 594, 841}, square{10, 10, 604, 604};
    EXPECT_EQ(frameRotation(wide, 594, 841), AcDbPlotSettings::k90degrees);
    EXPECT_EQ(frameRotation(wide, 841, 594), AcDbPlotSettings::k0degrees);
    EXPECT_EQ(frameRotation(tall, 841, 594), AcDbPlotSettings::k90degrees);
    EXPECT_EQ(frameRotation(tall, 210, 297), AcDbPlotSettings::k0degrees);
    EXPECT_EQ(frameRotation(square, 841, 594), AcDbPlotSettings::k90degrees) << "a square frame is not landscape";
    EXPECT_EQ(frameRotation(square, 594, 841), AcDbPlotSettings::k0degrees);
    EXPECT_EQ(frameRotation(wide, 0, 0), AcDbPlotSettings::k90degrees) << "no paper is not landscape";
    const FrameWindow mirrored{841, 594, 0, 0};
    EXPECT_TRUE(mirrored.landscape()) << "corners in either order";
}

}  // namespace
}  // namespace vorlix::test
