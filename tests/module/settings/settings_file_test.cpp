// The sections of SHEETCONFIG.INI that dialogs read and write: ATTRVALUE, PLTSETTING, SYSEMSET.
#include "settings_fixture.h"

using vorlix::PlotChoices;
using vorlix::SystemSettings;

TEST_F(SettingsTest, MissingSettingsFileGivesEveryDefaultAndIsNotCreatedByReading) {
    PlotChoices plot = vorlix::readPlotChoices();
    EXPECT_EQ(plot.savePath + plot.pltStyle + plot.pltDriver, L"");
    EXPECT_EQ(plot.pltCount, L"1");
    SystemSettings sys = vorlix::readSystemSettings();
    EXPECT_EQ(sys.rootPath + sys.userName + sys.departCode + sys.specName + sys.sheetTempPath, L"");
    EXPECT_EQ(vorlix::readAttrValue(L"设计"), L"");
    EXPECT_FALSE(fs::exists(settingsFile()));
}

TEST_F(SettingsTest, AttrValuesRoundTripPerTagAndLeaveOtherTagsAlone) {
    writeText(settingsFile(), L"[ATTRVALUE]\n旧字段=保留\n备注=" + std::wstring(600, L'图') + L"\n",
              FileCoding::GbkCrlf);
    ASSERT_TRUE(vorlix::writeAttrValue(L"设计", L"张三"));
    ASSERT_TRUE(vorlix::writeAttrValue(L"工程名称", L"某某住宅小区 1#楼"));
    ASSERT_TRUE(vorlix::writeAttrValue(L"设计", L"李四"));
    ASSERT_TRUE(vorlix::writeAttrValue(L"审核", L""));
    EXPECT_EQ(vorlix::readAttrValue(L"设计"), L"李四");
    EXPECT_EQ(vorlix::readAttrValue(L"工程名称"), L"某某住宅小区 1#楼");
    EXPECT_EQ(vorlix::readAttrValue(L"旧字段"), L"保留") << "a tag no item names stays in the file";
    EXPECT_EQ(vorlix::readAttrValue(L"备注"), std::wstring(499, L'图'));
    std::wstring text = readText(settingsFile());
    EXPECT_NE(text.find(L"审核="), std::wstring::npos) << "an empty content is written as a key";
    EXPECT_EQ(text.find(L"张三"), std::wstring::npos) << "the second write replaced the first";
}

TEST_F(SettingsTest, ContentThatCouldNotBeReadBackAsGivenIsRefusedAndNothingWritten) {
    ASSERT_TRUE(vorlix::writeAttrValue(L"设计", L"张三"));
    const std::string before = readBytes(settingsFile());
    // A line break would end the value and start a line of its own: here a section that would
    // take over every later key.
    EXPECT_FALSE(vorlix::writeAttrValue(L"设计", L"x\n[SYSEMSET]\nSHEETTEMPPATH=C:\\evil"));
    EXPECT_FALSE(vorlix::writeAttrValue(L"设计", L"x\ry"));
    EXPECT_FALSE(vorlix::writeAttrValue(L"设计", std::wstring(500, L'长')));
    for (const wchar_t* tag : {L"", L"a=b", L"[SYSEMSET]", L";x", L" 设计", L"设计 ", L"a\nb"})
        EXPECT_FALSE(vorlix::writeAttrValue(tag, L"v")) << "tag \"" << tag << "\"";
    EXPECT_EQ(readBytes(settingsFile()), before);
    EXPECT_TRUE(vorlix::writeAttrValue(L"备注", std::wstring(499, L'长')));
    EXPECT_EQ(vorlix::readAttrValue(L"备注"), std::wstring(499, L'长'));
}

TEST_F(SettingsTest, PlotChoicesRoundTripInTheirOrder) {
    ASSERT_TRUE(vorlix::writePlotChoices(PlotChoices{L"D:\\出图\\PDF", L"2", L"monochrome.ctb", L"DWG To PDF.pc3"}));
    PlotChoices out = vorlix::readPlotChoices();
    EXPECT_EQ(out.savePath + L"|" + out.pltCount + L"|" + out.pltStyle + L"|" + out.pltDriver,
              L"D:\\出图\\PDF|2|monochrome.ctb|DWG To PDF.pc3");
    std::wstring text = readText(settingsFile());
    size_t save = text.find(L"SAVEPATH="), count = text.find(L"PLTCOUNT="),
           style = text.find(L"PLTSTYLE="), driver = text.find(L"PLTDRIVER=");
    ASSERT_NE(driver, std::wstring::npos);
    EXPECT_TRUE(text.find(L"[PLTSETTING]") < save && save < count && count < style && style < driver);
    ASSERT_TRUE(vorlix::writePlotChoices(PlotChoices{L"", L"", L"", L""}));
    EXPECT_EQ(vorlix::readPlotChoices().pltCount, L"") << "a stored empty value is not the default";
}

TEST_F(SettingsTest, SystemSettingsRoundTripKeepTheFilesEncodingAndFeedTheReload) {
    writeText(settingsFile(), L"[PLTSETTING]\nPLTCOUNT=3\n[SYSEMSET]\nSPECNAME=结构\nROOTPATH=old\n",
              FileCoding::GbkCrlf);
    fs::path folder = templateFolder("tk", L"[TKNAMELIST]\nTKNAME0=A3\n");
    SystemSettings in{L"", L"张工", L"ABC", L"给排水", folder.wstring()};
    ASSERT_TRUE(vorlix::writeSystemSettings(in));
    SystemSettings out = vorlix::readSystemSettings();
    EXPECT_EQ(out.rootPath, L"") << "an empty value is written too";
    EXPECT_EQ(out.userName + L"|" + out.departCode + L"|" + out.specName, L"张工|ABC|给排水");
    EXPECT_EQ(out.sheetTempPath, folder.wstring());
    EXPECT_EQ(vorlix::readPlotChoices().pltCount, L"3");
    std::string gbk;
    ASSERT_TRUE(vx::text::toCodePage(L"给排水", "GBK", gbk));
    EXPECT_NE(readBytes(settingsFile()).find(gbk), std::string::npos) << "still a GBK file";
    ASSERT_TRUE(vorlix::settings().reload());
    EXPECT_EQ(vorlix::settings().organisationCode(), L"ABC");
    EXPECT_EQ(vorlix::settings().frameSizes(), std::vector<std::wstring>{L"A3"});

    writeText(settingsFile(), L"[sysemset]\nusername=" + std::wstring(280, L'名') + L"\n", FileCoding::Utf16LE);
    EXPECT_EQ(vorlix::readSystemSettings().userName, std::wstring(259, L'名'));
}

TEST_F(SettingsTest, SettingsThatWouldBeCutOrSplitOnReadingAreRefusedWhole) {
    ASSERT_TRUE(vorlix::writeSystemSettings(SystemSettings{L"R", L"U", L"D", L"S", L"T"}));
    const std::string before = readBytes(settingsFile());
    EXPECT_FALSE(vorlix::writeSystemSettings(SystemSettings{L"R2", L"U2", L"D2", L"S2", std::wstring(260, L'x')}));
    EXPECT_FALSE(vorlix::writeSystemSettings(SystemSettings{L"R2", L"U\nX=1", L"D2", L"S2", L"T2"}));
    EXPECT_FALSE(vorlix::writePlotChoices(PlotChoices{L"a\rb", L"1", L"", L""}));
    EXPECT_EQ(readBytes(settingsFile()), before) << "no key of a refused set is written";
    EXPECT_TRUE(vorlix::writeSystemSettings(SystemSettings{L"", L"", L"", L"", std::wstring(259, L'x')}));
}

TEST_F(SettingsTest, FailedWritesAreReportedNotConfirmed) {
    vorlix::settings().computeLocations((root / "gone" / "VorlixDesign.arx").wstring());
    EXPECT_FALSE(vorlix::writeSystemSettings(SystemSettings{L"R", L"U", L"D", L"S", L"T"}));
    EXPECT_FALSE(vorlix::writePlotChoices(PlotChoices{}));
    EXPECT_FALSE(vorlix::writeAttrValue(L"设计", L"张三"));
    EXPECT_FALSE(fs::exists(root / "gone"));

    fs::create_directories(root / "dir" / "SHEETCONFIG.INI");
    vorlix::settings().computeLocations((root / "dir" / "VorlixDesign.arx").wstring());
    EXPECT_FALSE(vorlix::writeSystemSettings(SystemSettings{L"R", L"U", L"D", L"S", L"T"}));

    vorlix::settings().reset();  // locations unknown: defaults, and nowhere to write
    EXPECT_EQ(vorlix::readPlotChoices().pltCount, L"1");
    EXPECT_FALSE(vorlix::writePlotChoices(PlotChoices{}));
    EXPECT_FALSE(vorlix::writeAttrValue(L"设计", L"x"));
}
