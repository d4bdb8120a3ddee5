// Text geometry for canvases without text of their own.
#include "plot/text_decoration.h"

#include <cmath>

namespace vx::plot {

using render::Vec2;

namespace {

// In text space (1 = text height): below the baseline and above the capitals.
constexpr double kUnderlineY = -0.2, kOverlineY = 1.2;

}  // namespace

void decorationLines(const render::PlacedText& text, std::vector<render::Polyline>& out) {
    if (text.advance <= 0) return;
    auto line = [&](double y) {
        render::Polyline l;
        l.points = {text.toPaper.map(Vec2{0, y}), text.toPaper.map(Vec2{text.advance, y})};
        out.push_back(std::move(l));
    };
    if (text.underline) line(kUnderlineY);
    if (text.overline) line(kOverlineY);
}

void textGeometryOnPaper(render::FontLibrary& fonts, const render::PlacedText& text, double toleranceMm,
                         std::vector<render::Polygon>& fills, std::vector<render::Polyline>& strokes) {
    const double scale = text.toPaper.scale();
    if (!(scale > 0) || !std::isfinite(scale)) return;
    render::GlyphGeometry glyphs;
    fonts.glyphs(text.font, text.text, toleranceMm / scale, glyphs);
    for (auto& polygon : glyphs.fills) {
        for (auto& ring : polygon.rings)
            for (auto& p : ring) p = text.toPaper.map(p);
        fills.push_back(std::move(polygon));
    }
    for (auto& stroke : glyphs.strokes) {
        for (auto& p : stroke.points) p = text.toPaper.map(p);
        strokes.push_back(std::move(stroke));
    }
    decorationLines(text, strokes);
}

}  // namespace vx::plot
