#include "batchplot/plot_runs.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

TEST(ShownPath, TheFolderOwnSeparatorJoinsTheFile) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"/tmp/out", L"/tmp/out/建施-01.pdf"},
        {L"D:\\图纸\\出图", L"D:\\图纸\\出图\\建施-01.pdf"},
        // A folder written with both takes the separator nearest its end: the one its browser
        // or its user put last.
        {L"D:\\work/out", L"D:\\work/out/建施-01.pdf"},
        {L"/srv/share\\out", L"/srv/share\\out\\建施-01.pdf"},
        // No second separator after one that ends the folder.
        {L"/tmp/out/", L"/tmp/out/建施-01.pdf"},
        {L"D:\\", L"D:\\建施-01.pdf"},
        // Nothing to go by: the module's own separator.
        {L"out", L"out\\建施-01.pdf"},
    };
    for (const Case& c : cases) EXPECT_EQ(shownPath(c.folder, L"建施-01.pdf"), c.shown) << c.folder;
}

TEST(RunProblem, DeviceThenStyleThenFolderOnlyForFilesThatArePlotted) {
    EXPECT_EQ(runProblem(L"", L"", L"", true, false), L"请先选择打印驱动！");
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"", L"", true, false), L"请先选择打印样式！");
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"monochrome.ctb", L"", true, false), L"请选择打印文件保存的路径！");
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"monochrome.ctb", L"", true, true), L"") << "a preview writes no file";
    EXPECT_EQ(runProblem(L"Office Printer", L"monochrome.ctb", L"", false, false), L"") << "a printer writes no file";
    EXPECT_EQ(runProblem(L"DWG TO PDF.pc3", L"monochrome.ctb", L"/tmp/out", true, false), L"");
}

}  // namespace
}  // namespace vorlix::test
