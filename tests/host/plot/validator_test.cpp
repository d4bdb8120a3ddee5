// The validator and the config manager as the batch plot dialog uses them: device and style
// lists, media with their display names, a medium bringing its paper along, refusals.
#include <filesystem>

#include "acplplotconfig.h"
#include "dbapserv.h"
#include "dbdatabase.h"
#include "dbplotsetval.h"
#include "plot/host_plot_files.h"
#include "plot_devices_fixture.h"
#include "text/encoding.h"

namespace vx::plot {
namespace {

std::vector<std::wstring> names(const AcArray<const ACHAR*>& list) {
    std::vector<std::wstring> out;
    for (const ACHAR* n : list) out.push_back(n);
    return out;
}

class Validator : public test::PlotDevices {
protected:
    AcDbPlotSettingsValidator* v = acdbHostApplicationServices()->plotSettingsValidator();
    AcDbPlotSettings settings{true};
};

TEST_F(Validator, DevicesAreNoneThenConfigurationsByName) {
    AcArray<const ACHAR*> list;
    ASSERT_EQ(v->plotDeviceList(list), Acad::eOk);
    const std::vector<std::wstring> expected = {L"None", L"DWFx ePlot (XPS Compatible).pc3", L"DWG TO PDF.pc3",
                                                L"PublishToWeb PNG.pc3", L"Vorlix HPGL2 Plotter.pc3",
                                                L"Vorlix PDF.pc3", L"Vorlix SVG.pc3"};
    EXPECT_EQ(names(list), expected);
    ASSERT_EQ(v->plotStyleSheetList(list), Acad::eOk);
    const std::vector<std::wstring> sheets = {L"grayscale.ctb", L"monochrome.ctb", L"Vorlix Colour.ctb"};
    EXPECT_EQ(names(list), sheets);
}

TEST_F(Validator, MediaOfTheDeviceWithTheirDisplayNames) {
    ASSERT_EQ(v->setPlotCfgName(&settings, L"dwg to pdf.pc3"), Acad::eOk);  // names without regard to case
    AcString cfg;
    settings.getPlotCfgName(cfg);
    EXPECT_STREQ(cfg.kACharPtr(), L"DWG TO PDF.pc3");
    v->refreshLists(&settings);
    AcArray<const ACHAR*> media;
    ASSERT_EQ(v->canonicalMediaNameList(&settings, media), Acad::eOk);
    ASSERT_EQ(media.length(), 4);
    const ACHAR* local = nullptr;
    ASSERT_EQ(v->getLocaleMediaName(&settings, media[1], local), Acad::eOk);
    EXPECT_STREQ(local, L"A1");
    ASSERT_EQ(v->getLocaleMediaName(&settings, 3, local), Acad::eOk);
    EXPECT_STREQ(local, L"A2+1/4");
    EXPECT_EQ(v->getLocaleMediaName(&settings, 4, local), Acad::eInvalidInput);
    EXPECT_EQ(v->getLocaleMediaName(&settings, L"B5", local), Acad::eInvalidInput);
    // Without a medium asked for, the device's first.
    AcString medium;
    settings.getCanonicalMediaName(medium);
    EXPECT_STREQ(medium.kACharPtr(), L"A1_landscape");
}

TEST_F(Validator, AMediumBringsItsPaperAndAnUnknownOneLeavesNone) {
    ASSERT_EQ(v->setPlotCfgName(&settings, L"DWG TO PDF.pc3", L"A1_portrait"), Acad::eOk);
    double w = 0, h = 0;
    settings.getPlotPaperSize(w, h);
    EXPECT_DOUBLE_EQ(w, 594);
    EXPECT_DOUBLE_EQ(h, 841);
    ASSERT_EQ(v->setCanonicalMediaName(&settings, L"A3_landscape"), Acad::eOk);
    double l, b, r, t;
    settings.getPlotPaperSize(w, h);
    settings.getPlotPaperMargins(l, b, r, t);
    EXPECT_DOUBLE_EQ(w, 420);
    EXPECT_DOUBLE_EQ(h, 297);
    EXPECT_DOUBLE_EQ(l + b + r + t, 20);
    // The paper map's miss: an empty name. No sheet of an earlier frame may stay behind.
    EXPECT_EQ(v->setCanonicalMediaName(&settings, L""), Acad::eInvalidInput);
    settings.getPlotPaperSize(w, h);
    EXPECT_EQ(w + h, 0);
    AcString medium;
    settings.getCanonicalMediaName(medium);
    EXPECT_STREQ(medium.kACharPtr(), L"");
    // Changing device keeps the medium when the new one has it too.
    ASSERT_EQ(v->setCanonicalMediaName(&settings, L"A1_portrait"), Acad::eOk);
    ASSERT_EQ(v->setPlotCfgName(&settings, L"Vorlix PDF.pc3"), Acad::eOk);
    settings.getCanonicalMediaName(medium);
    EXPECT_STREQ(medium.kACharPtr(), L"ISO_full_bleed_A0_(1189.00_x_841.00_MM)");
    ASSERT_EQ(v->setClosestMediaName(&settings, 594.2, 840.9, AcDbPlotSettings::kMillimeters, false), Acad::eOk);
    settings.getCanonicalMediaName(medium);
    EXPECT_STREQ(medium.kACharPtr(), L"ISO_full_bleed_A1_(594.00_x_841.00_MM)");
}

TEST_F(Validator, RefusalsChangeNothing) {
    ASSERT_EQ(v->setPlotCfgName(&settings, L"DWG TO PDF.pc3"), Acad::eOk);
    EXPECT_EQ(v->setPlotCfgName(&settings, L"No Such Plotter.pc3"), Acad::eInvalidInput);
    AcString cfg;
    settings.getPlotCfgName(cfg);
    EXPECT_STREQ(cfg.kACharPtr(), L"DWG TO PDF.pc3");
    EXPECT_EQ(v->setPlotWindowArea(&settings, 0, 0, std::nan(""), 5), Acad::eInvalidInput);
    EXPECT_EQ(v->setPlotRotation(&settings, static_cast<AcDbPlotSettings::PlotRotation>(4)), Acad::eInvalidInput);
    EXPECT_EQ(v->setCustomPrintScale(&settings, 1, 0), Acad::eInvalidInput);
    EXPECT_EQ(v->setCurrentStyleSheet(&settings, L"acad.ctb"), Acad::eInvalidInput);
    ASSERT_EQ(v->setCurrentStyleSheet(&settings, L"MONOCHROME.CTB"), Acad::eOk);
    AcString sheet;
    settings.getCurrentStyleSheet(sheet);
    EXPECT_STREQ(sheet.kACharPtr(), L"monochrome.ctb");
    // Window corners in any order become min and max.
    ASSERT_EQ(v->setPlotWindowArea(&settings, 10, 20, -5, 3), Acad::eOk);
    double x0, y0, x1, y1;
    settings.getPlotWindowArea(x0, y0, x1, y1);
    EXPECT_EQ(std::vector<double>({x0, y0, x1, y1}), std::vector<double>({-5, 3, 10, 20}));
    ASSERT_EQ(v->setStdScaleType(&settings, AcDbPlotSettings::k1_100), Acad::eOk);
    EXPECT_DOUBLE_EQ(settings.stdScale(), 0.01);
}

TEST_F(Validator, ADeviceAddedToThePlottersFolderIsListedAtOnce) {
    AcArray<const ACHAR*> list;
    v->plotDeviceList(list);
    const int before = list.length();
    std::filesystem::copy_file(root() + "Plotters/DWG TO PDF.pc3", root() + "Plotters/DWG TO PDF A3.pc3");
    v->plotDeviceList(list);
    ASSERT_EQ(list.length(), before + 1);
    EXPECT_STREQ(list[2], L"DWG TO PDF A3.pc3");
    std::filesystem::remove(root() + "Plotters/DWG TO PDF A3.pc3");
    v->plotDeviceList(list);
    EXPECT_EQ(list.length(), before);
}

TEST_F(Validator, TheNoneDeviceAsStoredInDrawings) {
    ASSERT_EQ(v->setDefaultPlotConfig(&settings), Acad::eOk);
    AcString cfg;
    settings.getPlotCfgName(cfg);
    EXPECT_STREQ(cfg.kACharPtr(), L"none_device");
    AcArray<const ACHAR*> media;
    EXPECT_EQ(v->canonicalMediaNameList(&settings, media), Acad::eOk);
    EXPECT_EQ(media.length(), 0);
    AcPlPlotConfig* config = nullptr;
    ASSERT_TRUE(acplPlotConfigManagerPtr()->setCurrentConfig(config, cfg.kACharPtr()));
    EXPECT_EQ(config->plotToFileCapability(), AcPlPlotConfig::kNoPlotToFile);
}

TEST_F(Validator, ConfigurationsGiveExtensionAndPlotToFile) {
    AcPlPlotConfig* config = nullptr;
    ASSERT_TRUE(acplPlotConfigManagerPtr()->setCurrentConfig(config, L"DWG TO PDF.pc3"));
    const ACHAR* ext = nullptr;
    config->getDefaultFileExtension(ext);
    EXPECT_STREQ(ext, L".pdf");
    EXPECT_EQ(config->plotToFileCapability(), AcPlPlotConfig::kMustPlotToFile);
    EXPECT_EQ(config->setPlotToFile(false), Acad::eInvalidInput);
    EXPECT_EQ(acplPlotConfigManagerPtr()->curPlotConfig(), config);
    EXPECT_EQ(std::string(text::toUtf8(config->fullPath())), root() + "Plotters/DWG TO PDF.pc3");
    // Configurations outlive a refresh: a dialog may hold one while the lists are read again.
    acplPlotConfigManagerPtr()->refreshList();
    EXPECT_STREQ(config->deviceName(), L"DWG TO PDF.pc3");
    EXPECT_FALSE(acplPlotConfigManagerPtr()->setCurrentConfig(config, L"Nothing"));
    EXPECT_EQ(config, nullptr);
}

TEST_F(Validator, TheHostsFilesNeverReplaceAUsersEditedOnes) {
    const std::string mono = root() + "Plot Styles/monochrome.ctb";
    const std::string pc3 = root() + "Plotters/Vorlix PDF.pc3";
    AcArray<const ACHAR*> list;
    v->plotStyleSheetList(list);  // the first use installs the host's files
    ASSERT_TRUE(std::filesystem::exists(mono));
    { std::ofstream(mono, std::ios::binary) << "edited"; }
    std::filesystem::remove(pc3);
    std::filesystem::remove_all(root() + "Plotters/PMP Files");
    EXPECT_EQ(installHostPlotFiles(root()), 1);  // only the removed .pc3; no folder is made
    EXPECT_EQ(test::readFile(mono), "edited");
    EXPECT_TRUE(std::filesystem::exists(pc3));
    EXPECT_FALSE(std::filesystem::exists(root() + "Plotters/PMP Files"));
    // The damaged table is listed, but a plot that asks for it is told why.
    deviceCatalog().refresh();
    std::string error;
    EXPECT_EQ(deviceCatalog().styleTable(L"monochrome.ctb", error), nullptr);
    EXPECT_NE(error.find("monochrome.ctb"), std::string::npos);
    // The device whose media file went shows why it cannot plot.
    const auto device = deviceCatalog().find(L"DWG TO PDF.pc3");
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->plots());
    EXPECT_NE(device->problem.find("DWG TO PDF.pmp"), std::string::npos);
}

TEST_F(Validator, CopyFromTakesEveryPlotSettingAndLeavesTheLayoutAlone) {
    AcDbDatabase db;
    AcDbDictionary* layouts = nullptr;
    ASSERT_EQ(db.getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
    AcDbObjectId modelId;
    ASSERT_EQ(layouts->getAt(L"Model", modelId), Acad::eOk);
    layouts->close();
    AcDbObjectPointer<AcDbLayout> model(modelId, AcDb::kForWrite);
    ASSERT_EQ(model.openStatus(), Acad::eOk);
    model->setPlotCfgName(L"DWG TO PDF.pc3");
    model->setCurrentStyleSheet(L"monochrome.ctb");
    model->setPlotWindowArea(1, 2, 3, 4);
    model.close();

    AcDbObjectPointer<AcDbLayout> layout(modelId, AcDb::kForRead);
    ASSERT_EQ(settings.copyFrom(layout.object()), Acad::eOk);
    AcString cfg, sheet;
    settings.getPlotCfgName(cfg);
    settings.getCurrentStyleSheet(sheet);
    EXPECT_STREQ(cfg.kACharPtr(), L"DWG TO PDF.pc3");
    EXPECT_STREQ(sheet.kACharPtr(), L"monochrome.ctb");
    EXPECT_TRUE(settings.modelType());
    ASSERT_EQ(v->setPlotWindowArea(&settings, 10, 10, 20, 20), Acad::eOk);
    ASSERT_EQ(v->setCanonicalMediaName(&settings, L"A3_landscape"), Acad::eOk);
    double x0, y0, x1, y1;
    layout->getPlotWindowArea(x0, y0, x1, y1);
    EXPECT_EQ(x1, 3);
    AcString medium;
    layout->getCanonicalMediaName(medium);
    EXPECT_STREQ(medium.kACharPtr(), L"");
    EXPECT_EQ(settings.copyFrom(layouts), Acad::eNotThatKindOfClass);
}

}  // namespace
}  // namespace vx::plot
