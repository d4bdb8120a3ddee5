// The ACI palette, %%-codes of single-line text and the reading of MTEXT formatting codes.
#include <gtest/gtest.h>

#include "render/mtext.h"
#include "render/palette.h"
#include "render/tables.h"
#include "render/text_layout.h"

namespace {

using vx::render::Color;
using vx::render::MTextAtom;

void expectRgb(int aci, int r, int g, int b) {
    const Color c = vx::render::aciColor(aci);
    EXPECT_EQ(c.r, r) << aci;
    EXPECT_EQ(c.g, g) << aci;
    EXPECT_EQ(c.b, b) << aci;
    EXPECT_EQ(c.aci, aci);
}

TEST(Palette, StandardColoursLevelsPaleVariantsAndGreys) {
    expectRgb(1, 255, 0, 0);
    expectRgb(5, 0, 0, 255);
    expectRgb(7, 255, 255, 255);
    expectRgb(8, 128, 128, 128);
    expectRgb(9, 192, 192, 192);
    // Hue rows: full and pale at five brightness levels, values cut, never rounded.
    expectRgb(10, 255, 0, 0);
    expectRgb(11, 255, 127, 127);
    expectRgb(12, 204, 0, 0);
    expectRgb(22, 204, 51, 0);
    expectRgb(23, 204, 127, 102);
    expectRgb(29, 76, 47, 38);
    expectRgb(43, 204, 178, 102);
    expectRgb(63, 178, 204, 102);
    expectRgb(140, 0, 191, 255);
    expectRgb(250, 51, 51, 51);
    expectRgb(255, 255, 255, 255);
    // ByBlock, ByLayer and damaged values draw as colour 7.
    EXPECT_EQ(vx::render::aciColor(0).aci, 7);
    EXPECT_EQ(vx::render::aciColor(256).aci, 7);
    EXPECT_EQ(vx::render::aciColor(-3).aci, 7);
    const Color t = vx::render::trueColor(0x123456);
    EXPECT_EQ(t.r, 0x12);
    EXPECT_EQ(t.b, 0x56);
    EXPECT_EQ(t.aci, 0);
}

TEST(TextCodes, SymbolsTogglesAndCharacterNumbers) {
    auto pieces = vx::render::resolveTextCodes(L"%%c50%%d%%p0.5 %%uA%%u B %%O%%%%%065");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].text, L"\u230050\u00B0\u00B10.5 ");
    EXPECT_TRUE(pieces[1].underline);
    EXPECT_EQ(pieces[1].text, L"A");
    EXPECT_FALSE(pieces[2].underline);
    EXPECT_EQ(pieces[2].text, L" B ");
    EXPECT_TRUE(pieces[3].overline);
    EXPECT_EQ(pieces[3].text, L"%A");
    // A code cut short by the end of the text stays as written.
    EXPECT_EQ(vx::render::resolveTextCodes(L"50%%")[0].text, L"50%%");
    EXPECT_EQ(vx::render::resolveTextCodes(L"")[0].text, L"");
}

std::vector<MTextAtom> parse(const wchar_t* s) {
    vx::render::Tables tables(nullptr);
    vx::render::MTextFormat base;
    base.height = 2;
    return vx::render::parseMText(s, base, tables);
}

TEST(MTextCodes, FormattingGroupsStacksAndBreaks) {
    auto a = parse(L"{\\H2x;\\C1;Big} small\\Pnext\\~line \\S1/2; {\\L\\Q15;u}");
    // Big | space | small | paragraph | next | nbsp | line | space | stack | space | u
    ASSERT_EQ(a.size(), 11u);
    EXPECT_EQ(a[0].text, L"Big");
    EXPECT_DOUBLE_EQ(a[0].format.height, 4);
    EXPECT_EQ(a[0].format.colorMode, 1);
    EXPECT_EQ(a[0].format.color.aci, 1);
    EXPECT_EQ(a[1].kind, MTextAtom::Space);
    EXPECT_DOUBLE_EQ(a[2].format.height, 2);  // the group ended
    EXPECT_EQ(a[2].format.colorMode, 0);
    EXPECT_EQ(a[3].kind, MTextAtom::Paragraph);
    EXPECT_TRUE(a[5].nonBreaking);
    EXPECT_EQ(a[8].kind, MTextAtom::Stack);
    EXPECT_EQ(a[8].text, L"1");
    EXPECT_EQ(a[8].lower, L"2");
    EXPECT_EQ(a[8].stackType, L'/');
    EXPECT_TRUE(a[10].format.underline);
    EXPECT_NEAR(a[10].format.oblique, 15 * M_PI / 180, 1e-12);
}

TEST(MTextCodes, CjkBreaksEscapesColoursAndDamage) {
    auto a = parse(L"图名AB\\{x\\}\\c255;\\\\");
    ASSERT_EQ(a.size(), 4u);  // 图 | 名 | AB{x} | \ (a colour change splits the word)
    EXPECT_EQ(a[0].text, L"图");
    EXPECT_EQ(a[1].text, L"名");
    EXPECT_EQ(a[2].text, L"AB{x}");
    EXPECT_EQ(a[3].text, L"\\");
    EXPECT_EQ(a[3].format.color.r, 255);
    auto c = parse(L"\\c255;R\\c16711680;B");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].format.color.r, 255);  // \c is blue-green-red
    EXPECT_EQ(c[1].format.color.b, 255);
    // Unbalanced braces, codes without arguments, deep nesting: read without harm.
    auto d = parse(L"}}{{{{\\H;\\Hx;\\W-1;\\Q90;abc\\");
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d.back().text, L"abc");
    EXPECT_DOUBLE_EQ(d.back().format.height, 2);
    EXPECT_DOUBLE_EQ(d.back().format.widthFactor, 1);
    std::wstring deep(100000, L'{');
    deep += L"x";
    EXPECT_EQ(parse(deep.c_str()).size(), 1u);
}

}  // namespace
