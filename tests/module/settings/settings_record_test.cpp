// The settings record: its locations, its start state and the reload from SHEETCONFIG.INI.
#include "settings_fixture.h"

using vorlix::settings;

TEST(SettingsLocations, ModuleFolderEndsAtTheLastSeparatorOfEitherKind) {
    vorlix::SettingsRecord r;
    r.computeLocations(L"C:\\Program Files\\Vorlix\\VorlixDesign.arx");
    EXPECT_EQ(r.moduleFolder(), L"C:\\Program Files\\Vorlix");
    EXPECT_EQ(r.settingsFilePath(), L"C:\\Program Files\\Vorlix\\SHEETCONFIG.INI");
    EXPECT_EQ(r.shownSettingsFilePath(), L"C:\\Program Files\\Vorlix\\SHEETCONFIG.INI");
    r.computeLocations(L"/opt/vorlix/VorlixDesign.arx");
    EXPECT_EQ(r.settingsFilePath(), L"/opt/vorlix\\SHEETCONFIG.INI");
    // Messages name it with the folder's own separator; the host is still handed "\".
    EXPECT_EQ(r.shownSettingsFilePath(), L"/opt/vorlix/SHEETCONFIG.INI");
    r.computeLocations(L"VorlixDesign.arx");
    EXPECT_EQ(r.moduleFolder(), L"");

    vorlix::SettingsRecord saved = settings();
    vorlix::computeLocationsFromModule();
    // Linked statically into this test, the settings code lives in the test executable.
    EXPECT_EQ(fs::canonical(settings().moduleFolder()), fs::canonical("/proc/self/exe").parent_path());
    settings() = saved;
}

TEST_F(SettingsTest, WithoutATemplateFolderNothingIsLoadedAndTheStartStateStays) {
    EXPECT_FALSE(settings().reload());
    writeText(settingsFile(), L"[SYSEMSET]\nDEPARTCODE=ABC\n");
    EXPECT_FALSE(settings().reload());
    const vorlix::SettingsRecord& r = settings();
    EXPECT_EQ(r.organisationCode(), L"ABC");
    EXPECT_EQ(r.templateDrawingPath() + r.templateDescriptionPath(), L"");
    EXPECT_TRUE(r.titleBlockItems().empty() && r.frameSizes().empty());
    EXPECT_EQ(r.catalogueLayout().maxNUm, 0) << "not the format's default 25";
    EXPECT_EQ(r.catalogueLayout().disOffX, 0.0);
    EXPECT_EQ(r.catalogueLayout().fontType, L"");
    EXPECT_EQ(r.plotNameFormat(), L"<图号>_<图名>");

    settings().reset();
    EXPECT_EQ(settings().shownSettingsFilePath() + settings().shownTemplateDescriptionPath(), L"");
    EXPECT_FALSE(settings().reload()) << "no locations: no file to read";
    EXPECT_EQ(settings().organisationCode(), L"");
}

TEST_F(SettingsTest, TemplatePathsArePlainConcatenationsOfTheStoredFolder) {
    writeText(settingsFile(), L"[SYSEMSET]\nSHEETTEMPPATH=D:\\图框\\\n", FileCoding::GbkCrlf);
    EXPECT_TRUE(settings().reload()) << "a known path loads even when the file is missing";
    EXPECT_EQ(settings().templateDrawingPath(), L"D:\\图框\\\\TK.dwg");
    EXPECT_EQ(settings().templateDescriptionPath(), L"D:\\图框\\\\TKATT.ini");
    EXPECT_EQ(settings().shownTemplateDescriptionPath(), L"D:\\图框\\TKATT.ini");
    EXPECT_EQ(settings().catalogueLayout().maxNUm, 25) << "missing description: the defaults";

    std::wstring longFolder = L"D:\\" + std::wstring(297, L'目');
    writeText(settingsFile(), L"[SYSEMSET]\nSHEETTEMPPATH=" + longFolder + L"\n");
    ASSERT_TRUE(settings().reload());
    EXPECT_EQ(settings().templateDrawingPath(), longFolder.substr(0, 259) + L"\\TK.dwg");
}

TEST_F(SettingsTest, EmptiedTemplateFolderKeepsThePreviousFolderAndStillLoadsIt) {
    fs::path folder = templateFolder("old", L"[TKNAMELIST]\nTKNAME0=A1\n");
    useTemplateFolder(folder);
    ASSERT_TRUE(settings().reload());
    writeText(settingsFile(), L"[SYSEMSET]\nSHEETTEMPPATH=\n");
    writeText(folder / "TKATT.ini", L"[TKNAMELIST]\nTKNAME0=A2\n");
    EXPECT_TRUE(settings().reload());
    EXPECT_EQ(settings().templateDescriptionPath(), folder.wstring() + L"\\TKATT.ini");
    EXPECT_EQ(settings().shownTemplateDescriptionPath(), folder.wstring() + L"/TKATT.ini");
    EXPECT_EQ(settings().frameSizes(), std::vector<std::wstring>{L"A2"});
}

TEST_F(SettingsTest, ANewFolderWithFewerItemsReplacesTheOldListsEntirely) {
    useTemplateFolder(templateFolder("big", L"[TKATT]\nITEM0=a\nITEM1=b\n[TKNAMELIST]\nTKNAME0=A0\n"));
    ASSERT_TRUE(settings().reload());
    ASSERT_EQ(settings().titleBlockItems().size(), 2u);
    useTemplateFolder(templateFolder("small", L"[TKATT]\nITEM0=x\n"));
    ASSERT_TRUE(settings().reload());
    EXPECT_EQ(settings().titleBlockItems(), (vorlix::TitleBlockItems{{L"ITEM0", L"x"}}));
    EXPECT_TRUE(settings().frameSizes().empty());
}
