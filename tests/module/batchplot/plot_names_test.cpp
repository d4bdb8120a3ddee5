#include "batchplot/plot_names.h"

#include <gtest/gtest.h>

#include "batchplot/safe_file_names.h"

namespace vorlix::test {
namespace {

using Fields = std::vector<std::wstring>;

TEST(PlotNameFields, TagsBetweenAngleBracketsInOrder) {
    EXPECT_EQ(plotNameFields(L"<图号>_<图名>"), (Fields{L"图号", L"图名"}));
    EXPECT_EQ(plotNameFields(L"<工程名称>_<图号>_<图名>"), (Fields{L"工程名称", L"图号", L"图名"}));
    EXPECT_EQ(plotNameFields(L"图-<图号>"), (Fields{L"图号"}));
    // A piece without "<" counts as a field of its own; it names no "<...>" in the format, so
    // it replaces nothing.
    EXPECT_EQ(plotNameFields(L"<图号>尾"), (Fields{L"图号", L"尾"}));
    EXPECT_EQ(plotNameFields(L"a<b<c>"), Fields{}) << "three parts contribute nothing";
    EXPECT_EQ(plotNameFields(L""), Fields{});
}

TEST(PlotPaperSize, TheBlockNameAfterItsLastDash) {
    struct Case {
        const wchar_t* block;
        const wchar_t* suffix;
        const wchar_t* paper;
    };
    const Case cases[] = {
        {L"TK-A1", L"A1", L"A1"},
        {L"TK-A2+1/4", L"A2+1/4", L"A2+1/4"},
        {L"TK-目录A4", L"目录A4", L"A4"},
        {L"TK-变更A3", L"变更A3", L"A4"},
        {L"TK-联系单A3", L"联系单A3", L"A4"},
        {L"TK-计算书A2", L"计算书A2", L"A4"},
        {L"TK-B", L"B", L"A4"},
        {L"TK-a1", L"a1", L"A4"},
        {L"A3", L"A3", L"A3"},
        {L"OFFICE-X-A0", L"A0", L"A0"},
        // "/" cannot stand in a block name: a lengthened size written with "-" stays whole.
        {L"CODE-A1+1-4", L"A1+1-4", L"A1+1-4"},
        {L"CODE-A0+1-2", L"A0+1-2", L"A0+1-2"},
        {L"A2+1-4", L"A2+1-4", L"A2+1-4"},
        {L"CODE-PLAN-4", L"4", L"A4"},
        {L"TK-", L"", L"A4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sizeSuffix(c.block), c.suffix) << c.block;
        EXPECT_EQ(paperSizeOf(sizeSuffix(c.block)), c.paper) << c.block;
    }
}

TEST(PlotFileName, TheFormatFilledFromTheFrame) {
    const std::wstring format = L"<图号>_<图名>";
    const Fields fields = plotNameFields(format);
    const AttributeMap full{{L"图号", L"建施-01"}, {L"图名", L"首层平面图"}};
    EXPECT_EQ(plotFileName(format, fields, full, L"A1", 0), L"建施-01_首层平面图");
    EXPECT_EQ(plotFileName(format, fields, {}, L"A1", 3), L"A1(3)") << "only the separator is left";
    EXPECT_EQ(plotFileName(format, fields, {{L"图号", L"  "}}, L"A1", 3), L"A1(3)") << "blanks are trimmed first";
    EXPECT_EQ(plotFileName(L"<图号>", {L"图号"}, {{L"图号", L"5"}}, L"A2+1/4", 7), L"A2+1/4(7)");
    EXPECT_EQ(plotFileName(L"<图号>", {L"图号"}, {{L"图号", L"56"}}, L"A2", 7), L"56");
    EXPECT_EQ(plotFileName(format, fields, {{L"图号", L"S-1"}, {L"图名", L"一层\r\n平面"}}, L"A1", 0), L"S-1_一层平面");
    EXPECT_EQ(plotFileName(format, fields, {{L"图号", L" S-1"}, {L"图名", L"平面 "}}, L"A1", 0), L"S-1_平面");
    EXPECT_EQ(plotFileName(L"项目_<图号>", {L"项目_", L"图号"}, {{L"图号", L"9"}}, L"A1", 0), L"项目_9");
}

TEST(PlotRowOrder, TheLastTwoCharactersOfTheDrawingNumber) {
    EXPECT_EQ(drawingNumberKey(L"S-12"), 12);
    EXPECT_EQ(drawingNumberKey(L"S-3"), 3) << "the dash separates; S-2 still comes before S-3";
    EXPECT_EQ(drawingNumberKey(L"S-2"), 2);
    EXPECT_EQ(drawingNumberKey(L"S-07"), 7);
    EXPECT_EQ(drawingNumberKey(L"S-1A"), 1);
    EXPECT_EQ(drawingNumberKey(L"S-AB"), 0);
    EXPECT_EQ(drawingNumberKey(L"S-112"), 12);
    EXPECT_EQ(drawingNumberKey(L" 建施-05\t"), 5);
    EXPECT_EQ(drawingNumberKey(L""), 0);
}

TEST(SafeFileName, CharactersThatCannotStandInAFileNameBecomeUnderscores) {
    struct Case {
        const wchar_t* name;
        const wchar_t* safe;
    };
    const Case cases[] = {
        {L"建施-01_首层平面图", L"建施-01_首层平面图"},
        {L"A2+1/4(7)", L"A2+1_4(7)"},
        {L"..\\..\\etc/passwd", L"____etc_passwd"},
        {L"a:b*c?d\"e<f>g|h", L"a_b_c_d_e_f_g_h"},
        {L"x\ty\x01z\x7f", L"x_y_z_"},
        {L"v1...2", L"v1_2"},
        {L"  name. . ", L"name"},
        {L".hidden", L"hidden"},
        {L"CON", L"CON_"},
        {L"con.一层", L"con_.一层"},
        {L"LPT9", L"LPT9_"},
        {L"COM0", L"COM0"},
        {L"CONSOLE", L"CONSOLE"},
        {L"NUL ", L"NUL_"},
    };
    for (const Case& c : cases) {
        std::wstring safe;
        const FileNameVerdict verdict = safeFileName(c.name, L".pdf", safe);
        EXPECT_EQ(safe, c.safe) << c.name;
        EXPECT_EQ(verdict, safe == c.name ? FileNameVerdict::Kept : FileNameVerdict::Changed) << c.name;
    }
}

TEST(SafeFileName, NamesWithNothingUsableOrTooLongAreRefused) {
    std::wstring safe = L"left over";
    EXPECT_EQ(safeFileName(L"", L".pdf", safe), FileNameVerdict::Refused);
    EXPECT_EQ(safe, L"");
    EXPECT_EQ(safeFileName(L" . .", L".pdf", safe), FileNameVerdict::Refused);
    EXPECT_EQ(safeFileName(L"..", L".pdf", safe), FileNameVerdict::Changed) << "'..' becomes '_', a name";
    EXPECT_EQ(safe, L"_");
    // File systems take 255 bytes a name; a CJK character is 3 bytes in UTF-8, and room is kept
    // for ".pdf" and a run's "(NN)".
    EXPECT_EQ(safeFileName(std::wstring(82, L'图'), L".pdf", safe), FileNameVerdict::Refused);
    EXPECT_EQ(safeFileName(std::wstring(81, L'图'), L".pdf", safe), FileNameVerdict::Kept);
}

TEST(RunFileNames, ANameMetAgainGetsTheNextFreeNumber) {
    RunFileNames names;
    bool renamed = true;
    EXPECT_EQ(names.claim(L"S-01", renamed), L"S-01");
    EXPECT_FALSE(renamed);
    EXPECT_EQ(names.claim(L"S-01", renamed), L"S-01(2)");
    EXPECT_TRUE(renamed);
    EXPECT_EQ(names.claim(L"s-01", renamed), L"s-01(3)") << "names compare without case, as folders do";
    EXPECT_EQ(names.claim(L"S-01(2)", renamed), L"S-01(2)(2)") << "a name taken by a suffix is taken";
    EXPECT_EQ(names.claim(L"S-02", renamed), L"S-02");
    EXPECT_FALSE(renamed);
}

}  // namespace
}  // namespace vorlix::test
