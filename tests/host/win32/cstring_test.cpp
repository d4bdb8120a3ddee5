// CString: MFC's results for searches, slices, edits, tokens and Windows-style formatting.
#include <gtest/gtest.h>

#include "afx.h"

namespace {

TEST(CString, ConstructsFromNullAndCountsCharacters) {
    CString none(static_cast<const wchar_t*>(nullptr));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_STREQ(L"", static_cast<LPCWSTR>(none));
    CString cn(L"图框目录");
    EXPECT_EQ(4, cn.GetLength());
    EXPECT_EQ(L'框', cn[1]);
    EXPECT_EQ(L'目', cn[size_t(2)]);
    EXPECT_EQ(L'\0', cn[size_t(9)]);
    EXPECT_EQ(L'\0', cn.GetAt(4));
    EXPECT_EQ(L'\0', cn.GetAt(-1));
    const wchar_t unterminated[3] = {L'a', L'b', L'c'};
    EXPECT_EQ(CString(L"abc"), CString(unterminated, 3));
    EXPECT_EQ(CString(L"xx"), CString(L'x', 2));
    EXPECT_TRUE(CString(L'x', -3).IsEmpty());
}

TEST(CString, ComparesOrdinallyAndWithoutCase) {
    CString a(L"Sheet");
    EXPECT_TRUE(a == L"Sheet");
    EXPECT_TRUE(L"Sheet" == a);
    EXPECT_TRUE(a != L"sheet");
    EXPECT_EQ(0, a.CompareNoCase(L"SHEET"));
    EXPECT_LT(a.Compare(L"Sheeu"), 0);
    EXPECT_GT(a.Compare(L"Shee"), 0);
    // MFC folds to lower case: '_' sorts after upper-case letters but before lower-case ones.
    EXPECT_LT(CString(L"_").CompareNoCase(L"A"), 0);
    EXPECT_LT(CString(L"A"), CString(L"B"));
    EXPECT_LT(CString(L"B"), CString(L"a"));
}

TEST(CString, FindsFromAStartAndClampsIt) {
    CString s(L"A3-A3");
    EXPECT_EQ(0, s.Find(L'A'));
    EXPECT_EQ(3, s.Find(L'A', 1));
    EXPECT_EQ(-1, s.Find(L'A', 5));
    EXPECT_EQ(0, s.Find(L'A', -4));
    EXPECT_EQ(3, s.Find(L"A3", 1));
    EXPECT_EQ(5, s.Find(L"", 5));
    EXPECT_EQ(-1, s.Find(L"", 6));
    EXPECT_EQ(-1, s.Find(static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(3, s.ReverseFind(L'A'));
    EXPECT_EQ(-1, s.ReverseFind(L'x'));
    EXPECT_EQ(2, s.FindOneOf(L"-_"));
    EXPECT_EQ(-1, s.FindOneOf(L""));
}

TEST(CString, SlicesClampToTheString) {
    CString s(L"C:\\TK\\TK.dwg");
    EXPECT_EQ(CString(L"C:\\TK"), s.Left(s.ReverseFind(L'\\')));
    EXPECT_EQ(CString(L"dwg"), s.Right(3));
    EXPECT_EQ(s, s.Right(100));
    EXPECT_TRUE(s.Left(-1).IsEmpty());
    EXPECT_EQ(CString(L"TK.dwg"), s.Mid(6));
    EXPECT_EQ(CString(L"TK"), s.Mid(3, 2));
    EXPECT_EQ(CString(L"C:"), s.Mid(-5, 2));
    EXPECT_TRUE(s.Mid(50).IsEmpty());
    EXPECT_TRUE(s.Mid(2, -1).IsEmpty());
    EXPECT_EQ(CString(L"12"), CString(L"12ab3").SpanIncluding(L"0123456789"));
    EXPECT_EQ(CString(L"ab"), CString(L"ab,cd").SpanExcluding(L",;"));
}

TEST(CString, TrimsWhiteSpaceOrAGivenSet) {
    CString s(L" \t 值 \r\n");
    EXPECT_EQ(CString(L"值"), s.Trim());
    CString z(L"00120");
    EXPECT_EQ(CString(L"120"), z.TrimLeft(L'0'));
    CString q(L"\"'x'\"");
    EXPECT_EQ(CString(L"x"), q.Trim(L"\"'"));
    CString r(L"abc  ");
    EXPECT_EQ(CString(L"abc"), r.TrimRight());
    CString e(L"   ");
    EXPECT_TRUE(e.Trim().IsEmpty());
}

TEST(CString, EditsInPlaceAndReportsCounts) {
    CString s(L"a-b-c");
    EXPECT_EQ(2, s.Replace(L'-', L'_'));
    EXPECT_EQ(CString(L"a_b_c"), s);
    EXPECT_EQ(2, s.Replace(L"_", L"--"));
    EXPECT_EQ(CString(L"a--b--c"), s);
    EXPECT_EQ(0, s.Replace(L"", L"x"));
    EXPECT_EQ(2, s.Replace(L"--", nullptr));
    EXPECT_EQ(CString(L"abc"), s);
    CString overlap(L"aaaa");
    EXPECT_EQ(2, overlap.Replace(L"aa", L"a"));
    EXPECT_EQ(CString(L"aa"), overlap);
    CString rm(L"1 2 3");
    EXPECT_EQ(2, rm.Remove(L' '));
    EXPECT_EQ(CString(L"123"), rm);
    EXPECT_EQ(4, rm.Insert(0, L'0'));
    EXPECT_EQ(7, rm.Insert(99, L"end"));
    EXPECT_EQ(CString(L"0123end"), rm);
    EXPECT_EQ(4, rm.Delete(4, 10));
    EXPECT_EQ(4, rm.Delete(10, 1));
    EXPECT_EQ(3, rm.Delete(-2));
    EXPECT_EQ(CString(L"123"), rm);
    EXPECT_EQ(CString(L"ABC图"), CString(L"abc图").MakeUpper());
    EXPECT_EQ(CString(L"abc"), CString(L"ABC").MakeLower());
    EXPECT_EQ(CString(L"cba"), CString(L"abc").MakeReverse());
}

TEST(CString, ConcatenatesWithTextAndCharacters) {
    CString folder(L"D:\\TK");
    CString path = folder + L"\\" + CString(L"TK.dwg");
    EXPECT_EQ(CString(L"D:\\TK\\TK.dwg"), path);
    EXPECT_EQ(CString(L"<图号>"), L'<' + CString(L"图号") + L'>');
    path += L'!';
    path += static_cast<const wchar_t*>(nullptr);
    EXPECT_EQ(13, path.GetLength());
}

TEST(CString, TokenizesSkippingEmptyFieldsAndEnds) {
    CString list(L",A0,,A1 ;A2,");
    std::vector<std::wstring> tokens;
    int pos = 0;
    for (CString t = list.Tokenize(L",;", pos); pos != -1; t = list.Tokenize(L",;", pos))
        tokens.push_back(t.str());
    EXPECT_EQ((std::vector<std::wstring>{L"A0", L"A1 ", L"A2"}), tokens);
    EXPECT_EQ(-1, pos);
    int none = 0;
    EXPECT_EQ(CString(L"abc"), CString(L"abc").Tokenize(nullptr, none));
    EXPECT_TRUE(CString(L"abc").Tokenize(nullptr, none).IsEmpty());
    EXPECT_EQ(-1, none);
    int empty = 0;
    EXPECT_TRUE(CString(L",,,").Tokenize(L",", empty).IsEmpty());
    EXPECT_EQ(-1, empty);
}

TEST(CString, FormatsWithWindowsConversions) {
    CString s;
    CString name(L"图名");
    std::wstring tail(L"尾");
    s.Format(L"%s\\%s%s", L"D:\\out", name, tail);
    EXPECT_EQ(CString(L"D:\\out\\图名尾"), s);
    s.Format(L"%d|%5.2f|%x|%%|%c|%-3d|", -7, 3.14159, 255, L'图', 4);
    EXPECT_EQ(CString(L"-7| 3.14|ff|%|图|4  |"), s);
    s.Format(L"%I64d %S %hs %ls", static_cast<long long>(1) << 40, "ab", "cd", L"ef");
    EXPECT_EQ(CString(L"1099511627776 ab cd ef"), s);
    s.AppendFormat(L"+%03d", 5);
    EXPECT_EQ(CString(L"1099511627776 ab cd ef+005"), s);
    s.Format(L"no args");
    EXPECT_EQ(CString(L"no args"), s);
}

TEST(CString, FormatGrowsForLongResults) {
    std::wstring big(10000, L'图');
    CString s;
    s.Format(L"[%s]", big.c_str());
    ASSERT_EQ(10002, s.GetLength());
    EXPECT_EQ(L'[', s[0]);
    EXPECT_EQ(L'图', s[10000]);
    EXPECT_EQ(L']', s[10001]);
}

TEST(CString, BufferRoundTripsThroughCApis) {
    CString s(L"old");
    wchar_t* p = s.GetBuffer(MAX_PATH);
    std::wcscpy(p, L"C:\\module\\VorlixDesign.arx");
    s.ReleaseBuffer();
    EXPECT_EQ(CString(L"C:\\module\\VorlixDesign.arx"), s);
    p = s.GetBuffer(0);
    p[2] = L'\0';
    s.ReleaseBuffer();
    EXPECT_EQ(CString(L"C:"), s);
    p = s.GetBuffer(10);
    std::wcscpy(p, L"abcdef");
    s.ReleaseBuffer(3);
    EXPECT_EQ(CString(L"abc"), s);
    p = s.GetBufferSetLength(2);
    p[0] = L'x';
    EXPECT_EQ(CString(L"xb"), s);
}

}  // namespace
