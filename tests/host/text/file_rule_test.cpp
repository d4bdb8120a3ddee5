// The text file rule on the texts the offices' files hold: GBK bytes that happen to be valid
// UTF-8 stay GBK, BOM-less UTF-8 written by other tools stays UTF-8.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "text/encoding.h"
#include "text/plausibility.h"

using namespace vx::text;

namespace {

const wchar_t* const kDisciplines[] = {L"建筑", L"结构", L"暖通", L"电气", L"给排水"};

const wchar_t* const kTitleBlockTexts[] = {
    L"工程名称", L"图号", L"图名", L"建施-01", L"结施-02", L"水施-03", L"电施-04", L"暖施-05",
    L"首层平面图", L"二层平面图", L"屋顶平面图", L"设计", L"校对", L"审核", L"审定", L"日期",
    L"比例", L"1:100", L"项目负责人", L"专业负责人", L"阶段", L"施工图", L"初步设计",
    L"子项名称", L"建设单位", L"某某住宅楼", L"张三", L"李四", L"王五", L"小", L"通", L"暖",
    L"图框", L"目录", L"说明", L"A区", L"1#楼", L"3楼", L"±0.000", L"黑体", L"宋体", L"门窗表",
    L"节点详图", L"楼梯详图", L"总平面图", L"立面图", L"剖面图", L"给水排水平面图",
    L"电气系统图", L"空调风管平面图", L"设计说明", L"图纸目录", L"工程编号", L"版本",
    L"第1张 共12张", L"日期：2024.05", L"D:\\图纸\\暖通"};

// Each text alone, glued to Latin letters and digits (zone and sheet names), as an INI line
// and inside a settings file.
std::vector<std::wstring> inContexts(const std::wstring& t) {
    return {t, L"A" + t, L"B" + t + L"2", L"SPECNAME=" + t, L"[ATTRVALUE]\r\n图名=" + t + L"\r\n",
            L"[SYSEMSET]\r\nROOTPATH=D:\\plot\r\nSPECNAME=" + t + L"\r\nDEPARTCODE=CODE\r\n"};
}

std::string gbk(const std::wstring& t) {
    std::string out;
    EXPECT_TRUE(toCodePage(t, "GBK", out));
    return out;
}

Encoding decodedAs(const std::string& bytes, std::wstring& text) {
    Encoding found;
    text = decode(bytes, found);
    return found;
}

}  // namespace

TEST(FileRule, DisciplinesAndTitleBlockTextsInGbkReadAsGbk) {
    // The reported case: 暖通 in GBK is C5 AF CD A8, which is also valid UTF-8.
    EXPECT_EQ(gbk(L"暖通"), "\xC5\xAF\xCD\xA8");
    EXPECT_TRUE(isValidUtf8("\xC5\xAF\xCD\xA8"));
    std::vector<std::wstring> texts(std::begin(kDisciplines), std::end(kDisciplines));
    texts.insert(texts.end(), std::begin(kTitleBlockTexts), std::end(kTitleBlockTexts));
    int ambiguous = 0;
    for (const std::wstring& t : texts) {
        for (const std::wstring& s : inContexts(t)) {
            const std::string bytes = gbk(s);
            ambiguous += isValidUtf8(bytes) && bytes != toUtf8(s);
            std::wstring read;
            EXPECT_EQ(decodedAs(bytes, read), Encoding::Ansi) << toUtf8(s);
            EXPECT_EQ(read, s) << toUtf8(s);
        }
    }
    // The list must really exercise the ambiguity, not only bytes that UTF-8 rejects anyway.
    EXPECT_GE(ambiguous, 12);
}

TEST(FileRule, DisciplinesAndTitleBlockTextsInUtf8ReadAsUtf8) {
    std::vector<std::wstring> texts(std::begin(kDisciplines), std::end(kDisciplines));
    texts.insert(texts.end(), std::begin(kTitleBlockTexts), std::end(kTitleBlockTexts));
    int alsoGbk = 0;
    for (const std::wstring& t : texts) {
        for (const std::wstring& s : inContexts(t)) {
            const std::string bytes = toUtf8(s);
            bool lossy = false;
            fromCodePage(bytes, "GBK", &lossy);
            alsoGbk += !lossy && bytes != gbk(s);
            std::wstring read;
            const Encoding found = decodedAs(bytes, read);
            EXPECT_EQ(read, s) << bytes;
            EXPECT_TRUE(found == Encoding::Utf8 || bytes == gbk(s)) << bytes;
        }
    }
    EXPECT_GE(alsoGbk, 12);
}

TEST(FileRule, EveryPairOfTitleBlockHanziReadsRightInBothEncodings) {
    std::wstring hanzi;
    for (const wchar_t* t : kTitleBlockTexts)
        for (const wchar_t* p = t; *p; ++p)
            if (*p >= 0x4E00 && *p <= 0x9FFF && hanzi.find(*p) == std::wstring::npos) hanzi += *p;
    ASSERT_GT(hanzi.size(), 80u);
    int gbkAlsoUtf8 = 0;
    for (wchar_t a : hanzi) {
        for (wchar_t b : hanzi) {
            for (const std::wstring& text : {std::wstring{a, b}, std::wstring{L'X', a, b}}) {
                Encoding found;
                const std::string g = gbk(text);
                gbkAlsoUtf8 += isValidUtf8(g);
                EXPECT_EQ(decode(g, found), text);
                EXPECT_EQ(decode(toUtf8(text), found), text);
            }
        }
    }
    EXPECT_GT(gbkAlsoUtf8, 0);
}

TEST(FileRule, LatinWordsInUtf8StayUtf8AndLoneSignsAfterNumbersToo) {
    // A hanzi glued inside a Latin word is not text anyone writes; an accented letter there is.
    for (const wchar_t* s : {L"Müller", L"Zürich", L"façade", L"Straße", L"naïve", L"30°", L"12m²", L"±0.000"}) {
        Encoding found;
        EXPECT_EQ(decode(toUtf8(s), found), s) << toUtf8(s);
        EXPECT_EQ(found, Encoding::Utf8) << toUtf8(s);
    }
}

TEST(FileRule, ALoneAccentedLetterIsTakenForTheHanziItsBytesAlsoSpell) {
    // One level-1 hanzi against one accented letter in no word: nothing says UTF-8, so the
    // platform's own rule for a file without a mark decides.
    const std::string bytes = "\xC3\xA9";  // GBK 茅, UTF-8 é
    Encoding found;
    EXPECT_EQ(decode(bytes, found), L"茅");
    EXPECT_EQ(found, Encoding::Ansi);
    EXPECT_FALSE(utf8ReadsBetter(L"é", L"茅"));
    const std::string design = toUtf8(L"设计");
    EXPECT_TRUE(utf8ReadsBetter(L"设计", fromCodePage(design, "GBK")));
}

TEST(FileRule, AsciiAndUndecodableBytes) {
    Encoding found;
    EXPECT_EQ(decode("[S]\r\nK=v\r\n", found), L"[S]\r\nK=v\r\n");
    EXPECT_EQ(found, Encoding::Ansi);
    EXPECT_EQ(decode("", found), L"");
    EXPECT_EQ(found, Encoding::Ansi);
    // Valid UTF-8 that GBK cannot decode (0x80 is no GBK lead byte) is UTF-8.
    EXPECT_EQ(decode(toUtf8(L"通"), found), L"通");
    EXPECT_EQ(found, Encoding::Utf8);
}

TEST(FileRule, BytesSaidToBeInACodePageAreUtf8OnlyWhenTheyMakeNoSenseThere) {
    EXPECT_FALSE(readsAsUtf8(gbk(L"暖通"), "GBK"));
    EXPECT_TRUE(readsAsUtf8(toUtf8(L"暖通"), "GBK"));
    EXPECT_TRUE(readsAsUtf8(toUtf8(L"Müller"), "CP1252"));  // "MÃ¼ller" in CP1252
    EXPECT_FALSE(readsAsUtf8("M\xFCller", "CP1252"));
    EXPECT_FALSE(readsAsUtf8("plain", "GBK"));
}

TEST(FileRule, TheShippedUtf8TemplateDescriptionStillReadsAsUtf8) {
    std::ifstream in(std::string(VX_SOURCE_DIR) + "/samples/templates/utf8/TKATT.ini", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    std::wstring text;
    EXPECT_EQ(decodedAs(bytes, text), Encoding::Utf8);
    EXPECT_NE(text.find(L"ITEM0=工程名称"), std::wstring::npos);
}
