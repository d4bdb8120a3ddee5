// Splitting the template description's lists.
#include "frames/text_split.h"

#include <climits>

#include <gtest/gtest.h>

using vorlix::decimalInteger;
using vorlix::splitIntegers;
using vorlix::splitList;
using Texts = std::vector<std::wstring>;
using Ints = std::vector<int>;

TEST(SplitList, KeepsInnerEmptyPiecesButNotATrailingOne) {
    EXPECT_EQ(splitList(L"a,,b", L","), (Texts{L"a", L"", L"b"}));
    EXPECT_EQ(splitList(L"a,b,", L","), (Texts{L"a", L"b"}));
    EXPECT_EQ(splitList(L",", L","), (Texts{L""}));
    EXPECT_EQ(splitList(L",,", L","), (Texts{L"", L""}));
    EXPECT_EQ(splitList(L",a", L","), (Texts{L"", L"a"}));
    EXPECT_EQ(splitList(L"", L","), Texts{});
    EXPECT_EQ(splitList(L"abc", L","), (Texts{L"abc"}));
}

TEST(SplitList, PiecesKeepTheirBlanksAndWideCharacters) {
    EXPECT_EQ(splitList(L"<图号>, <图名> ,<图幅>", L","), (Texts{L"<图号>", L" <图名> ", L"<图幅>"}));
}

TEST(SplitList, MultiCharacterDelimiterIsMatchedWhole) {
    EXPECT_EQ(splitList(L"a::b:c::", L"::"), (Texts{L"a", L"b:c"}));
    EXPECT_EQ(splitList(L"a:::b", L"::"), (Texts{L"a", L":b"}));
}

TEST(SplitList, EmptyDelimiterGivesTheWholeTextInsteadOfLoopingForever) {
    EXPECT_EQ(splitList(L"a,b", L""), (Texts{L"a,b"}));
    EXPECT_EQ(splitList(L"", L""), Texts{});
}

TEST(SplitIntegers, EachPieceIsReadAsADecimalPrefix) {
    EXPECT_EQ(splitIntegers(L"100,abc,-5", L","), (Ints{100, 0, -5}));
    EXPECT_EQ(splitIntegers(L"3000,9000,2000,", L","), (Ints{3000, 9000, 2000}));
    EXPECT_EQ(splitIntegers(L"1,,2", L","), (Ints{1, 0, 2}));
    EXPECT_EQ(splitIntegers(L"", L","), Ints{});
}

TEST(DecimalInteger, LeadingBlanksSignAndDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(decimalInteger(L"  42"), 42);
    EXPECT_EQ(decimalInteger(L"\t+7"), 7);
    EXPECT_EQ(decimalInteger(L"-750"), -750);
    EXPECT_EQ(decimalInteger(L"12px"), 12);
    EXPECT_EQ(decimalInteger(L"1.9"), 1);
    EXPECT_EQ(decimalInteger(L"- 5"), 0);
    EXPECT_EQ(decimalInteger(L"x5"), 0);
    EXPECT_EQ(decimalInteger(L"-"), 0);
    EXPECT_EQ(decimalInteger(L""), 0);
    EXPECT_EQ(decimalInteger(L"００１"), 0) << "full-width digits are not decimal digits";
}

TEST(DecimalInteger, OutOfRangeValuesAreClampedNotWrapped) {
    EXPECT_EQ(decimalInteger(L"2147483647"), INT_MAX);
    EXPECT_EQ(decimalInteger(L"-2147483648"), INT_MIN);
    EXPECT_EQ(decimalInteger(L"2147483648"), INT_MAX);
    EXPECT_EQ(decimalInteger(L"-99999999999999999999"), INT_MIN);
}
