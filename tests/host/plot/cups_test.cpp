// Printing through a real CUPS queue: the queue named by VX_TEST_CUPS_QUEUE (a cups-pdf queue,
// as .ci/run sets up) is a device of the list with its media, and a document of two pages sent
// to it comes out as a PDF of two A4 pages in cups-pdf's output folder (VX_TEST_CUPS_PDF_DIR,
// default ~/PDF). Without such a queue the test is skipped and says so.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "acplot.h"
#include "dbapserv.h"
#include "dbdatabase.h"
#include "editor/command_line.h"
#include "plot/plot_scene.h"
#include "plot_profile_fixture.h"
#include "text/encoding.h"

namespace vx::plot {
namespace {

class SheetScene : public render::Scene {
public:
    void draw(AcDbObjectId, const render::Box2&, const render::DrawOptions&, render::PrimitiveSink& sink,
              render::DrawStats&) override {
        render::Geometry g;
        g.lines.push_back({{{0, 0}, {210, 0}, {210, 297}, {0, 297}}, true});
        g.lines.push_back({{{0, 0}, {210, 297}}, false});
        sink.add(render::Pen{{0, 0, 0, 7}, 35}, g, {});
    }
    render::Box2 extents(AcDbObjectId) override { return {0, 0, 210, 297}; }
    render::Box2 entityExtents(AcDbObjectId) override { return extents({}); }
};

std::string outputFolder() {
    if (const char* dir = std::getenv("VX_TEST_CUPS_PDF_DIR"); dir && *dir) return dir;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/PDF";
}

// The file cups-pdf writes for job `id`, once it is complete; empty after `seconds`.
std::string waitForJob(int id, int seconds) {
    const std::string suffix = "-job_" + std::to_string(id) + ".pdf";
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds); std::chrono::steady_clock::now() < end;) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(outputFolder(), ec)) {
            const std::string name = e.path().filename().string();
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
                test::runCommand("pdfinfo '" + e.path().string() + "'").find("Pages:") != std::string::npos)
                return e.path().string();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return std::string();
}

class CupsPrinting : public test::PlotProfile {
protected:
    void SetUp() override {
        const char* queue = std::getenv("VX_TEST_CUPS_QUEUE");
        if (!queue || !*queue) GTEST_SKIP() << "*** SKIPPED: no CUPS queue to print to (set VX_TEST_CUPS_QUEUE, as .ci/run does)";
        m_queue = queue;
        test::PlotProfile::SetUp();
        env.unset("VX_PRINTERS");
        deviceCatalog().refresh();
        setSceneMaker([](AcDbDatabase&) { return std::make_unique<SheetScene>(); });
        editor::CommandLine::get().setCapture(&transcript);
    }
    void TearDown() override {
        editor::CommandLine::get().setCapture(nullptr);
        setSceneMaker(nullptr);
        if (!m_queue.empty()) test::PlotProfile::TearDown();
    }

    std::string m_queue;
    std::wstring transcript;
};

TEST_F(CupsPrinting, TwoPagesComeOutAsTwoA4PagesOfOneJob) {
    AcDbPlotSettingsValidator* v = acdbHostApplicationServices()->plotSettingsValidator();
    AcArray<const ACHAR*> devices;
    v->plotDeviceList(devices);
    const std::wstring queue = text::fromUtf8(m_queue);
    ASSERT_TRUE(std::any_of(devices.begin(), devices.end(), [&](const ACHAR* d) { return queue == d; }))
        << "the queue is not in the device list";
    AcDbDatabase db;
    AcDbDictionary* layouts = nullptr;
    ASSERT_EQ(db.getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
    AcDbObjectId model;
    layouts->getAt(L"Model", model);
    layouts->close();

    AcDbPlotSettings settings(true);
    ASSERT_EQ(v->setPlotCfgName(&settings, queue.c_str()), Acad::eOk);
    // The medium users know as "A4".
    AcArray<const ACHAR*> media;
    ASSERT_EQ(v->canonicalMediaNameList(&settings, media), Acad::eOk);
    const ACHAR* a4 = nullptr;
    for (const ACHAR* m : media) {
        const ACHAR* local = nullptr;
        if (!a4 && v->getLocaleMediaName(&settings, m, local) == Acad::eOk && std::wstring(local) == L"A4") a4 = m;
    }
    ASSERT_NE(a4, nullptr) << "no medium shown as A4";
    ASSERT_EQ(v->setCanonicalMediaName(&settings, a4), Acad::eOk);
    v->setPlotType(&settings, AcDbPlotSettings::kExtents);
    v->setStdScaleType(&settings, AcDbPlotSettings::kScaleToFit);
    v->setUseStandardScale(&settings, true);
    AcPlPlotConfig* config = nullptr;
    ASSERT_TRUE(acplPlotConfigManagerPtr()->setCurrentConfig(config, queue.c_str()));
    EXPECT_EQ(config->plotToFileCapability(), AcPlPlotConfig::kPlotToFileAllowed);

    AcPlPlotInfo info;
    info.setLayout(model);
    info.setOverrideSettings(&settings);
    AcPlPlotInfoValidator validator;
    ASSERT_EQ(validator.validate(info), Acad::eOk) << text::toUtf8(validator.validationMessage());
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
    ASSERT_EQ(engine->beginPlot(nullptr), Acad::eOk);
    ASSERT_EQ(engine->beginDocument(info, L"建施-01_首层平面图.dwg"), Acad::eOk);
    for (int page = 0; page < 2; ++page) {
        AcPlPlotPageInfo pageInfo;
        ASSERT_EQ(engine->beginPage(pageInfo, info, page == 1), Acad::eOk);
        ASSERT_EQ(engine->beginGenerateGraphics(), Acad::eOk);
        ASSERT_EQ(engine->endGenerateGraphics(), Acad::eOk);
        ASSERT_EQ(engine->endPage(), Acad::eOk);
    }
    ASSERT_EQ(engine->endDocument(), Acad::eOk) << text::toUtf8(transcript);
    ASSERT_EQ(engine->endPlot(), Acad::eOk);
    engine->destroy();

    const std::wstring marker = L" as job ";
    const size_t at = transcript.find(marker);
    ASSERT_NE(at, std::wstring::npos) << text::toUtf8(transcript);
    const int job = std::stoi(transcript.substr(at + marker.size()));
    const std::string pdf = waitForJob(job, 90);
    ASSERT_FALSE(pdf.empty()) << "job " << job << " did not appear in " << outputFolder();
    EXPECT_NE(test::runCommand("pdfinfo '" + pdf + "'").find("Pages:           2"), std::string::npos);
    for (int page = 1; page <= 2; ++page) {
        double w = 0, h = 0;
        ASSERT_TRUE(test::pdfPageSizeMm(pdf, page, w, h));
        EXPECT_NEAR(w, 210, 1.5);
        EXPECT_NEAR(h, 297, 1.5);
    }
}

}  // namespace
}  // namespace vx::plot
