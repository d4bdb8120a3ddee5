#include <gtest/gtest.h>

#include "aced.h"
#include "editor/selection.h"
#include "editor/wcmatch.h"

namespace vx::editor {
namespace {

TEST(WcMatch, WildcardCharacters) {
    EXPECT_TRUE(wcMatch(L"C-TK", L"C-TK", false));
    EXPECT_FALSE(wcMatch(L"C-TK", L"c-tk", false));
    EXPECT_TRUE(wcMatch(L"C-TK", L"c-tk", true));
    EXPECT_TRUE(wcMatch(L"A12", L"A##", false));
    EXPECT_FALSE(wcMatch(L"A1B", L"A##", false));
    EXPECT_TRUE(wcMatch(L"AbC", L"@@@", false));
    EXPECT_FALSE(wcMatch(L"A1C", L"@@@", false));
    EXPECT_TRUE(wcMatch(L"A-B", L"A.B", false));
    EXPECT_FALSE(wcMatch(L"AXB", L"A.B", false));
    EXPECT_TRUE(wcMatch(L"CODE-A0", L"CODE-*", false));
    EXPECT_TRUE(wcMatch(L"CODE-", L"CODE-*", false));
    EXPECT_FALSE(wcMatch(L"CODE", L"CODE-*", false));
    EXPECT_TRUE(wcMatch(L"A1", L"A?", false));
    EXPECT_FALSE(wcMatch(L"A", L"A?", false));
    EXPECT_TRUE(wcMatch(L"B", L"[ABC]", false));
    EXPECT_FALSE(wcMatch(L"D", L"[A-C]", false));
    EXPECT_TRUE(wcMatch(L"D", L"[~A-C]", false));
    EXPECT_TRUE(wcMatch(L"*", L"`*", false));
    EXPECT_FALSE(wcMatch(L"X", L"`*", false));
    EXPECT_TRUE(wcMatch(L"图框", L"图*", false));
}

TEST(WcMatch, CommaListsAndNegation) {
    EXPECT_TRUE(wcMatch(L"TEXT", L"LINE,TEXT", false));
    EXPECT_FALSE(wcMatch(L"ARC", L"LINE,TEXT", false));
    EXPECT_TRUE(wcMatch(L"0", L"~C-TK", false));
    EXPECT_FALSE(wcMatch(L"C-TK", L"~C-TK", false));
    EXPECT_FALSE(wcMatch(L"c-tk", L"~C-TK", true));
    EXPECT_TRUE(wcMatch(L"A,B", L"A`,B", false));
    EXPECT_EQ(acutWcMatch(L"ABC", L"A*"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"abc", L"A*"), RTERROR);
}

EntityFacts facts(const wchar_t* type, const wchar_t* layer, const wchar_t* block = L"") {
    EntityFacts f;
    f.type = type;
    f.layer = layer;
    f.blockName = block;
    return f;
}

TEST(SelectionFilter, TypesLayersAndBlockNamesAreAndedAndCaseInsensitive) {
    resbuf* list = acutBuildList(RTDXF0, L"insert", 8, L"C-TK", 0);
    Filter f;
    std::wstring why;
    ASSERT_TRUE(f.compile(list, why));
    acutRelRb(list);
    EXPECT_TRUE(f.matches(facts(L"INSERT", L"c-tk")));
    EXPECT_FALSE(f.matches(facts(L"LINE", L"C-TK")));
    EXPECT_FALSE(f.matches(facts(L"INSERT", L"C-TK2")));

    list = acutBuildList(8, L"C-*,0", 2, L"CODE-A#", 0);
    ASSERT_TRUE(f.compile(list, why));
    acutRelRb(list);
    EXPECT_TRUE(f.matches(facts(L"INSERT", L"0", L"code-a1")));
    EXPECT_FALSE(f.matches(facts(L"INSERT", L"0", L"CODE-目录单")));
    EXPECT_FALSE(f.matches(facts(L"LINE", L"0")));  // a block-name test excludes other types
}

TEST(SelectionFilter, AnEmptyFilterTakesEverythingAndUnknownGroupsAreRefused) {
    Filter f;
    std::wstring why;
    ASSERT_TRUE(f.compile(nullptr, why));
    EXPECT_TRUE(f.matches(facts(L"LINE", L"ANY")));
    resbuf* list = acutBuildList(62, 1, 0);
    EXPECT_FALSE(f.compile(list, why));
    EXPECT_NE(why.find(L"62"), std::wstring::npos);
    acutRelRb(list);
}

TEST(ResultBuffers, BuildListTakesEachValueByItsGroupCodeKind) {
    ads_point p = {1, 2, 3};
    resbuf* rb = acutBuildList(RTDXF0, L"LINE", RTSTR, L"abc", RTSHORT, 7, RTREAL, 2.5, 10, p, 8, L"L", 90, 70000, 0);
    ASSERT_NE(rb, nullptr);
    resbuf* r = rb;
    EXPECT_EQ(r->restype, 0);  // RTDXF0 stands for group code 0
    EXPECT_STREQ(r->resval.rstring, L"LINE");
    r = r->rbnext;
    EXPECT_STREQ(r->resval.rstring, L"abc");
    r = r->rbnext;
    EXPECT_EQ(r->resval.rint, 7);
    r = r->rbnext;
    EXPECT_DOUBLE_EQ(r->resval.rreal, 2.5);
    r = r->rbnext;
    EXPECT_DOUBLE_EQ(r->resval.rpoint[2], 3.0);
    r = r->rbnext;
    EXPECT_EQ(r->restype, 8);
    EXPECT_STREQ(r->resval.rstring, L"L");
    r = r->rbnext;
    EXPECT_EQ(r->resval.rlong, 70000);
    EXPECT_EQ(r->rbnext, nullptr);
    EXPECT_EQ(acutRelRb(rb), RTNORM);
    EXPECT_EQ(acutBuildList(123456, 1, 0), nullptr);  // unknown type code
}

}  // namespace
}  // namespace vx::editor
