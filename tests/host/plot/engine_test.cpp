// The engine as the batch plot drives it (Part of the plot run's order): calls out of order fail
// and change nothing, a full run writes a PDF of the medium's size and orientation, the drawing's
// layout stays as it was, a preview is a PNG whose path is printed, and a failed page can be
// ended and the next plot begun.
#include <sys/stat.h>

#include <QImage>
#include <filesystem>
#include <functional>
#include <memory>

#include "acplot.h"
#include "aced.h"
#include "dbapserv.h"
#include "dbdatabase.h"
#include "editor/command_line.h"
#include "plot/plot_scene.h"
#include "plot_devices_fixture.h"
#include "text/encoding.h"

namespace vx::plot {
namespace {

// A frame of 841 x 594 drawing units at (1000, 2000) with a diagonal, whatever the database.
class FrameScene : public render::Scene {
public:
    static constexpr double kX = 1000, kY = 2000, kW = 841, kH = 594;
    void draw(AcDbObjectId, const render::Box2&, const render::DrawOptions& options, render::PrimitiveSink& sink,
              render::DrawStats& stats) override {
        lastOptions = options;
        render::Geometry g;
        g.lines.push_back({{{kX, kY}, {kX + kW, kY}, {kX + kW, kY + kH}, {kX, kY + kH}}, true});
        g.lines.push_back({{{kX, kY}, {kX + kW, kY + kH}}, false});
        sink.add(render::Pen{{255, 0, 0, 1}, 50}, g, {});
        ++stats.entities;
    }
    render::Box2 extents(AcDbObjectId) override { return {kX, kY, kX + kW, kY + kH}; }
    render::Box2 entityExtents(AcDbObjectId) override { return extents({}); }
    static inline render::DrawOptions lastOptions;
};

class Engine : public test::PlotDevices {
protected:
    void SetUp() override {
        test::PlotDevices::SetUp();
        setSceneMaker([](AcDbDatabase&) { return std::make_unique<FrameScene>(); });
        editor::CommandLine::get().setCapture(&transcript);
        AcDbDictionary* layouts = nullptr;
        ASSERT_EQ(db.getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
        layouts->getAt(L"Model", modelLayout);
        layouts->close();
        ASSERT_FALSE(modelLayout.isNull());
        AcDbObjectPointer<AcDbLayout> layout(modelLayout, AcDb::kForRead);
        ASSERT_EQ(settings.copyFrom(layout.object()), Acad::eOk);
        v->setPlotCfgName(&settings, L"DWG TO PDF.pc3");
        v->setCurrentStyleSheet(&settings, L"monochrome.ctb");
    }
    void TearDown() override {
        editor::CommandLine::get().setCapture(nullptr);
        setSceneMaker(nullptr);
        test::PlotDevices::TearDown();
    }

    // The settings of one frame, as the plot run makes them.
    void frame(const wchar_t* medium) {
        v->setPlotWindowArea(&settings, FrameScene::kX, FrameScene::kY, FrameScene::kX + FrameScene::kW,
                             FrameScene::kY + FrameScene::kH);
        v->setCanonicalMediaName(&settings, medium);
        double w = 0, h = 0;
        settings.getPlotPaperSize(w, h);
        v->setPlotOrigin(&settings, FrameScene::kX, FrameScene::kY);
        v->setPlotType(&settings, AcDbPlotSettings::kWindow);
        v->setStdScaleType(&settings, AcDbPlotSettings::kScaleToFit);
        const bool paperLandscape = h < w, frameLandscape = true;
        v->setPlotRotation(&settings, paperLandscape != frameLandscape ? AcDbPlotSettings::k90degrees
                                                                       : AcDbPlotSettings::k0degrees);
        v->setUseStandardScale(&settings, true);
        v->setPlotCentered(&settings, true);
    }

    // One frame through the engine in the plot run's order; the engine's answer at each step.
    struct Run {
        Acad::ErrorStatus document, page, graphics, endPlot;
    };
    Run plotOne(AcPlPlotEngine* engine, const std::string& path, bool toFile = true) {
        Run r{};
        engine->beginPlot(progress, nullptr);
        AcPlPlotPageInfo pageInfo;
        AcPlPlotInfo info;
        info.setLayout(modelLayout);
        info.setOverrideSettings(&settings);
        AcPlPlotInfoValidator validator;
        validator.setMediaMatchingPolicy(AcPlPlotInfoValidator::kMatchEnabled);
        validator.validate(info);
        const std::wstring file = text::fromUtf8(path);
        r.document = engine->beginDocument(info, L"C:\\projects\\project.dwg", nullptr, 1, toFile,
                                           toFile ? file.c_str() : nullptr);
        r.page = engine->beginPage(pageInfo, info, true, nullptr);
        if (r.page == Acad::eOk) {
            r.graphics = engine->beginGenerateGraphics(nullptr);
            if (r.graphics == Acad::eOk) engine->endGenerateGraphics(nullptr);
            engine->endPage(nullptr);
        }
        engine->endDocument(nullptr);
        r.endPlot = engine->endPlot(nullptr);
        return r;
    }

    AcDbPlotSettingsValidator* v = acdbHostApplicationServices()->plotSettingsValidator();
    AcDbDatabase db;
    AcDbObjectId modelLayout;
    AcDbPlotSettings settings{true};
    AcPlPlotProgressDialog* progress = nullptr;
    std::wstring transcript;
};

TEST_F(Engine, ALandscapeFrameOnPortraitPaperIsTurnedAndOnLandscapePaperNot) {
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
    for (const auto& [medium, w, h] : {std::tuple{L"A1_portrait", 594.0, 841.0}, std::tuple{L"A1_landscape", 841.0, 594.0}}) {
        frame(medium);
        const std::string pdf = folder.file(text::toUtf8(medium) + ".pdf");
        const Run r = plotOne(engine, pdf);
        EXPECT_EQ(r.endPlot, Acad::eOk) << text::toUtf8(transcript);
        double pw = 0, ph = 0;
        ASSERT_TRUE(test::pdfPageSizeMm(pdf, 1, pw, ph)) << pdf;
        EXPECT_NEAR(pw, w, 0.5);
        EXPECT_NEAR(ph, h, 0.5);
        EXPECT_EQ(settings.plotRotation(), w < h ? AcDbPlotSettings::k90degrees : AcDbPlotSettings::k0degrees);
        // References under what the device shows become dots: a unit of this frame is about a
        // millimetre on the sheet, far above that size.
        EXPECT_GT(FrameScene::lastOptions.pixel, 0);
        EXPECT_LT(FrameScene::lastOptions.pixel, 0.1);
        EXPECT_EQ(FrameScene::lastOptions.pixel, FrameScene::lastOptions.tolerance);
    }
    engine->destroy();
    // The drawing's own layout is never touched.
    AcDbObjectPointer<AcDbLayout> layout(modelLayout, AcDb::kForRead);
    AcString cfg;
    layout->getPlotCfgName(cfg);
    EXPECT_STREQ(cfg.kACharPtr(), L"none_device");
}

TEST_F(Engine, TheTurnedFrameFillsThePortraitSheet) {
    // The frame on a portrait sheet through the PNG writer: turned, it spans the sheet's height.
    v->setPlotCfgName(&settings, L"PublishToWeb PNG.pc3");
    frame(L"ISO_full_bleed_A4_(210.00_x_297.00_MM)");
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
    const std::string png = folder.file("a4.png");
    EXPECT_EQ(plotOne(engine, png).endPlot, Acad::eOk) << text::toUtf8(transcript);
    engine->destroy();
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_LT(image.width(), image.height());
    // Ink (black: monochrome) near the top and bottom edges in the middle column, none at mid
    // left/right margins: the long side of the frame runs along the sheet's height.
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        if (dark(image.width() / 2, y)) (top < 0 ? top : bottom) = y;
    EXPECT_LE(top, image.height() / 20);
    EXPECT_GE(bottom, image.height() * 19 / 20);
}

// Each of the host's own file devices through the engine: a two-page document where the format
// holds pages, one page where it does not, each read back by a program of its own at the A3
// landscape medium's size.
TEST_F(Engine, EveryHostFileDeviceWritesItsFormatAtTheMediumsSize) {
    struct Case {
        const wchar_t* device;
        const char* file;
        int pages;
    };
    const Case cases[] = {{L"Vorlix PDF.pc3", "sheet.pdf", 2},
                          {L"Vorlix HPGL2 Plotter.pc3", "sheet.plt", 2},
                          {L"DWFx ePlot (XPS Compatible).pc3", "sheet.dwfx", 2},
                          {L"Vorlix SVG.pc3", "sheet.svg", 1},
                          {L"PublishToWeb PNG.pc3", "sheet.png", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(v->setPlotCfgName(&settings, c.device), Acad::eOk);
        frame(L"ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        AcPlPlotInfo info;
        info.setLayout(modelLayout);
        info.setOverrideSettings(&settings);
        AcPlPlotInfoValidator validator;
        ASSERT_EQ(validator.validate(info), Acad::eOk) << text::toUtf8(validator.validationMessage());
        AcPlPlotEngine* engine = nullptr;
        ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
        const std::string path = folder.file(c.file);
        ASSERT_EQ(engine->beginPlot(nullptr), Acad::eOk);
        ASSERT_EQ(engine->beginDocument(info, L"project.dwg", nullptr, 1, true, text::fromUtf8(path).c_str()), Acad::eOk);
        for (int page = 1; page <= c.pages; ++page) {
            AcPlPlotPageInfo pageInfo;
            ASSERT_EQ(engine->beginPage(pageInfo, info, page == c.pages), Acad::eOk);
            ASSERT_EQ(engine->beginGenerateGraphics(), Acad::eOk);
            ASSERT_EQ(engine->endGenerateGraphics(), Acad::eOk);
            ASSERT_EQ(engine->endPage(), Acad::eOk);
        }
        EXPECT_EQ(engine->endDocument(), Acad::eOk) << text::toUtf8(transcript);
        EXPECT_EQ(engine->endPlot(), Acad::eOk);
        engine->destroy();

        int status = -1;
        std::string pdf = path;
        const std::string ext = std::filesystem::path(path).extension().string();
        if (ext == ".dwfx") {
            pdf = path + ".pdf";
            test::runCommand("xpstopdf '" + path + "' '" + pdf + "'", &status);
            ASSERT_EQ(status, 0);
        }
        if (ext == ".pdf" || ext == ".dwfx") {
            EXPECT_NE(test::runCommand("pdfinfo '" + pdf + "'").find("Pages:           2"), std::string::npos);
            for (int page = 1; page <= c.pages; ++page) {
                double w = 0, h = 0;
                ASSERT_TRUE(test::pdfPageSizeMm(pdf, page, w, h));
                EXPECT_NEAR(w, 420, 0.5);
                EXPECT_NEAR(h, 297, 0.5);
            }
        } else if (ext == ".plt") {
            const std::string plt = test::readFile(path);
            EXPECT_EQ(plt.rfind("BP;IN;", 0), 0u);
            size_t frames = 0;
            for (size_t at = plt.find("PG;"); at != std::string::npos; at = plt.find("PG;", at + 1)) ++frames;
            EXPECT_EQ(frames, 2u);
            test::runCommand("hp2xx -q -m png -f '" + folder.file("plt.png") + "' '" + path + "'", &status);
            EXPECT_EQ(status, 0);
            EXPECT_FALSE(QImage(QString::fromStdString(folder.file("plt.png"))).isNull());
        } else if (ext == ".svg") {
            const std::string svg = test::readFile(path);
            EXPECT_NE(svg.find("<svg"), std::string::npos);
            EXPECT_NE(svg.find("width=\"420mm\""), std::string::npos) << svg.substr(0, 600);
            EXPECT_NE(svg.find("height=\"297mm\""), std::string::npos);
        } else {
            const QImage image(QString::fromStdString(path));
            ASSERT_FALSE(image.isNull());
            EXPECT_NEAR(image.width() * 25.4 / 100, 420, 1);
            EXPECT_NEAR(image.height() * 25.4 / 100, 297, 1);
        }
    }
}

TEST_F(Engine, CallsOutOfOrderFailAndChangeNothing) {
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
    frame(L"A1_landscape");
    AcPlPlotInfo info;
    info.setLayout(modelLayout);
    info.setOverrideSettings(&settings);
    AcPlPlotInfoValidator validator;
    ASSERT_EQ(validator.validate(info), Acad::eOk);
    AcPlPlotPageInfo page;
    const std::wstring pdf = text::fromUtf8(folder.file("order.pdf"));

    EXPECT_EQ(engine->beginDocument(info, L"d", nullptr, 1, true, pdf.c_str()), Acad::eNotApplicable);
    EXPECT_EQ(engine->endPlot(), Acad::eNotApplicable);
    EXPECT_EQ(engine->beginGenerateGraphics(), Acad::eNotApplicable);
    ASSERT_EQ(engine->beginPlot(nullptr), Acad::eOk);
    EXPECT_EQ(engine->beginPlot(nullptr), Acad::eNotApplicable);
    EXPECT_EQ(engine->beginPage(page, info, true), Acad::eNotApplicable);
    ASSERT_EQ(engine->beginDocument(info, L"d", nullptr, 1, true, pdf.c_str()), Acad::eOk);
    EXPECT_EQ(engine->endPlot(), Acad::eNotApplicable);
    ASSERT_EQ(engine->beginPage(page, info, true), Acad::eOk);
    EXPECT_EQ(engine->endDocument(), Acad::eNotApplicable);
    EXPECT_EQ(engine->endGenerateGraphics(), Acad::eNotApplicable);
    ASSERT_EQ(engine->beginGenerateGraphics(), Acad::eOk);
    EXPECT_EQ(engine->beginGenerateGraphics(), Acad::eNotApplicable);
    EXPECT_EQ(engine->endPage(), Acad::eNotApplicable);
    EXPECT_EQ(engine->endGenerateGraphics(), Acad::eOk);
    EXPECT_EQ(page.entityCount(), 1);
    EXPECT_EQ(engine->endPage(), Acad::eOk);
    EXPECT_FALSE(std::filesystem::exists(folder.file("order.pdf")));  // nothing before the document ends
    EXPECT_EQ(engine->endDocument(), Acad::eOk);
    EXPECT_TRUE(std::filesystem::exists(folder.file("order.pdf")));
    EXPECT_EQ(AcPlPlotFactory::processPlotState(), AcPlPlotFactory::kForegroundPlotting);
    EXPECT_EQ(engine->endPlot(), Acad::eOk);
    EXPECT_EQ(AcPlPlotFactory::processPlotState(), AcPlPlotFactory::kNotPlotting);
    engine->destroy();
}

TEST_F(Engine, AFailedFrameCanBeEndedAndTheNextOnePlots) {
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
    // A size the device lacks: the medium is cleared, validation fails, the document cannot begin.
    frame(L"");
    Run r = plotOne(engine, folder.file("missing.pdf"));
    EXPECT_EQ(r.document, Acad::eInvalidPlotInfo);
    EXPECT_EQ(r.page, Acad::eNotApplicable);
    EXPECT_NE(r.endPlot, Acad::eOk);
    EXPECT_NE(transcript.find(L"** Plot: no paper size was chosen for DWG TO PDF.pc3"), std::wstring::npos)
        << text::toUtf8(transcript);
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing.pdf")));

    // A page whose graphics fail (nothing in the window), ended by the caller: the plot reports
    // the failure, no file is left, and the engine plots the next frame.
    frame(L"A1_landscape");
    setSceneMaker([](AcDbDatabase&) {
        struct Empty : FrameScene {
            render::Box2 extents(AcDbObjectId) override { return {}; }
        };
        return std::make_unique<Empty>();
    });
    v->setPlotType(&settings, AcDbPlotSettings::kExtents);
    AcPlPlotEngine* other = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(other), Acad::eOk);
    r = plotOne(other, folder.file("empty.pdf"));
    EXPECT_EQ(r.graphics, Acad::eInvalidPlotArea);
    EXPECT_NE(r.endPlot, Acad::eOk);
    EXPECT_FALSE(std::filesystem::exists(folder.file("empty.pdf")));
    other->destroy();

    setSceneMaker([](AcDbDatabase&) { return std::make_unique<FrameScene>(); });
    frame(L"A1_landscape");
    r = plotOne(engine, folder.file("good.pdf"));
    EXPECT_EQ(r.endPlot, Acad::eOk);
    EXPECT_TRUE(std::filesystem::exists(folder.file("good.pdf")));
    engine->destroy();
}

TEST_F(Engine, AFileThatCannotBeWrittenFailsThePlot) {
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
    frame(L"A1_landscape");
    // No such folder: refused when the document begins.
    Run r = plotOne(engine, folder.file("no/such/folder/x.pdf"));
    EXPECT_EQ(r.document, Acad::eFileNotFound);
    EXPECT_NE(r.endPlot, Acad::eOk);
    // A read-only file: found out when the document is written; the plot then reports it.
    const std::string locked = folder.file("locked.pdf");
    { std::ofstream(locked) << "old"; }
    ::chmod(locked.c_str(), 0444);
    r = plotOne(engine, locked);
    EXPECT_EQ(r.document, Acad::eOk);
    EXPECT_NE(r.endPlot, Acad::eOk);
    EXPECT_EQ(test::readFile(locked), "old");
    // A device that must plot to a file, asked for no file.
    r = plotOne(engine, "", false);
    EXPECT_EQ(r.document, Acad::eInvalidInput);
    engine->destroy();
}

TEST_F(Engine, APreviewIsAPngWhosePathIsPrinted) {
    AcPlPlotEngine* engine = nullptr;
    EXPECT_EQ(AcPlPlotFactory::createPreviewEngine(engine, 0), Acad::eInvalidInput);
    ASSERT_EQ(AcPlPlotFactory::createPreviewEngine(engine, AcPlPlotFactory::kShowPlot), Acad::eOk);
    frame(L"A1_portrait");
    // A preview is no file plot: not to a file, no file name.
    const Run r = plotOne(engine, "", false);
    EXPECT_EQ(r.endPlot, Acad::eOk) << text::toUtf8(transcript);
    engine->destroy();
    const std::wstring marker = L"Plot preview: ";
    const size_t at = transcript.find(marker);
    ASSERT_NE(at, std::wstring::npos) << text::toUtf8(transcript);
    const std::string path = text::toUtf8(transcript.substr(at + marker.size(), transcript.find(L'\n', at) - at - marker.size()));
    EXPECT_EQ(path, folder.file("cache") + "/vxhost/preview/project-preview.png");
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width() * 25.4 / 100, 594, 1);   // the medium at 100 dpi
    EXPECT_NEAR(image.height() * 25.4 / 100, 841, 1);
}

// The batch plot's run for one frame: window from display coordinates, medium, turn, then the
// engine with the progress dialog; 1 plotted, 0 ended with an error, 2 stopped early. After a
// stop it ends, blindly, whatever may still be begun: calls that do not apply fail and change
// nothing, so the next frame begins afresh.
int plotFrame(AcPlPlotEngine* e, AcPlPlotProgressDialog* p, AcDbPlotSettings& s, AcDbObjectId layout,
              const wchar_t* medium, const std::wstring& path) {
    AcDbPlotSettingsValidator* v = acdbHostApplicationServices()->plotSettingsValidator();
    ads_point lo = {FrameScene::kX, FrameScene::kY, 0}, hi = {FrameScene::kX + FrameScene::kW, FrameScene::kY + FrameScene::kH, 0};
    resbuf world{}, display{};
    world.restype = display.restype = RTSHORT;
    world.resval.rint = 0;
    display.resval.rint = 2;
    ads_point dlo, dhi;
    acedTrans(lo, &world, &display, 0, dlo);
    acedTrans(hi, &world, &display, 0, dhi);
    v->setPlotWindowArea(&s, dlo[0], dlo[1], dhi[0], dhi[1]);
    v->setCanonicalMediaName(&s, medium);
    double w = 0, h = 0;
    s.getPlotPaperSize(w, h);
    v->setPlotOrigin(&s, dlo[0], dlo[1]);
    v->setPlotType(&s, AcDbPlotSettings::kWindow);
    v->setStdScaleType(&s, AcDbPlotSettings::kScaleToFit);
    v->setPlotRotation(&s, (h < w) != (dhi[1] - dlo[1] < dhi[0] - dlo[0]) ? AcDbPlotSettings::k90degrees
                                                                        : AcDbPlotSettings::k0degrees);
    v->setUseStandardScale(&s, true);
    v->setPlotCentered(&s, true);
    p->onBeginPlot();
    p->setIsVisible(true);
    e->beginPlot(p);
    AcPlPlotPageInfo pageInfo;
    AcPlPlotInfo info;
    info.setLayout(layout);
    info.setOverrideSettings(&s);
    AcPlPlotInfoValidator validator;
    validator.setMediaMatchingPolicy(AcPlPlotInfoValidator::kMatchEnabled);
    validator.validate(info);
    e->beginDocument(info, L"project.dwg", nullptr, 1, true, path.c_str());
    auto stop = [&] {
        p->setIsVisible(false);
        e->endPage();
        e->endDocument();
        e->endPlot();
        return 2;
    };
    if (!p->onBeginSheet()) return stop();
    p->setSheetProgressRange(0, 100);
    p->setSheetProgressPos(0);
    if (e->beginPage(pageInfo, info, true) != Acad::eOk) return stop();
    if (e->beginGenerateGraphics() != Acad::eOk) return stop();
    e->endGenerateGraphics();
    e->endPage();
    p->setSheetProgressPos(100);
    p->onEndSheet();
    p->setPlotProgressPos(100);
    e->endDocument();
    const Acad::ErrorStatus ended = e->endPlot();
    p->setIsVisible(false);
    return ended == Acad::eOk ? 1 : 0;
}

TEST_F(Engine, TheBatchPlotsRunGoesOnAfterABadFrame) {
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);
    AcPlPlotProgressDialog* dialog = acplCreatePlotProgressDialog(nullptr);
    const std::wstring a = text::fromUtf8(folder.file("a.pdf")), b = text::fromUtf8(folder.file("b.pdf")),
                       c = text::fromUtf8(folder.file("c.pdf"));
    EXPECT_EQ(plotFrame(engine, dialog, settings, modelLayout, L"A1_landscape", a), 1);
    EXPECT_EQ(plotFrame(engine, dialog, settings, modelLayout, L"", b), 2);  // no such size on the device
    EXPECT_EQ(plotFrame(engine, dialog, settings, modelLayout, L"A2+1/4", c), 1);
    dialog->destroy();
    engine->destroy();
    EXPECT_TRUE(std::filesystem::exists(folder.file("a.pdf")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("b.pdf")));
    double w = 0, h = 0;
    ASSERT_TRUE(test::pdfPageSizeMm(folder.file("c.pdf"), 1, w, h));
    EXPECT_NEAR(w, 743, 0.5);
    EXPECT_NEAR(h, 420, 0.5);
    EXPECT_EQ(AcPlPlotFactory::processPlotState(), AcPlPlotFactory::kNotPlotting);
}

TEST_F(Engine, TheProgressDialogPrintsItsOwnTexts) {
    progress = acplCreatePlotProgressDialog(nullptr, false, 1, nullptr, true);
    progress->setPlotMsgString(AcPlPlotProgressDialog::kDialogTitle, L"文件转换程序");
    progress->setPlotMsgString(AcPlPlotProgressDialog::kSheetProgressCaption, L"页");
    progress->setPlotMsgString(AcPlPlotProgressDialog::kSheetSetProgressCaption, L"转换");
    EXPECT_FALSE(progress->setPlotMsgString(static_cast<AcPlPlotProgressDialog::PlotMSGIndex>(10), L"x"));
    progress->setPlotProgressRange(0, 100);
    for (int frameNo = 0; frameNo < 2; ++frameNo) {
        progress->onBeginPlot();
        progress->setIsVisible(true);
        EXPECT_TRUE(progress->onBeginSheet());
        progress->setSheetProgressRange(0, 100);
        progress->setSheetProgressPos(0);
        progress->setSheetProgressPos(100);
        progress->onEndSheet();
        progress->setPlotProgressPos(100);
        progress->setIsVisible(false);
        progress->setSheetProgressPos(50);  // hidden: not printed
    }
    EXPECT_EQ(transcript, std::wstring(L"\n[文件转换程序] 页 0%\n[文件转换程序] 页 100%\n[文件转换程序] 转换 100%") +
                              L"\n[文件转换程序] 页 0%\n[文件转换程序] 页 100%\n[文件转换程序] 转换 100%");
    progress->setPlotCancelStatus(AcPlPlotProgress::kPlotCanceledByCaller);
    EXPECT_FALSE(progress->onBeginSheet());
    progress->destroy();
    progress = nullptr;
}


// The cancel statuses the progress dialog's buttons set, as the engine reads them: a sheet
// cancelled while it is drawn leaves no file; a job cancelled while a sheet is drawn finishes
// that sheet and draws no further one. Neither is reported as a failure.
TEST_F(Engine, ACancelledSheetWritesNothingAndACancelledJobFinishesTheSheetUnderWay) {
    progress = acplCreatePlotProgressDialog(nullptr, false, 1, nullptr, true);
    AcPlPlotProgressDialog* dialog = progress;
    // The user's click lands while the page is drawn.
    std::function<void()> click;
    setSceneMaker([&click](AcDbDatabase&) {
        struct Clicked : FrameScene {
            std::function<void()>* click = nullptr;
            void draw(AcDbObjectId s, const render::Box2& w, const render::DrawOptions& o, render::PrimitiveSink& sink,
                      render::DrawStats& stats) override {
                if (*click) (*click)();
                FrameScene::draw(s, w, o, sink, stats);
            }
        };
        auto scene = std::make_unique<Clicked>();
        scene->click = &click;
        return scene;
    });
    frame(L"A1_landscape");
    AcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(AcPlPlotFactory::createPublishEngine(engine), Acad::eOk);

    click = [dialog] { dialog->setSheetCancelStatus(AcPlPlotProgress::kSheetCanceledByCancelButton); };
    dialog->onBeginPlot();
    Run r = plotOne(engine, folder.file("sheet.pdf"));
    EXPECT_EQ(r.graphics, Acad::eOk);
    EXPECT_EQ(r.endPlot, Acad::eUserBreak);
    EXPECT_FALSE(std::filesystem::exists(folder.file("sheet.pdf")));

    // The next frame is a plot of its own: its sheet goes ahead.
    click = nullptr;
    dialog->onBeginPlot();
    r = plotOne(engine, folder.file("next.pdf"));
    EXPECT_EQ(r.endPlot, Acad::eOk);
    EXPECT_TRUE(std::filesystem::exists(folder.file("next.pdf")));

    click = [dialog] { dialog->setPlotCancelStatus(AcPlPlotProgress::kPlotCanceledByCancelAllButton); };
    dialog->onBeginPlot();
    r = plotOne(engine, folder.file("current.pdf"));
    EXPECT_EQ(r.endPlot, Acad::eOk);
    EXPECT_TRUE(std::filesystem::exists(folder.file("current.pdf"))) << "the sheet under way is finished";
    click = nullptr;
    r = plotOne(engine, folder.file("further.pdf"));
    EXPECT_EQ(r.graphics, Acad::eUserBreak);
    EXPECT_EQ(r.endPlot, Acad::eUserBreak);
    EXPECT_FALSE(std::filesystem::exists(folder.file("further.pdf")));
    EXPECT_EQ(transcript.find(L"** Plot"), std::wstring::npos) << text::toUtf8(transcript);
    engine->destroy();
    progress->destroy();
    progress = nullptr;
}

}  // namespace
}  // namespace vx::plot
