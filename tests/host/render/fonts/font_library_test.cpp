// The font library against this machine's fonts (Debian: fonts-wqy-microhei,
// fonts-arphic-gbsn00lp, fonts-dejavu): the substitution table, the office file, fonts the
// user put in the fonts folder, metrics, Chinese coverage, big fonts and threads.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <thread>

#include "../../win32/temp_folder.h"
#include "db/text_metrics.h"
#include "render/font_library.h"
#include "shx_writer.h"

namespace vx::render {
namespace {

using test::shapeBytes;

const std::wstring kTitleBlock = L"建施-01 首层平面图 工程名称 设计 校对 审核 日期 比例 暖通 给排水";

class FontLibraryTest : public ::testing::Test {
protected:
    FontLibraryTest() { mkdir(m_dir.native("Fonts").c_str(), 0755); }
    FontLibraryConfig config() const {
        FontLibraryConfig c;
        c.tableFile = m_dir.native("fonts.ini");
        c.folders = {m_dir.native("Fonts")};
        return c;
    }
    std::unique_ptr<FontLibrary> library() const { return makeFontLibrary(config()); }
    void putFont(const std::string& name, const std::string& bytes) const { m_dir.write("Fonts/" + name, bytes); }

    test::TempFolder m_dir;
};

FontRequest file(const wchar_t* f, const wchar_t* big = L"") { return {f, big, L"", false, false}; }
FontRequest family(const wchar_t* name, bool bold = false) { return {L"", L"", name, bold, false}; }

Box2 bounds(const GlyphGeometry& g) {
    Box2 b;
    for (const Polygon& p : g.fills)
        for (const auto& ring : p.rings)
            for (Vec2 v : ring) b.add(v);
    for (const Polyline& s : g.strokes)
        for (Vec2 v : s.points) b.add(v);
    return b;
}

GlyphGeometry glyphsOf(FontLibrary& lib, FontId id, std::wstring_view line, double tolerance = 0.002) {
    GlyphGeometry g;
    lib.glyphs(id, line, tolerance, g);
    return g;
}

bool sameGeometry(const GlyphGeometry& a, const GlyphGeometry& b) {
    if (a.fills.size() != b.fills.size() || a.strokes.size() != b.strokes.size()) return false;
    Box2 ba = bounds(a), bb = bounds(b);
    return ba.empty() == bb.empty() && (ba.empty() || (ba.x0 == bb.x0 && ba.x1 == bb.x1 && ba.y1 == bb.y1));
}

// A font "shows" a character when it draws something other than its missing-character glyph.
void expectShows(FontLibrary& lib, FontId id, const std::wstring& text) {
    GlyphGeometry missing = glyphsOf(lib, id, L"\U0010FFFD");
    for (wchar_t c : text) {
        if (c == L' ') continue;
        GlyphGeometry g = glyphsOf(lib, id, std::wstring(1, c));
        EXPECT_FALSE(g.fills.empty() && g.strokes.empty()) << "no ink for U+" << std::hex << int(c);
        EXPECT_FALSE(sameGeometry(g, missing)) << lib.info(id).family << " lacks U+" << std::hex << int(c);
        EXPECT_GT(lib.advance(id, std::wstring(1, c)), 0.3);
    }
}

TEST_F(FontLibraryTest, WindowsNamesResolveToInstalledFreeFonts) {
    auto lib = library();
    struct Case {
        FontRequest request;
        const char* family;
    } cases[] = {
        {file(L"simsun.ttc"), "AR PL SungtiL GB"},   {family(L"宋体"), "AR PL SungtiL GB"},
        {family(L"NSimSun"), "AR PL SungtiL GB"},    {file(L"C:\\Windows\\Fonts\\SIMHEI.TTF"), "WenQuanYi Micro Hei"},
        {family(L"黑体"), "WenQuanYi Micro Hei"},    {family(L"SimHei"), "WenQuanYi Micro Hei"},
        {file(L"simfang.ttf"), "AR PL SungtiL GB"},  {family(L"仿宋_GB2312"), "AR PL SungtiL GB"},
        {family(L"微软雅黑"), "WenQuanYi Micro Hei"}, {file(L"simkai.ttf"), "AR PL SungtiL GB"},
    };
    for (const Case& c : cases) {
        const FontInfo& info = lib->info(lib->resolve(c.request));
        EXPECT_EQ(info.kind, FontKind::Outline);
        EXPECT_EQ(info.family, c.family) << text::toUtf8(c.request.family + c.request.fontFile);
        EXPECT_TRUE(info.substituted);
        EXPECT_TRUE(std::filesystem::exists(info.file));
        EXPECT_GT(info.emPerHeight, 1.0);
    }
    // Arial becomes a Latin sans, with the Chinese of its texts from a CJK fallback face.
    const FontInfo& arial = lib->info(lib->resolve(file(L"arial.ttf")));
    const std::set<std::string> sans = {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"};
    EXPECT_TRUE(sans.count(arial.family)) << arial.family;
    EXPECT_EQ(arial.fallbackFamily, "WenQuanYi Micro Hei");
    EXPECT_TRUE(std::filesystem::exists(arial.fallbackFile));
    // The same request twice is the same id; style variants are different fonts.
    EXPECT_EQ(lib->resolve(family(L"宋体")), lib->resolve(family(L"宋体")));
    FontId bold = lib->resolve(family(L"DejaVu Sans", true));
    EXPECT_NE(bold, lib->resolve(family(L"DejaVu Sans")));
    EXPECT_NE(lib->info(bold).file.find("Bold"), std::string::npos);
    EXPECT_EQ(lib->info(bold).style, "Bold");  // what a backend selects the face by
}

TEST_F(FontLibraryTest, TheOfficeFileOverridesAndExtendsTheTable) {
    m_dir.write("fonts.ini",
                "; our office\r\n[Substitutes]\r\nsimsun.ttc = WenQuanYi Micro Hei\r\n"
                "黑体 = No Such Family, AR PL SungtiL GB\r\nourfont = DejaVu Serif\r\n");
    auto lib = library();
    EXPECT_EQ(lib->info(lib->resolve(file(L"SimSun.ttc"))).family, "WenQuanYi Micro Hei");
    EXPECT_EQ(lib->info(lib->resolve(family(L"黑体"))).family, "AR PL SungtiL GB");
    EXPECT_EQ(lib->info(lib->resolve(file(L"ourfont.ttf"))).family, "DejaVu Serif");
    EXPECT_EQ(lib->info(lib->resolve(family(L"宋体"))).family, "AR PL SungtiL GB");  // a default not overridden
}

TEST_F(FontLibraryTest, InstalledFontsAreUsedAsNamedAndUnknownOnesAreFlagged) {
    auto lib = library();
    const FontInfo& serif = lib->info(lib->resolve(family(L"dejavu serif")));
    EXPECT_EQ(serif.family, "DejaVu Serif");
    EXPECT_FALSE(serif.substituted);
    EXPECT_FALSE(lib->info(lib->resolve(file(L"DejaVuSans.ttf"))).substituted);
    for (const FontRequest& r : {file(L"nosuchfont.ttf"), family(L"No Such Family")}) {
        const FontInfo& info = lib->info(lib->resolve(r));
        EXPECT_TRUE(info.substituted);
        EXPECT_EQ(info.family, "DejaVu Sans");
    }
    // A missing SHX font becomes a Latin outline stand-in, flagged.
    const FontInfo& txt = lib->info(lib->resolve(file(L"txt")));
    EXPECT_EQ(txt.kind, FontKind::Outline);
    EXPECT_TRUE(txt.substituted);
    EXPECT_EQ(txt.family + " " + txt.style, "DejaVu Sans Condensed");

    // A TrueType file the user put in the fonts folder, asked for in another case.
    std::string mono = lib->info(lib->resolve(family(L"DejaVu Sans Mono"))).file;
    std::filesystem::copy_file(mono, m_dir.native("Fonts/Office Mono.TTF"));
    auto fresh = library();
    const FontInfo& office = fresh->info(fresh->resolve(file(L"office mono.ttf")));
    EXPECT_EQ(office.file, m_dir.native("Fonts/Office Mono.TTF"));
    EXPECT_FALSE(office.substituted);
}

TEST_F(FontLibraryTest, WithoutAnyFontTheApproximationMeasuresAndBoxes) {
    FontLibraryConfig bare;
    bare.systemFonts = false;
    auto lib = makeFontLibrary(bare);
    FontId id = lib->resolve(family(L"宋体"));
    EXPECT_TRUE(lib->info(id).substituted);
    EXPECT_EQ(lib->info(id).kind, FontKind::Stroke);
    std::wstring line = L"Wall 墙 12.5";
    EXPECT_DOUBLE_EQ(lib->advance(id, line), db::textAdvance(line, 1, 1));
    GlyphGeometry g = glyphsOf(*lib, id, line);
    EXPECT_EQ(g.strokes.size(), line.size() - 2);  // a box per visible character
    Box2 b = bounds(g);
    EXPECT_GE(b.x0, 0);
    EXPECT_LE(b.x1, lib->advance(id, line));
    EXPECT_EQ(lib->info(12345).kind, FontKind::Stroke);  // an id never given out
}

TEST_F(FontLibraryTest, OutlineMetricsAgreeWithTheGlyphs) {
    auto lib = library();
    for (const wchar_t* name : {L"DejaVu Sans", L"宋体", L"黑体", L"arial"}) {
        SCOPED_TRACE(text::toUtf8(name));
        FontId id = lib->resolve(family(name));
        // CAD text height is the height of capitals (AR PL SungtiL GB sets its Latin letters
        // a little above the baseline).
        Box2 h = bounds(glyphsOf(*lib, id, L"H"));
        EXPECT_NEAR(h.height(), 1.0, 0.02);
        EXPECT_GE(h.y0, -0.01);
        EXPECT_LT(h.y0, 0.15);
        double advance = lib->advance(id, L"H");
        EXPECT_GE(advance - h.x1, 0);
        EXPECT_LT(advance - h.x1, 0.3);
        // Glyphs are placed at the summed advances.
        Box2 two = bounds(glyphsOf(*lib, id, L"HH"));
        EXPECT_NEAR(two.x1 - h.x1, advance, 1e-9);
        EXPECT_NEAR(lib->advance(id, L"A建B"), lib->advance(id, L"A") + lib->advance(id, L"建") + lib->advance(id, L"B"),
                    1e-12);
        EXPECT_GT(lib->ascent(id), 0.9);
        EXPECT_GT(lib->descent(id), 0.1);
        // Finer tolerances give more points, never fewer.
        size_t coarse = 0, fine = 0;
        for (auto& p : glyphsOf(*lib, id, L"O", 0.05).fills)
            for (auto& r : p.rings) coarse += r.size();
        for (auto& p : glyphsOf(*lib, id, L"O", 0.0005).fills)
            for (auto& r : p.rings) fine += r.size();
        EXPECT_GT(fine, coarse);
    }
}

TEST_F(FontLibraryTest, TitleBlockChineseShowsInEveryKindOfFont) {
    auto lib = library();
    for (const FontRequest& r : {family(L"宋体"), family(L"黑体"), file(L"simfang.ttf"), file(L"arial.ttf"),
                                 file(L"txt", L"gbcbig"), file(L"romans.shx"), family(L"No Such Family")}) {
        FontId id = lib->resolve(r);
        SCOPED_TRACE(lib->info(id).family);
        expectShows(*lib, id, kTitleBlock);
    }
    // A Latin font draws the Chinese its face lacks from the fallback at the same em size.
    FontId arial = lib->resolve(file(L"arial.ttf")), hei = lib->resolve(family(L"WenQuanYi Micro Hei"));
    double ratio = lib->info(arial).emPerHeight / lib->info(hei).emPerHeight;
    EXPECT_NEAR(lib->advance(arial, L"建施"), lib->advance(hei, L"建施") * ratio, 1e-9);
}

TEST_F(FontLibraryTest, BigFontsLookUpGbkCodesAndSubstituteWhenMissing) {
    // txt: "A" is a 6-unit bar and an 8-unit advance; the big font: 建 a square, 施 a diagonal.
    putFont("TXT.SHX", test::shapesFile({{'A', shapeBytes({0x64, 2, 0x80, 0x6C, 0})}, {' ', shapeBytes({2, 0x60, 0})}}, 6, 2));
    putFont("gbcbig.shx", test::bigFontFile({{0xBDA8, shapeBytes({0xA0, 0xA4, 0xA8, 0xAC, 2, 0xC0, 0})},
                                             {0xCAA9, shapeBytes({0xA2, 2, 0x20, 0xAC, 0})}},
                                            10, 0, {{0x81, 0xFE}}));
    auto lib = library();
    FontId id = lib->resolve(file(L"txt", L"gbcbig.shx"));
    const FontInfo& info = lib->info(id);
    EXPECT_EQ(info.kind, FontKind::Stroke);
    EXPECT_FALSE(info.substituted);
    EXPECT_EQ(info.file, m_dir.native("Fonts/TXT.SHX"));
    EXPECT_NEAR(lib->advance(id, L"A"), 8.0 / 6, 1e-12);
    EXPECT_NEAR(lib->advance(id, L"建"), 12.0 / 10, 1e-12);
    EXPECT_NEAR(lib->advance(id, L"施"), 12.0 / 10, 1e-12);

    GlyphGeometry g = glyphsOf(*lib, id, L"A建");
    ASSERT_EQ(g.strokes.size(), 2u);
    const auto& square = g.strokes[1].points;
    ASSERT_EQ(square.size(), 5u);
    EXPECT_NEAR(square[0].x, 8.0 / 6, 1e-12);  // starts where "A" ended
    EXPECT_NEAR(square[2].x, 8.0 / 6 + 1, 1e-12);
    EXPECT_NEAR(square[2].y, 1, 1e-12);
    EXPECT_TRUE(g.fills.empty());
    EXPECT_NEAR(lib->descent(id), 2.0 / 6, 1e-12);

    // Characters the big font lacks come from the CJK outline font.
    GlyphGeometry ceng = glyphsOf(*lib, id, L"层");
    EXPECT_TRUE(ceng.strokes.empty());
    EXPECT_FALSE(ceng.fills.empty());
    EXPECT_NEAR(bounds(ceng).height(), 1.0, 0.08);

    // A missing big font: flagged, its characters drawn by the CJK outline font.
    FontId missing = lib->resolve(file(L"txt", L"hztxt"));
    EXPECT_TRUE(lib->info(missing).substituted);
    EXPECT_EQ(lib->info(missing).kind, FontKind::Stroke);
    EXPECT_FALSE(glyphsOf(*lib, missing, L"建").fills.empty());

    // Neither file: an outline font sized so that ideographs are one text height.
    FontId neither = lib->resolve(file(L"simplex", L"hztxt"));
    EXPECT_EQ(lib->info(neither).kind, FontKind::Outline);
    EXPECT_TRUE(lib->info(neither).substituted);
    EXPECT_NEAR(bounds(glyphsOf(*lib, neither, L"国")).height(), 1.0, 0.01);
}

TEST_F(FontLibraryTest, BigFontCodePagesAndExtraFoldersComeFromTheTable) {
    // 建 is 0xABD8 in Big5 and 0xBDA8 in GBK; a square marks which code the font was asked for.
    std::string big5 = test::bigFontFile({{0xABD8, shapeBytes({0xA0, 0xA4, 0xA8, 0xAC, 2, 0xC0, 0})}}, 10, 0,
                                         {{0x81, 0xFE}});
    mkdir(m_dir.native("Shared").c_str(), 0755);
    m_dir.write("Shared/ourbig5.shx", big5);
    putFont("chineset.shx", big5);
    putFont("txt.shx", test::shapesFile({{'A', shapeBytes({0x14, 2, 0x10, 0})}}, 10, 0));
    m_dir.write("fonts.ini", "[Folders]\r\nOffice = " + m_dir.native("Shared") +
                                 "\r\n[BigFontCodePages]\r\nourbig5.shx = BIG5\r\n");
    auto lib = library();
    for (const wchar_t* big : {L"chineset", L"OURBIG5.SHX"}) {
        FontId id = lib->resolve(file(L"txt", big));
        EXPECT_FALSE(lib->info(id).substituted) << text::toUtf8(big);
        GlyphGeometry g = glyphsOf(*lib, id, L"建");
        EXPECT_EQ(g.strokes.size(), 1u) << text::toUtf8(big);
        EXPECT_TRUE(g.fills.empty());
    }
}

TEST_F(FontLibraryTest, ADamagedShapeFileIsSubstitutedNotTrusted) {
    putFont("broken.shx", "AutoCAD-86 shapes 1.0\r\n\x1a\xff\xff\xff\xff\xff\xff");
    putFont("big.shx", test::shapesFile({{'A', shapeBytes({0x14, 0})}}, 10, 0));  // not a big font
    auto lib = library();
    FontId id = lib->resolve(file(L"broken.shx", L"big.shx"));
    EXPECT_TRUE(lib->info(id).substituted);
    EXPECT_EQ(lib->info(id).kind, FontKind::Outline);
    expectShows(*lib, id, L"AB建");
}

TEST_F(FontLibraryTest, ThreadsResolveAndMeasureTheSameAnswers) {
    putFont("txt.shx", test::shapesFile({{'A', shapeBytes({0x64, 2, 0x80, 0x6C, 0})}}, 6, 2));
    auto lib = library();
    const std::vector<FontRequest> requests = {family(L"宋体"), file(L"txt", L"gbcbig"), file(L"arial.ttf"),
                                               family(L"黑体", true)};
    std::vector<double> expected;
    {
        auto reference = library();
        for (const FontRequest& r : requests) expected.push_back(reference->advance(reference->resolve(r), kTitleBlock));
    }
    std::vector<std::thread> threads;
    std::vector<int> failures(8, 0);
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 20; ++round) {
                size_t i = (t + round) % requests.size();
                FontId id = lib->resolve(requests[i]);
                if (std::fabs(lib->advance(id, kTitleBlock) - expected[i]) > 1e-12) ++failures[t];
                GlyphGeometry g;
                lib->glyphs(id, kTitleBlock.substr(round % 10, 3), 0.01, g);
                if (g.fills.empty() && g.strokes.empty()) ++failures[t];
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(std::count(failures.begin(), failures.end(), 0), 8);
}

}  // namespace
}  // namespace vx::render
