// A real drawing through the engine and the renderer's scene: a frame of model space plotted by
// window holds its own texts and nothing of the frame beside it, a paper-space layout plots its
// own sheet, and neither plot changes any of the drawing's layouts.
#include <filesystem>
#include <memory>

#include "../dxf/ezdxf_check.h"
#include "acplot.h"
#include "dbapserv.h"
#include "dbdatabase.h"
#include "editor/command_line.h"
#include "plot_devices_fixture.h"
#include "text/encoding.h"

namespace vx::plot {
namespace {

// Two A1 frames side by side in model space, each with its title texts; a layout "Sheet1" with
// an A3 border and a text of its own in paper space.
const char* const kDrawing = R"PY(
doc.styles.get('Standard').dxf.font = 'simsun.ttf'
for x, number, title in ((1000, '建施-01', '首层平面图'), (3000, '建施-02', '二层平面图')):
    msp.add_lwpolyline([(x, 2000), (x + 841, 2000), (x + 841, 2594), (x, 2594)], close=True)
    msp.add_line((x + 20, 2020), (x + 500, 2400), dxfattribs={'color': 1})
    msp.add_text(number, height=10, dxfattribs={'insert': (x + 650, 2030)})
    msp.add_text(title, height=10, dxfattribs={'insert': (x + 650, 2050)})
sheet = doc.layouts.new('Sheet1')
sheet.add_lwpolyline([(10, 10), (410, 10), (410, 287), (10, 287)], close=True)
sheet.add_text('PAPER SHEET', height=5, dxfattribs={'insert': (300, 20)})
)PY";

struct LayoutState {
    std::wstring device, medium;
    int plotType = -1;
    bool operator==(const LayoutState& o) const { return device == o.device && medium == o.medium && plotType == o.plotType; }
};

class EngineDrawing : public test::PlotDevices {
protected:
    void SetUp() override {
        test::PlotDevices::SetUp();
        const std::string dxf = folder.file("project.dxf");
        std::string out;
        ASSERT_EQ(vxtest::runPython("import ezdxf\ndoc = ezdxf.new('R2018')\nmsp = doc.modelspace()\n" + std::string(kDrawing) +
                                        "doc.saveas(r'" + dxf + "')\n",
                                    out),
                  0)
            << out;
        ASSERT_EQ(db.readDwgFile(text::fromUtf8(dxf).c_str()), Acad::eOk);
        AcDbDictionary* layouts = nullptr;
        ASSERT_EQ(db.getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
        layouts->getAt(L"Model", model);
        layouts->getAt(L"Sheet1", sheet);
        layouts->close();
        ASSERT_FALSE(model.isNull());
        ASSERT_FALSE(sheet.isNull());
        editor::CommandLine::get().setCapture(&transcript);
    }
    void TearDown() override {
        editor::CommandLine::get().setCapture(nullptr);
        test::PlotDevices::TearDown();
    }

    LayoutState stateOf(AcDbObjectId id) {
        AcDbObjectPointer<AcDbLayout> layout(id, AcDb::kForRead);
        LayoutState s;
        if (layout.openStatus() != Acad::eOk) return s;
        AcString text;
        layout->getPlotCfgName(text);
        s.device = text.kACharPtr();
        layout->getCanonicalMediaName(text);
        s.medium = text.kACharPtr();
        s.plotType = layout->plotType();
        return s;
    }

    // Plots `layout` with `settings` as one single-page document to `path`; the engine's verdict.
    Acad::ErrorStatus plot(AcDbObjectId layout, AcDbPlotSettings& settings, const std::string& path) {
        AcPlPlotInfo info;
        info.setLayout(layout);
        info.setOverrideSettings(&settings);
        AcPlPlotInfoValidator validator;
        validator.setMediaMatchingPolicy(AcPlPlotInfoValidator::kMatchEnabled);
        if (validator.validate(info) != Acad::eOk) {
            ADD_FAILURE() << text::toUtf8(validator.validationMessage());
            return Acad::eInvalidPlotInfo;
        }
        AcPlPlotEngine* engine = nullptr;
        if (AcPlPlotFactory::createPublishEngine(engine) != Acad::eOk) return Acad::eNotApplicable;
        AcPlPlotPageInfo pageInfo;
        engine->beginPlot(nullptr);
        engine->beginDocument(info, L"project.dwg", nullptr, 1, true, text::fromUtf8(path).c_str());
        engine->beginPage(pageInfo, info, true);
        engine->beginGenerateGraphics();
        engine->endGenerateGraphics();
        engine->endPage();
        engine->endDocument();
        const Acad::ErrorStatus es = engine->endPlot();
        engine->destroy();
        entities = pageInfo.entityCount();
        return es;
    }

    static std::string pdfText(const std::string& pdf) { return test::runCommand("pdftotext -enc UTF-8 '" + pdf + "' -"); }

    AcDbPlotSettingsValidator* v = acdbHostApplicationServices()->plotSettingsValidator();
    AcDbDatabase db{false};
    AcDbObjectId model, sheet;
    long entities = 0;
    std::wstring transcript;
};

TEST_F(EngineDrawing, AWindowOnOneFramePlotsItsTextsAndNothingOfItsNeighbour) {
    const LayoutState modelBefore = stateOf(model), sheetBefore = stateOf(sheet);
    AcDbPlotSettings settings(true);
    {
        AcDbObjectPointer<AcDbLayout> layout(model, AcDb::kForRead);
        ASSERT_EQ(settings.copyFrom(layout.object()), Acad::eOk);
    }
    ASSERT_EQ(v->setPlotCfgName(&settings, L"DWG TO PDF.pc3"), Acad::eOk);
    ASSERT_EQ(v->setCurrentStyleSheet(&settings, L"monochrome.ctb"), Acad::eOk);
    v->setPlotWindowArea(&settings, 1000, 2000, 1841, 2594);
    ASSERT_EQ(v->setCanonicalMediaName(&settings, L"A1_portrait"), Acad::eOk);
    v->setPlotOrigin(&settings, 1000, 2000);
    v->setPlotType(&settings, AcDbPlotSettings::kWindow);
    v->setStdScaleType(&settings, AcDbPlotSettings::kScaleToFit);
    v->setPlotRotation(&settings, AcDbPlotSettings::k90degrees);
    v->setUseStandardScale(&settings, true);
    v->setPlotCentered(&settings, true);

    const std::string pdf = folder.file("建施-01_首层平面图.pdf");
    ASSERT_EQ(plot(model, settings, pdf), Acad::eOk) << text::toUtf8(transcript);
    // The frame's border, line and two texts; the neighbour's entities lie outside the window.
    EXPECT_EQ(entities, 4);
    double w = 0, h = 0;
    ASSERT_TRUE(test::pdfPageSizeMm(pdf, 1, w, h));
    EXPECT_NEAR(w, 594, 0.5);
    EXPECT_NEAR(h, 841, 0.5);
    const std::string words = pdfText(pdf);
    EXPECT_NE(words.find("建施-01"), std::string::npos) << words;
    EXPECT_NE(words.find("首层平面图"), std::string::npos) << words;
    EXPECT_EQ(words.find("建施-02"), std::string::npos) << words;

    EXPECT_TRUE(stateOf(model) == modelBefore);
    EXPECT_TRUE(stateOf(sheet) == sheetBefore);
}

TEST_F(EngineDrawing, ALayoutPlotsItsPaperSpace) {
    const LayoutState modelBefore = stateOf(model), sheetBefore = stateOf(sheet);
    AcDbPlotSettings settings(false);
    {
        AcDbObjectPointer<AcDbLayout> layout(sheet, AcDb::kForRead);
        ASSERT_EQ(settings.copyFrom(layout.object()), Acad::eOk);
    }
    ASSERT_EQ(v->setPlotCfgName(&settings, L"DWG TO PDF.pc3"), Acad::eOk);
    ASSERT_EQ(v->setCanonicalMediaName(&settings, L"A3_landscape"), Acad::eOk);
    v->setPlotType(&settings, AcDbPlotSettings::kExtents);
    v->setStdScaleType(&settings, AcDbPlotSettings::kScaleToFit);
    v->setUseStandardScale(&settings, true);
    v->setPlotCentered(&settings, true);

    const std::string pdf = folder.file("sheet.pdf");
    ASSERT_EQ(plot(sheet, settings, pdf), Acad::eOk) << text::toUtf8(transcript);
    double w = 0, h = 0;
    ASSERT_TRUE(test::pdfPageSizeMm(pdf, 1, w, h));
    EXPECT_NEAR(w, 420, 0.5);
    EXPECT_NEAR(h, 297, 0.5);
    const std::string words = pdfText(pdf);
    EXPECT_NE(words.find("PAPER SHEET"), std::string::npos) << words;
    EXPECT_EQ(words.find("建施"), std::string::npos) << words;

    EXPECT_TRUE(stateOf(model) == modelBefore);
    EXPECT_TRUE(stateOf(sheet) == sheetBefore);
}

}  // namespace
}  // namespace vx::plot
