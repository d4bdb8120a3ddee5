#include "text/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vx::text;

TEST(Strings, TrimDropsBlanksOnBothSidesOnly) {
    EXPECT_EQ(trim(L" \t 图 号 \r\n"), L"图 号");
    EXPECT_EQ(trim(L"   "), L"");
    EXPECT_EQ(trim(L""), L"");
    EXPECT_EQ(trim(L"\v\fx"), L"x");
    // A format's own blanks: an INI line keeps what is not one of them.
    EXPECT_EQ(trim(L"\n k=v \t", L" \t"), L"\n k=v");
    EXPECT_EQ(trim(L" \t ", L" \t"), L"");
    EXPECT_EQ(trim(std::string_view("  $INSBASE\r"), " \t\r"), "$INSBASE");
    EXPECT_EQ(trim(std::string_view("\n 9 \n")), "9");
    EXPECT_EQ(trim(std::string_view("")), "");
}

TEST(Strings, NamesCompareWithoutCaseWhateverTheLocale) {
    // The tests run in the C locale, where towupper knows ASCII only: ASCII must fold anyway.
    EXPECT_TRUE(equalNoCase(L"C-TK", L"c-tk"));
    EXPECT_TRUE(equalNoCase(L"*Model_Space", L"*MODEL_SPACE"));
    EXPECT_FALSE(equalNoCase(L"C-TK", L"C-TK "));
    EXPECT_FALSE(equalNoCase(L"图框", L"图幅"));
    EXPECT_TRUE(equalNoCase(L"图框A", L"图框a"));
    EXPECT_TRUE(startsWithNoCase(L"Drag 1,2", L"drag "));
    EXPECT_FALSE(startsWithNoCase(L"dr", L"drag"));
    EXPECT_EQ(foldCase(L'z'), L'Z');
    EXPECT_EQ(foldCase(L'_'), L'_');
}

TEST(Strings, OrderIsThatOfTheFoldedCharactersWithPrefixesFirst) {
    std::vector<std::wstring> names = {L"b", L"A_2", L"a", L"A2", L"ab", L"B1", L"Ab"};
    std::stable_sort(names.begin(), names.end(), lessNoCase);
    // Folding to upper case puts "_" (0x5F) after the letters, not before them.
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a", L"A2", L"ab", L"Ab", L"A_2", L"b", L"B1"}));
    EXPECT_EQ(compareNoCase(L"abc", L"ABC"), 0);
    EXPECT_LT(compareNoCase(L"ab", L"ABC"), 0);
    EXPECT_GT(compareNoCase(L"b", L"ABC"), 0);
}
