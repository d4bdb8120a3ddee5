// Texts: TEXT alignment points, fit and aligned, width factor, oblique, mirroring and
// %%-codes; MTEXT wrapping (words and CJK), line spacing, attachment, stacks and colours;
// attributes as references show them. Layout is checked with fonts of known metrics (the host's
// approximate advance table), whatever fonts the machine has.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "recording_sink.h"
#include "render/fonts.h"
#include "table_fonts.h"

namespace {

using namespace vxtest;

class Text : public WithTableFonts {};
class MText : public WithTableFonts {};

double adv(const wchar_t* s) { return vx::render::fontLibrary().advance(0, s); }

// The run's origin, and its unit vectors along and across the baseline, in world coordinates.
struct Placement {
    Vec2 origin, along, across;
};
Placement placed(const TextRun& t) {
    return {t.toLocal.map(Vec2{0, 0}), t.toLocal.mapVector(Vec2{1, 0}), t.toLocal.mapVector(Vec2{0, 1})};
}

TEST_F(Text, AlignmentPointsAnchorEveryMode) {
    auto db = ezdxfDrawing("text-align", R"PY(
from ezdxf.enums import TextEntityAlignment as A
modes = [A.LEFT, A.CENTER, A.RIGHT, A.MIDDLE, A.TOP_LEFT, A.MIDDLE_RIGHT, A.BOTTOM_CENTER]
for i, m in enumerate(modes):
    msp.add_text('AB', height=2).set_placement((100, 10 * i), align=m)
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    const auto runs = sink.texts();
    ASSERT_EQ(runs.size(), 7u);
    const double w = adv(L"AB") * 2, descent = vx::render::fontLibrary().descent(0) * 2;
    const double expectX[7] = {100, 100 - w / 2, 100 - w, 100 - w / 2, 100, 100 - w, 100 - w / 2};
    const double expectDy[7] = {0, 0, 0, -1, -2, -1, descent};
    for (size_t i = 0; i < runs.size(); ++i) {
        const Placement p = placed(runs[i]);
        EXPECT_NEAR(p.origin.x, expectX[i], 1e-9) << i;
        EXPECT_NEAR(p.origin.y, 10.0 * static_cast<double>(i) + expectDy[i], 1e-9) << i;
        EXPECT_NEAR(p.along.x, 2, 1e-12);
        EXPECT_NEAR(p.across.y, 2, 1e-12);
        EXPECT_EQ(runs[i].text, L"AB");
    }
}

TEST_F(Text, FitAlignedWidthObliqueRotationAndMirroring) {
    auto db = ezdxfDrawing("text-shape", R"PY(
from ezdxf.enums import TextEntityAlignment as A
msp.add_text('ABCD', height=2).set_placement((0, 0), (20, 0), align=A.FIT)
msp.add_text('ABCD', height=2).set_placement((0, 10), (20, 10), align=A.ALIGNED)
msp.add_text('AB', height=2, dxfattribs={'width': 0.5, 'oblique': 15, 'rotation': 90, 'insert': (50, 0)})
t = msp.add_text('AB', height=2, dxfattribs={'insert': (80, 0), 'text_generation_flag': 2})
msp.add_text('x%%uUnder%%u%%c', height=1, dxfattribs={'insert': (0, 40)})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    const auto runs = sink.texts();
    ASSERT_EQ(runs.size(), 7u);
    const double a = adv(L"ABCD");
    // Fit: stretched to 20 wide at height 2.
    EXPECT_NEAR(placed(runs[0]).along.x * a, 20, 1e-9);
    EXPECT_NEAR(placed(runs[0]).across.y, 2, 1e-12);
    // Aligned: 20 wide, the height in proportion.
    EXPECT_NEAR(placed(runs[1]).along.x * a, 20, 1e-9);
    EXPECT_NEAR(placed(runs[1]).across.y, 20 / a, 1e-9);
    // Width factor 0.5 and 15 degrees oblique, turned upright.
    const Placement r = placed(runs[2]);
    EXPECT_NEAR(r.along.x, 0, 1e-12);
    EXPECT_NEAR(r.along.y, 1, 1e-12);
    EXPECT_NEAR(r.across.x, -2, 1e-12);
    EXPECT_NEAR(r.across.y, 2 * std::tan(15 * M_PI / 180), 1e-12);
    // Backwards: the text runs to the left of its point.
    EXPECT_NEAR(placed(runs[3]).along.x, -2, 1e-12);
    // %%u splits the line into runs; the underlined one says so; %%c is the diameter sign.
    EXPECT_EQ(runs[4].text, L"x");
    EXPECT_FALSE(runs[4].underline);
    EXPECT_EQ(runs[5].text, L"Under");
    EXPECT_TRUE(runs[5].underline);
    EXPECT_EQ(runs[6].text, L"\u2300");
    EXPECT_NEAR(placed(runs[5]).origin.x, adv(L"x"), 1e-9);
}

TEST_F(MText, WrapsWordsAndCjkToTheWidthWithLineSpacing) {
    auto db = ezdxfDrawing("mtext-wrap", R"PY(
msp.add_mtext('AAAA BBBB CCCC', dxfattribs={'insert': (0, 0), 'char_height': 1, 'width': 6.5})
msp.add_mtext('建筑设计说明书', dxfattribs={'insert': (0, -50), 'char_height': 2, 'width': 6.5,
              'line_spacing_factor': 2})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    const auto runs = sink.texts();
    // Two words fit into 6.5 only when AAAA + space + BBBB does.
    const double two = adv(L"AAAA") * 2 + adv(L" ");
    const size_t latinLines = two <= 6.5 ? 2 : 3;
    std::vector<double> baselines;
    for (const TextRun& t : runs)
        if (t.text.find(L'A') == 0 || t.text.find(L'B') == 0 || t.text.find(L'C') == 0) {
            const double y = placed(t).origin.y;
            if (baselines.empty() || std::fabs(baselines.back() - y) > 1e-9) baselines.push_back(y);
        }
    ASSERT_EQ(baselines.size(), latinLines);
    EXPECT_NEAR(baselines[0], -1, 1e-9);  // the first line's capitals touch the top
    EXPECT_NEAR(baselines[0] - baselines[1], 5.0 / 3, 1e-9);
    // CJK breaks between characters: three full-width characters of height 2 fit in 6.5.
    std::vector<double> cjk;
    for (const TextRun& t : runs)
        if (t.text[0] >= 0x2E80) cjk.push_back(placed(t).origin.y);
    ASSERT_EQ(cjk.size(), 7u);
    EXPECT_NEAR(cjk[0], -52, 1e-9);
    EXPECT_NEAR(cjk[2], -52, 1e-9);
    EXPECT_NEAR(cjk[3], -52 - 2 * 5.0 / 3 * 2, 1e-9);  // spacing factor 2
    EXPECT_NEAR(cjk[6], -52 - 2 * 2 * 5.0 / 3 * 2, 1e-9);
}

TEST_F(MText, AttachmentRotationStacksAndInlineColours) {
    auto db = ezdxfDrawing("mtext-place", R"PY(
m = msp.add_mtext('AB\\PCD', dxfattribs={'insert': (100, 100), 'char_height': 2, 'attachment_point': 5})
msp.add_mtext('X', dxfattribs={'insert': (0, 0), 'char_height': 2, 'rotation': 90, 'color': 3})
msp.add_mtext('{\\C1;R}G\\S1/2;', dxfattribs={'insert': (0, -100), 'char_height': 2, 'color': 3})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    // By pen, in the order the pens were met: AB, CD; X, G and the stack's 1 and 2; R.
    const auto runs = sink.texts();
    ASSERT_EQ(runs.size(), 7u);
    // Middle centre: the two-line block (height 2 + 2 * 5/3) centred on (100, 100).
    const double h = 2 + 2 * 5.0 / 3, wAB = adv(L"AB") * 2;
    EXPECT_NEAR(placed(runs[0]).origin.y, 100 + h / 2 - 2, 1e-9);
    EXPECT_NEAR(placed(runs[0]).origin.x, 100 - wAB / 2, 1e-9);
    EXPECT_NEAR(placed(runs[1]).origin.y, 100 - h / 2, 1e-9);
    // Rotated by 90 degrees: reads upwards, the first line left of the point.
    EXPECT_NEAR(placed(runs[2]).along.y, 2, 1e-12);
    EXPECT_NEAR(placed(runs[2]).origin.x, 2, 1e-9);
    // Inline colour for one group, the entity's colour after it; the stack's parts are 70 %.
    std::map<int, std::vector<std::wstring>> byColour;
    for (const auto& c : sink.calls)
        for (const TextRun& t : c.geometry.texts) byColour[c.pen.color.aci].push_back(t.text);
    EXPECT_EQ(byColour[1], std::vector<std::wstring>{L"R"});
    EXPECT_EQ(byColour[3], (std::vector<std::wstring>{L"X", L"G", L"1", L"2"}));
    ASSERT_EQ(runs[4].text, L"1");
    EXPECT_NEAR(placed(runs[4]).across.y, 1.4, 1e-12);
    EXPECT_GT(placed(runs[4]).origin.y, placed(runs[5]).origin.y);
    // The fraction's bar.
    EXPECT_EQ(sink.lines().size(), 1u);
}

TEST(Attributes, ShownAsReferencesShowThem) {
    auto db = ezdxfDrawing("attribs", R"PY(
b = doc.blocks.new('TB')
b.add_line((0, 0), (100, 0))
b.add_attdef('TAG', (0, 5), dxfattribs={'height': 2})
b.add_attdef('CONST', (0, 10), text='fixed', dxfattribs={'height': 2, 'flags': 2})
b.add_attdef('HID', (0, 15), dxfattribs={'height': 2, 'flags': 1})
r = msp.add_blockref('TB', (1000, 0))
r.add_auto_attribs({'TAG': 'shown', 'HID': 'hidden'})
msp.add_attdef('LOOSE', (0, 500), dxfattribs={'height': 2})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    std::vector<std::wstring> texts;
    for (const TextRun& t : sink.texts()) texts.push_back(t.text);
    std::sort(texts.begin(), texts.end());
    // The attribute's value, the constant definition's text, the loose definition's tag; not
    // the hidden attribute nor the definitions that became attributes.
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"LOOSE", L"fixed", L"shown"}));
}

}  // namespace
