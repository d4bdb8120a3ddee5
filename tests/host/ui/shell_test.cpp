#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "afxwin.h"
#include "shlobj.h"
#include "ui_fixture.h"

namespace vx::ui::test {
namespace {

using MessageBoxTest = UiTest;

TEST_F(MessageBoxTest, OkBoxesAnswerThemselvesOthersReadTheAnswer) {
    actions({L"maybe", L"cancel", L"YES", L"no"});
    EXPECT_EQ(AfxMessageBox(L"保存成功！"), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"若选择升级，程序将自动关闭当前CAD", L"是否升级", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(AfxMessageBox(L"继续？", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(AfxMessageBox(L"再继续？", MB_YESNOCANCEL), IDNO);
    EXPECT_TRUE(saw(L"[消息] 保存成功！"));
    EXPECT_TRUE(saw(L"[是否升级] 若选择升级，程序将自动关闭当前CAD"));
    EXPECT_TRUE(saw(L"** answer with one of ok/cancel"));
    EXPECT_EQ(unusable(), 1) << "only the unknown answer counts";
}

TEST_F(MessageBoxTest, TheEndOfInputAnswersAsEscapeWould) {
    EXPECT_EQ(MessageBoxW(nullptr, L"a", L"b", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"a", L"b", MB_YESNO), IDNO);
}

TEST_F(MessageBoxTest, StringResourcesCanBeShown) {
    useScript("STRINGTABLE\nBEGIN\n 61 \"配置保存成功！\"\nEND\n");
    EXPECT_EQ(AfxMessageBox(61), IDOK);
    EXPECT_TRUE(saw(L"配置保存成功！"));
}

class FolderBrowserTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("vx-ui-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir / "图纸");
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        UiTest::TearDown();
    }
    std::filesystem::path dir;
};

TEST_F(FolderBrowserTest, ReturnsTheNativePathOfAnExistingFolder) {
    std::wstring windowsStyle = vx::text::fromUtf8(dir.string());
    for (wchar_t& c : windowsStyle)
        if (c == L'/') c = L'\\';
    actions({vx::text::fromUtf8((dir / "nowhere").string()), windowsStyle + L"\\图纸"});
    wchar_t name[MAX_PATH] = L"";
    BROWSEINFOW bi{};
    bi.lpszTitle = L"请选择根目录文件夹";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;
    bi.pszDisplayName = name;
    LPITEMIDLIST pidl = SHBrowseForFolderW(&bi);
    ASSERT_NE(pidl, nullptr);
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDListW(pidl, path));
    CoTaskMemFree(pidl);
    EXPECT_EQ(std::wstring(path), vx::text::fromUtf8((std::filesystem::canonical(dir) / "图纸").string()));
    EXPECT_EQ(std::wstring(name), L"图纸");
    EXPECT_TRUE(saw(L"请选择根目录文件夹"));
    EXPECT_TRUE(saw(L"** not a folder"));
    EXPECT_EQ(unusable(), 1);
}

TEST_F(FolderBrowserTest, CancelGivesNoList) {
    actions({L"cancel"});
    BROWSEINFOW bi{};
    bi.lpszTitle = L"请选择文件夹";
    EXPECT_EQ(SHBrowseForFolderW(&bi), nullptr);
    wchar_t path[MAX_PATH] = L"x";
    EXPECT_FALSE(SHGetPathFromIDListW(nullptr, path));
}

}  // namespace
}  // namespace vx::ui::test
