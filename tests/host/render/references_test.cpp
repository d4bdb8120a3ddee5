// Stroke fonts through a registered font library, dimensions through their blocks, image frames,
// view-dependent geometry inside blocks, viewports turned and with layers frozen in them.
#include <gtest/gtest.h>

#include <cmath>

#include "recording_sink.h"
#include "render/font_registry.h"

namespace {

using namespace vxtest;

// A font library whose ".shx" fonts are stroke fonts: every character a vertical stroke of
// height 1 at its place, 0.5 apart.
class StrokeFonts final : public vx::render::FontLibrary {
public:
    vx::render::FontId resolve(const vx::render::FontRequest& r) override {
        return r.fontFile.find(L".shx") != std::wstring::npos ? 1 : 0;
    }
    const vx::render::FontInfo& info(vx::render::FontId id) const override { return id == 1 ? m_stroke : m_outline; }
    double advance(vx::render::FontId, std::wstring_view line) override { return 0.5 * static_cast<double>(line.size()); }
    double ascent(vx::render::FontId) override { return 1; }
    double descent(vx::render::FontId) override { return 0.25; }
    void glyphs(vx::render::FontId, std::wstring_view line, double, vx::render::GlyphGeometry& out) override {
        for (size_t i = 0; i < line.size(); ++i)
            out.strokes.push_back(Polyline{{Vec2{0.5 * static_cast<double>(i), 0}, Vec2{0.5 * static_cast<double>(i), 1}}, false});
    }

private:
    static vx::render::FontInfo strokeInfo() {
        vx::render::FontInfo i;
        i.kind = vx::render::FontKind::Stroke;
        i.file = "test.shx";
        return i;
    }
    vx::render::FontInfo m_outline, m_stroke = strokeInfo();
};

struct Registered {
    explicit Registered(vx::render::FontLibrary* lib) { vx::render::registerFontLibrary(lib); }
    ~Registered() { vx::render::registerFontLibrary(nullptr); }
};

TEST(Fonts, StrokeFontsBecomeStrokesAndMeasureByTheirAdvances) {
    StrokeFonts fonts;
    Registered use(&fonts);
    auto db = ezdxfDrawing("stroke-font", R"PY(
doc.styles.new('SHX', dxfattribs={'font': 'simplex.shx'})
msp.add_text('ABC', height=2, dxfattribs={'style': 'SHX', 'insert': (10, 20), 'color': 1})
msp.add_text('%%uAB', height=2, dxfattribs={'insert': (10, 40), 'color': 2})
msp.add_text('%%uAB', height=2, dxfattribs={'style': 'SHX', 'insert': (10, 60), 'color': 3})
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    drawModel(*db, sink);
    // Three strokes of height 2, half a text unit (1) apart.
    const auto strokes = sink.linesWithAci(1);
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_NEAR(strokes[2].points[0].x, 12, 1e-12);
    EXPECT_NEAR(strokes[2].points[1].y, 22, 1e-12);
    // The outline-font text stays a run with its underline flag; the stroke font draws its
    // underline under the glyphs.
    ASSERT_EQ(sink.texts().size(), 1u);
    EXPECT_TRUE(sink.texts()[0].underline);
    EXPECT_EQ(sink.linesWithAci(3).size(), 3u);
    // Measured with the same advances: 3 characters x 0.5 x height 2, down to the descent.
    auto scene = vx::render::makeScene(*db);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    const AcDbObjectId first = ms->entities()[0]->objectId();
    ms->close();
    const Box2 b = scene->entityExtents(first);
    EXPECT_NEAR(b.x1, 13, 1e-12);
    EXPECT_NEAR(b.y0, 19.5, 1e-12);
    AcDbExtents ext;
    ASSERT_EQ(static_cast<AcDbEntity*>(first.object())->getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.maxPoint().x, 13, 1e-12);
}

TEST(References, DimensionsDrawTheirBlockInTheirColour) {
    auto db = ezdxfDrawing("dimension", R"PY(
dim = msp.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(100, 0), dxfattribs={'color': 5})
dim.render()
)PY");
    ASSERT_TRUE(db);
    RecordingSink sink;
    const auto stats = drawModel(*db, sink);
    EXPECT_EQ(stats.skipped, 0u);
    // Dimension lines, extension lines, arrows and the measurement, all ByBlock: colour 5.
    ASSERT_FALSE(sink.lines().empty());
    ASSERT_EQ(sink.texts().size(), 1u);
    EXPECT_EQ(sink.texts()[0].text, L"100");
    for (const Pen& p : sink.pens()) EXPECT_EQ(p.color.aci, 5);
    const Box2 box = sink.box();
    EXPECT_NEAR(box.x0, 0, 1e-6);
    EXPECT_NEAR(box.x1, 100, 1e-6);
}

TEST(References, ImageFramesAndViewDependentGeometryInBlocks) {
    std::string printed;
    auto db = ezdxfDrawing("image", R"PY(
doc.header['$PDMODE'] = 3
doc.header['$PDSIZE'] = -10
img_def = doc.add_image_def('plan.png', (640, 480))
img = msp.add_image(img_def, (5, 5), (64, 48), rotation=30, dxfattribs={'color': 1})
out(1, img.boundary_path_wcs())
b = doc.blocks.new('MARKS')
b.add_point((0, 0), dxfattribs={'color': 2})
b.add_xline((0, 0), (0, 1), dxfattribs={'color': 3})
msp.add_blockref('MARKS', (200, 100), dxfattribs={'xscale': 2, 'yscale': 2})
)PY", "R2018", &printed);
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    RecordingSink sink;
    vx::render::DrawOptions o;
    o.view = Box2{0, 0, 300, 200};
    vx::render::DrawStats stats;
    scene->draw(db->modelSpaceId(), o.view, o, sink, stats);
    // The frame where ezdxf puts the picture's corners.
    const auto frame = sink.linesWithAci(1);
    ASSERT_EQ(frame.size(), 1u);
    const auto theirs = parsePolylines(printed);
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_LT(farthestFrom({theirs[0].second}, frame), 1e-9);
    EXPECT_LT(farthestFrom(frame, {theirs[0].second}), 1e-9);
    // The point's cross is 10 % of the view's height (in world units, whatever the block's
    // scale), the construction line runs through the view.
    const auto cross = sink.linesWithAci(2);
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_NEAR(pathLength(cross[0]), 20 * std::sqrt(2.0), 1e-9);
    const auto xline = sink.linesWithAci(3);
    ASSERT_EQ(xline.size(), 1u);
    EXPECT_NEAR(xline[0].points[0].x, 200, 1e-9);
    EXPECT_NEAR(std::fabs(xline[0].points[1].y - xline[0].points[0].y), 200, 1e-9);
}

TEST(References, ViewportsTurnedWithLayersFrozenInThem) {
    auto db = ezdxfDrawing("viewport-twist", R"PY(
doc.layers.add('HIDDEN')
msp.add_line((0, 0), (10, 0), dxfattribs={'color': 1})
msp.add_line((0, 0), (0, 10), dxfattribs={'color': 2, 'layer': 'HIDDEN'})
psp = doc.layout('Layout1')
main = psp.add_viewport(center=(500, 500), size=(1000, 1000), view_center_point=(0, 0), view_height=10)
main.dxf.id = 1
vp = psp.add_viewport(center=(100, 100), size=(100, 100), view_center_point=(0, 0), view_height=50)
vp.dxf.view_twist_angle = 90
vp.frozen_layers = ['HIDDEN']
)PY");
    ASSERT_TRUE(db);
    auto scene = vx::render::makeScene(*db);
    RecordingSink sink;
    vx::render::DrawOptions o;
    o.view = Box2{-1000, -1000, 2000, 2000};
    vx::render::DrawStats stats;
    scene->draw(db->paperSpaceId(), o.view, o, sink, stats);
    // Only the second viewport shows model space: scale 2, turned a quarter counter-clockwise,
    // so the x axis line points up from the viewport's centre; the frozen layer is left out.
    const auto lines = sink.linesWithAci(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].points[0].x, 100, 1e-9);
    EXPECT_NEAR(lines[0].points[0].y, 100, 1e-9);
    EXPECT_NEAR(lines[0].points[1].x, 100, 1e-9);
    EXPECT_NEAR(lines[0].points[1].y, 120, 1e-9);
    EXPECT_TRUE(sink.linesWithAci(2).empty());
}

}  // namespace
