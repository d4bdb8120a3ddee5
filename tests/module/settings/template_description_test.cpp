// The template description as the settings reload reads it: catalogue layout, title-block
// items, frame names and plot-name format, in the encodings offices keep it in.
#include "settings_fixture.h"

using vorlix::settings;
using Texts = std::vector<std::wstring>;
using Ints = std::vector<int>;

namespace {
// prefix0=value0 ... prefix(n-1)=value(n-1), one line each.
std::wstring numbered(const wchar_t* prefix, int n, const std::wstring& value) {
    std::wstring lines;
    for (int i = 0; i < n; ++i)
        lines += prefix + std::to_wstring(i) + L"=" + value + std::to_wstring(i) + L"\n";
    return lines;
}
}  // namespace

class TemplateDescriptionTest : public SettingsTest {
protected:
    // A fresh template folder holding `text`, made the current one, reloaded.
    void load(const std::wstring& text, FileCoding coding = FileCoding::Utf8) {
        useTemplateFolder(templateFolder("tk" + std::to_string(++m_folders), text, coding));
        ASSERT_TRUE(settings().reload());
    }
    const vorlix::CatalogueLayout& layout() { return settings().catalogueLayout(); }

private:
    int m_folders = 0;
};

TEST_F(TemplateDescriptionTest, WithoutTZMLTheLayoutTakesTheFormatDefaults) {
    load(L"[TKATT]\nITEM0=设计\n");
    EXPECT_EQ(layout().maxNUm, 25);
    EXPECT_EQ(layout().rowHeight, 800);
    EXPECT_EQ(layout().fontsize, 300);
    EXPECT_DOUBLE_EQ(layout().disOffX, 2634.329);
    EXPECT_DOUBLE_EQ(layout().disOffY, 23466.1706);
    EXPECT_EQ(layout().fontType, L"黑体");
    EXPECT_TRUE(layout().atts.empty() && layout().tableWidths.empty() && layout().lens.empty());
    EXPECT_EQ(settings().plotNameFormat(), L"<图号>_<图名>");
}

TEST_F(TemplateDescriptionTest, FullLayoutWithListsNumbersAndReals) {
    load(L"[tzml]\nATTS = <图号>,<图名>,,<图幅>\ntableWidths=110, 240,abc,70\nlens=3000,9000,2000,2000,2500\n"
         L"fontType=仿宋\nmaxNUm=many\nrowHeight=-600\nfontsize=12.9\ndisOffX=  1250.75mm\ndisOffY=-.5\n");
    EXPECT_EQ(layout().atts, (Texts{L"<图号>", L"<图名>", L"", L"<图幅>"}));
    EXPECT_EQ(layout().tableWidths, (Ints{110, 240, 0, 70}));
    EXPECT_EQ(layout().lens, (Ints{3000, 9000, 2000, 2000, 2500})) << "held as read, one more than atts";
    EXPECT_EQ(layout().fontType, L"仿宋");
    EXPECT_EQ(layout().maxNUm, 0);
    EXPECT_EQ(layout().rowHeight, -600);
    EXPECT_EQ(layout().fontsize, 12);
    EXPECT_DOUBLE_EQ(layout().disOffX, 1250.75);
    EXPECT_DOUBLE_EQ(layout().disOffY, -0.5);
    load(L"[TZML]\ndisOffX=abc\ndisOffY=\n");
    EXPECT_EQ(layout().disOffX, 0.0);
    EXPECT_EQ(layout().disOffY, 0.0) << "an empty value is present, so no default";
}

TEST_F(TemplateDescriptionTest, WithoutTitlesTheThreeListsKeepWhatTheyHeld) {
    load(L"[TZML]\nlens=1000\n");
    EXPECT_TRUE(layout().lens.empty()) << "lens alone is not read";
    load(L"[TZML]\natts=A,B\ntableWidths=1,2\nlens=10,20\nmaxNUm=5\n");
    load(L"[TZML]\nlens=99\nmaxNUm=7\n");
    EXPECT_EQ(layout().atts, (Texts{L"A", L"B"}));
    EXPECT_EQ(layout().tableWidths, (Ints{1, 2}));
    EXPECT_EQ(layout().lens, (Ints{10, 20}));
    EXPECT_EQ(layout().maxNUm, 7) << "the numbers are read every time";
    load(L"[TZML]\natts=C\n");
    EXPECT_EQ(layout().atts, Texts{L"C"});
    EXPECT_TRUE(layout().tableWidths.empty() && layout().lens.empty()) << "titles given: lists replaced";
}

TEST_F(TemplateDescriptionTest, ItemsAreOrderedByKeyTextSoITEM10FollowsITEM1) {
    load(L"[TKATT]\n" + numbered(L"ITEM", 11, L"tag") + L"[TKNAMELIST]\nTKNAME0=A1+1/4\nTKNAME1=A0\n");
    Texts keys;
    for (const auto& item : settings().titleBlockItems()) keys.push_back(item.first);
    EXPECT_EQ(keys, (Texts{L"ITEM0", L"ITEM1", L"ITEM10", L"ITEM2", L"ITEM3", L"ITEM4", L"ITEM5",
                           L"ITEM6", L"ITEM7", L"ITEM8", L"ITEM9"}));
    EXPECT_EQ(settings().titleBlockItems().at(L"ITEM10"), L"tag10");
    EXPECT_EQ(settings().frameSizes(), (Texts{L"A1+1/4", L"A0"})) << "frame names keep key order";
}

TEST_F(TemplateDescriptionTest, NumberingStopsAtTheFirstGapOrEmptyValue) {
    load(L"[TKATT]\nITEM0=a\nITEM1=b\nITEM3=d\n[TKNAMELIST]\nTKNAME0=\nTKNAME1=A1\n");
    EXPECT_EQ(settings().titleBlockItems(), (vorlix::TitleBlockItems{{L"ITEM0", L"a"}, {L"ITEM1", L"b"}}));
    EXPECT_TRUE(settings().frameSizes().empty());
}

TEST_F(TemplateDescriptionTest, CountAndLengthLimitsOfEachValue) {
    load(L"[TKATT]\n" + numbered(L"ITEM", 52, L"tag") + L"[TKNAMELIST]\n" + numbered(L"TKNAME", 505, L"A"));
    EXPECT_EQ(settings().titleBlockItems().size(), 50u);
    EXPECT_EQ(settings().frameSizes().size(), 500u);
    EXPECT_EQ(settings().frameSizes().back(), L"A499");

    const std::wstring tag60(60, L'签'), font(300, L'宋'), format = L"<图号>" + std::wstring(120, L'_');
    load(L"[TKATT]\nITEM0=" + tag60 + L"\n[TKNAMELIST]\nTKNAME0=" + tag60 + L"\n[TZML]\nfontType=" + font +
         L"\n[BPLOTNAMEFORMAT]\nformat=" + format + L"\n");
    EXPECT_EQ(settings().titleBlockItems().at(L"ITEM0"), tag60.substr(0, 49));
    EXPECT_EQ(settings().frameSizes().at(0), tag60.substr(0, 49));
    EXPECT_EQ(layout().fontType, font.substr(0, 259));
    EXPECT_EQ(settings().plotNameFormat(), format.substr(0, 99));
}

TEST_F(TemplateDescriptionTest, GbkWithCrlfAndUtf16FilesReadTheSameAsUtf8) {
    const std::wstring text =
        L"[TZML]\natts=<图号>,<图名>\n[TKATT]\nITEM0=工程名称\nITEM1=审定\n"
        L"[TKNAMELIST]\nTKNAME0=A1+1/2\n[BPLOTNAMEFORMAT]\nformat=<工程名称>_<图号>\n";
    for (FileCoding coding : {FileCoding::Utf8, FileCoding::GbkCrlf, FileCoding::Utf16LE}) {
        load(text, coding);
        EXPECT_EQ(layout().atts, (Texts{L"<图号>", L"<图名>"}));
        EXPECT_EQ(settings().titleBlockItems(),
                  (vorlix::TitleBlockItems{{L"ITEM0", L"工程名称"}, {L"ITEM1", L"审定"}}));
        EXPECT_EQ(settings().frameSizes(), Texts{L"A1+1/2"});
        EXPECT_EQ(settings().plotNameFormat(), L"<工程名称>_<图号>");
    }
}

TEST_F(TemplateDescriptionTest, ADescriptionThatGivesNothingIsToldFromAMissingOne) {
    const fs::path folder = templateFolder("tk", L"[TKNAMELIST]\nTKNAME0=A1\n");
    useTemplateFolder(folder);
    ASSERT_TRUE(settings().reload());
    EXPECT_FALSE(settings().templateDescriptionUnreadable());
    const std::string utf16 = vx::text::toUtf16LE(L"[TKNAMELIST]\r\nTKNAME0=A1\r\n");
    const std::string unreadable[] = {utf16, std::string("\x91\x07\xFF\x00garbage\x80", 12), ""};
    for (const std::string& bytes : unreadable) {
        std::ofstream(folder / "TKATT.ini", std::ios::binary | std::ios::trunc) << bytes;
        ASSERT_TRUE(settings().reload());
        EXPECT_TRUE(settings().templateDescriptionUnreadable()) << bytes.size();
        EXPECT_TRUE(settings().frameSizes().empty());
    }
    fs::remove(folder / "TKATT.ini");
    fs::create_directory(folder / "TKATT.ini");
    ASSERT_TRUE(settings().reload());
    EXPECT_TRUE(settings().templateDescriptionUnreadable()) << "a folder";
    fs::remove(folder / "TKATT.ini");
    ASSERT_TRUE(settings().reload());
    EXPECT_FALSE(settings().templateDescriptionUnreadable()) << "missing: the defaults, no complaint";
    settings().reset();
    EXPECT_FALSE(settings().templateDescriptionUnreadable());
}

TEST_F(TemplateDescriptionTest, ShippedDescriptionsAreCompleteAndAgreeAcrossEncodings) {
    const fs::path samples = fs::path(VX_SOURCE_DIR) / "samples";
    vorlix::TitleBlockItems items[3];
    Texts sizes[3];
    const fs::path folders[] = {samples / "templates" / "utf8", samples / "templates" / "gbk", samples / "module"};
    for (int i = 0; i < 3; ++i) {
        useTemplateFolder(folders[i]);
        ASSERT_TRUE(settings().reload());
        items[i] = settings().titleBlockItems();
        sizes[i] = settings().frameSizes();
        EXPECT_FALSE(items[i].empty() || sizes[i].empty()) << folders[i];
        EXPECT_FALSE(layout().atts.empty()) << folders[i];
        EXPECT_EQ(layout().lens.size(), layout().atts.size()) << folders[i];
        EXPECT_EQ(layout().tableWidths.size(), layout().atts.size()) << folders[i];
    }
    EXPECT_GE(items[0].size(), 11u) << "ITEM10 and beyond, so the ordering shows";
    EXPECT_EQ(items[0], items[1]);
    EXPECT_EQ(sizes[0], sizes[1]);
}
