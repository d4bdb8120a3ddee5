#include "actext.h"

#include <gtest/gtest.h>

TEST(AcString, FindOneOfBothDirections) {
    AcString s(L"CODE-A0-X");
    EXPECT_EQ(s.findOneOf(L"-"), 4);
    EXPECT_EQ(s.findOneOfRev(L"-"), 7);
    EXPECT_EQ(s.findOneOf(L"XA"), 5);
    EXPECT_EQ(s.findOneOf(L"#"), -1);
    EXPECT_EQ(s.findOneOfRev(L""), -1);
    EXPECT_EQ(s.findOneOf(nullptr), -1);
    EXPECT_EQ(AcString().findOneOfRev(L"-"), -1);
}

TEST(AcString, SubstringsClampInsteadOfThrowing) {
    AcString s(L"图号A-01");
    EXPECT_EQ(s.substr(2, 3).str(), L"A-0");
    EXPECT_EQ(s.substr(4, 100).str(), L"01");
    EXPECT_EQ(s.substr(-3, 2).str(), L"图号");
    EXPECT_EQ(s.substr(50, 2).str(), L"");
    EXPECT_EQ(s.substrRev(2).str(), L"01");
    EXPECT_EQ(s.substrRev(99).str(), L"图号A-01");
    EXPECT_EQ(s.mid(4).str(), L"01");
}

TEST(AcString, CompareTrimAndCase) {
    AcString s(L"  Item1 \t");
    s.trim();
    EXPECT_EQ(s.str(), L"Item1");
    EXPECT_EQ(s.compareNoCase(L"ITEM1"), 0);
    EXPECT_NE(s.compare(L"ITEM1"), 0);
    EXPECT_EQ(AcString(L"ab").makeUpper().str(), L"AB");
    EXPECT_EQ(AcString(static_cast<const ACHAR*>(nullptr)).length(), 0);
    EXPECT_EQ(AcString(L"图").utf8(), "\xE5\x9B\xBE");
}
