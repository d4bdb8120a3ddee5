// The system settings command: the template description check and its copy, the dialog's
// preselection, browsing without losing typed values, cancel, and failed writes.
#include <algorithm>

#include "frame_commands_fixture.h"
#include "settings/settings_file.h"
#include "settings/sys_set_command.h"
#include "settings/sys_set_dlg.h"

namespace vorlix::test {
namespace {

class SysSetTest : public FrameCommandsTest {
protected:
    std::wstring w(const fs::path& p) { return vx::text::fromUtf8(p.string()); }
    fs::path bareFolder(const char* name) {
        fs::path p = scratch / name;
        fs::create_directories(p);
        return p;
    }
    const std::string kDefault = "[TKATT]\nITEM0=设计\n";
};

TEST_F(SysSetTest, TemplateDescriptionCheckCopiesTheDefaultOnlyWhereNoneIs) {
    const fs::path module = moduleFolder();
    writeFile(module / "TKATT.ini", kDefault);
    const fs::path own = templateFolder({"校对"});
    const std::string ownBytes = readFile(own / "TKATT.ini");
    EXPECT_EQ(checkTemplateDescription(w(own), w(module)), TemplateDescriptionCheck::Present);
    EXPECT_EQ(readFile(own / "TKATT.ini"), ownBytes);

    const fs::path empty = bareFolder("empty");
    EXPECT_EQ(checkTemplateDescription(w(empty), w(module)), TemplateDescriptionCheck::Copied);
    EXPECT_EQ(readFile(empty / "TKATT.ini"), kDefault);

    fs::remove(module / "TKATT.ini");
    const fs::path other = bareFolder("other");
    EXPECT_EQ(checkTemplateDescription(w(other), w(module)), TemplateDescriptionCheck::Missing);
    EXPECT_FALSE(fs::exists(other / "TKATT.ini"));
    // No folder: nothing is looked for and nothing is copied anywhere.
    EXPECT_EQ(checkTemplateDescription(L"", w(module)), TemplateDescriptionCheck::NoFolder);
}

TEST_F(SysSetTest, DisciplinePreselectionIsByPrefix) {
    EXPECT_EQ(disciplineIndexFor(L"电"), 3);
    EXPECT_EQ(disciplineIndexFor(L"给排水"), 4);
    EXPECT_EQ(disciplineIndexFor(L"建筑"), 0);
    EXPECT_EQ(disciplineIndexFor(L""), -1);
    EXPECT_EQ(disciplineIndexFor(L"景观"), -1);
    EXPECT_EQ(disciplineIndexFor(L"电气化"), -1);
}

TEST_F(SysSetTest, CancelLeavesTheFileUntouchedAndSaysNothing) {
    const fs::path tpl = templateFolder({"设计"});
    useSettings("[SYSEMSET]\nUSERNAME=老王\nSHEETTEMPPATH=" + tpl.string() + "\n");
    const std::string before = readFile(settingsFile());
    answers({L"set 109 新名字", L"set 115 XY", L"click 2"});
    runSysemSet();
    EXPECT_EQ(readFile(settingsFile()), before);
    EXPECT_FALSE(saw(L"设置成功！"));
    EXPECT_EQ(settings().organisationCode(), L"");
}

TEST_F(SysSetTest, BrowsingKeepsWhatWasTypedAndConfirmWritesAndReloads) {
    const fs::path tpl = templateFolder({"设计"});
    const fs::path chosen = bareFolder("chosen");
    writeFile(chosen / "TKATT.ini", "[TKATT]\nITEM0=审核\n");
    useSettings("[SYSEMSET]\nSPECNAME=电\nSHEETTEMPPATH=" + tpl.string() + "\n");
    answers({L"set 109 张三", L"set 115 XY", L"set 119 三区", L"click 133", w(chosen), L"click 106", L"cancel",
             L"click 191"});
    runSysemSet();
    const SystemSettings stored = readSystemSettings();
    EXPECT_EQ(stored.userName, L"张三");
    EXPECT_EQ(stored.departCode, L"XY");
    EXPECT_EQ(stored.specName, L"电气");  // the preselected entry is what gets stored
    EXPECT_EQ(stored.rootPath, L"");
    EXPECT_EQ(stored.sheetTempPath, w(fs::canonical(chosen)));
    EXPECT_EQ(readFile(settingsFile()).find("三区"), std::string::npos);
    EXPECT_TRUE(saw(L"设置成功！"));
    EXPECT_FALSE(saw(L"该目录下无图框配置的INI文件"));
    EXPECT_EQ(settings().organisationCode(), L"XY");
    ASSERT_EQ(settings().titleBlockItems().size(), 1u);
    EXPECT_EQ(settings().titleBlockItems().begin()->second, L"审核");
}

TEST_F(SysSetTest, AStoredDisciplineThatBeginsNoEntryIsStoredEmpty) {
    useSettings("[SYSEMSET]\nSPECNAME=景观\n");
    answers({L"click 191"});
    runSysemSet();
    EXPECT_EQ(readSystemSettings().specName, L"");
}

TEST_F(SysSetTest, ANewTemplateFolderWithoutDescriptionGetsTheDefaultAndTheMessage) {
    writeFile(moduleFolder() / "TKATT.ini", kDefault);
    const fs::path chosen = bareFolder("chosen");
    useSettings("[SYSEMSET]\nDEPARTCODE=XY\n");
    answers({L"click 133", w(chosen), L"click 191"});
    runSysemSet();
    EXPECT_EQ(readFile(chosen / "TKATT.ini"), kDefault);
    EXPECT_TRUE(saw(L"该目录下无图框配置的INI文件，请联系管理员生成！"));
    EXPECT_TRUE(saw(L"设置成功！"));
    EXPECT_EQ(settings().titleBlockItems().begin()->second, L"设计");
}

TEST_F(SysSetTest, NoTemplateFolderCopiesNothingAndSaysTheDescriptionIsMissing) {
    writeFile(moduleFolder() / "TKATT.ini", kDefault);
    useSettings("[SYSEMSET]\nDEPARTCODE=XY\n");
    answers({L"click 191"});
    runSysemSet();
    EXPECT_FALSE(saw(L"该目录下无图框配置的INI文件"));
    EXPECT_TRUE(saw(L"未发现图框的配置文件，可能会影响生成图纸目录等功能，如需配置请联系管理员！"));
    EXPECT_FALSE(saw(L"设置成功！"));
}

TEST_F(SysSetTest, AnUnreadableDescriptionIsNamedInsteadOfASilentSuccess) {
    const fs::path chosen = bareFolder("utf16");
    writeFile(chosen / "TKATT.ini", vx::text::toUtf16LE(L"[TKATT]\r\nITEM0=设计\r\n"));
    useSettings("[SYSEMSET]\nDEPARTCODE=XY\n");
    answers({L"click 133", w(chosen), L"click 191"});
    runSysemSet();
    // A folder the browser gives with "/" is shown with "/" only.
    EXPECT_TRUE(saw(L"设置已保存，但无法读取图框配置文件 " + w(chosen) + L"/TKATT.ini！")) << transcript;
    EXPECT_FALSE(saw(L"设置成功！"));
    EXPECT_TRUE(settings().titleBlockItems().empty());

    // One stored with "\" (as an office's Windows machines write it; the host reads both) is
    // shown as it was stored.
    std::wstring stored = w(chosen);
    std::replace(stored.begin(), stored.end(), L'/', L'\\');
    useSettings("[SYSEMSET]\nDEPARTCODE=XY\nSHEETTEMPPATH=" + vx::text::toUtf8(stored) + "\n");
    transcript.clear();
    answers({L"click 191"});
    runSysemSet();
    EXPECT_TRUE(saw(L"设置已保存，但无法读取图框配置文件 " + stored + L"\\TKATT.ini！")) << transcript;
    EXPECT_FALSE(saw(L"/TKATT.ini")) << transcript;
}

TEST_F(SysSetTest, TheDefaultIsNotCopiedThroughALinkLeadingOutOfTheFolder) {
    writeFile(moduleFolder() / "TKATT.ini", kDefault);
    const fs::path chosen = bareFolder("linked");
    const fs::path outside = bareFolder("outside");
    fs::create_symlink(outside / "TKATT.ini", chosen / "TKATT.ini");
    EXPECT_EQ(checkTemplateDescription(w(chosen), w(moduleFolder())), TemplateDescriptionCheck::Missing);
    EXPECT_FALSE(fs::exists(outside / "TKATT.ini"));
    EXPECT_TRUE(fs::is_symlink(chosen / "TKATT.ini"));
}

TEST_F(SysSetTest, AFailedWriteNamesTheSettingsFileInsteadOfConfirming) {
    const fs::path tpl = templateFolder({"设计"});
    fs::create_directory(settingsFile());
    answers({L"click 133", w(tpl), L"click 191"});
    runSysemSet();
    EXPECT_TRUE(saw(L"无法写入设置文件 " + w(moduleFolder()) + L"/SHEETCONFIG.INI！")) << transcript;
    EXPECT_FALSE(saw(L"设置成功！"));
}

}  // namespace
}  // namespace vorlix::test
