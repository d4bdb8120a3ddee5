// Paths in messages: one separator, the folder's own.
#include "frames/shown_path.h"

#include <gtest/gtest.h>

using vorlix::shownPath;

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
        {L"/", L"/建施-01.pdf"},
        // Nothing to go by: the module's own separator.
        {L"out", L"out\\建施-01.pdf"},
    };
    for (const Case& c : cases) EXPECT_EQ(shownPath(c.folder, L"建施-01.pdf"), c.shown) << c.folder;
}

TEST(ShownPath, TheFileIsTakenWholeWhateverItHolds) {
    // A name under the folder ("plotters\DWG TO PDF.pc3") keeps its own separators; only the
    // join is the folder's.
    EXPECT_EQ(shownPath(L"/opt/vx", L"plotters\\DWG TO PDF.pc3"), L"/opt/vx/plotters\\DWG TO PDF.pc3");
    EXPECT_EQ(shownPath(L"", L"SHEETCONFIG.INI"), L"SHEETCONFIG.INI");
}
