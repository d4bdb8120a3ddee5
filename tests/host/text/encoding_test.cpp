#include "text/encoding.h"

#include <gtest/gtest.h>

using namespace vx::text;

TEST(Encoding, Utf8RoundTripIncludingAstralPlane) {
    std::wstring s = L"图号 A-01 \U0001F600 é";
    EXPECT_EQ(fromUtf8(toUtf8(s)), s);
    EXPECT_EQ(toUtf8(L"图"), "\xE5\x9B\xBE");
}

TEST(Encoding, InvalidUtf8BecomesReplacementAndIsReported) {
    bool lossy = false;
    std::wstring s = fromUtf8("a\xFF" "b\xE5\x9B", &lossy);
    EXPECT_TRUE(lossy);
    EXPECT_EQ(s, L"a\uFFFDb\uFFFD\uFFFD");
    lossy = false;
    fromUtf8("plain", &lossy);
    EXPECT_FALSE(lossy);
    // Overlong and surrogate encodings are not valid UTF-8.
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
}

TEST(Encoding, Utf16LeSurrogatesAndOddBytes) {
    std::wstring s = L"目录\U00020000";
    std::string b = toUtf16LE(s);
    EXPECT_EQ(b.size(), 8u);  // two BMP units and one surrogate pair
    EXPECT_EQ(fromUtf16LE(b), s);
    bool lossy = false;
    EXPECT_EQ(fromUtf16LE(std::string("A\0\x00\xD8" "B", 5), &lossy), L"A\uFFFD\uFFFD");
    EXPECT_TRUE(lossy);
}

TEST(Encoding, GbkBothWaysAndUnrepresentableCharacters) {
    std::string gbk;
    ASSERT_TRUE(toCodePage(L"图框", "GBK", gbk));
    EXPECT_EQ(gbk, "\xCD\xBC\xBF\xF2");
    EXPECT_EQ(fromCodePage(gbk, "GBK"), L"图框");
    std::string out;
    EXPECT_FALSE(toCodePage(L"a\U0001F600b", "GBK", out));
    EXPECT_EQ(out, "a?b");
    bool lossy = false;
    EXPECT_EQ(fromCodePage("\xCD", "GBK", &lossy), L"\uFFFD");  // truncated double-byte char
    EXPECT_TRUE(lossy);
}

TEST(Encoding, UnknownCodePageKeepsTextAndSaysSo) {
    bool lossy = false;
    EXPECT_EQ(fromCodePage("abc", "NO-SUCH-CODEPAGE", &lossy), L"abc");
    EXPECT_TRUE(lossy);
    std::string out;
    EXPECT_FALSE(toCodePage(L"abc", "NO-SUCH-CODEPAGE", out));
}

TEST(Encoding, DetectAndDecodeFiles) {
    Encoding e;
    EXPECT_EQ(decode("\xFF\xFE" + toUtf16LE(L"键=值"), e), L"键=值");
    EXPECT_EQ(e, Encoding::Utf16LE);
    EXPECT_EQ(decode("\xEF\xBB\xBFk=v", e), L"k=v");
    EXPECT_EQ(e, Encoding::Utf8Bom);
    EXPECT_EQ(decode("\xE5\x9B\xBE", e), L"图");
    EXPECT_EQ(e, Encoding::Utf8);
    EXPECT_EQ(decode("\xCD\xBC\xBF\xF2", e), L"图框");
    EXPECT_EQ(e, Encoding::Ansi);
    // Two GBK bytes can also be valid UTF-8 (U+037C); without a mark the file is ANSI.
    EXPECT_EQ(decode("\xCD\xBC", e), L"图");
    EXPECT_EQ(e, Encoding::Ansi);
    EXPECT_EQ(decode("", e), L"");
    EXPECT_EQ(e, Encoding::Ansi);
}

TEST(Encoding, EncodeKeepsTheBomOfEachEncoding) {
    std::string out;
    ASSERT_TRUE(encode(L"图", Encoding::Utf16LE, out));
    EXPECT_EQ(out, std::string("\xFF\xFE\xFE\x56", 4));
    ASSERT_TRUE(encode(L"图", Encoding::Utf8Bom, out));
    EXPECT_EQ(out, "\xEF\xBB\xBF\xE5\x9B\xBE");
    ASSERT_TRUE(encode(L"图", Encoding::Ansi, out));
    EXPECT_EQ(out, "\xCD\xBC");
    EXPECT_FALSE(encode(L"\U0001F600", Encoding::Ansi, out));
}
