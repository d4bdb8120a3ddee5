// The font of a machine without fonts: widths from the host's text approximation, and boxes
// where the characters would be, so a plot still shows where text stands and how long it is.
#include <string>

#include "db/text_metrics.h"
#include "render/text_font.h"

namespace vx::render::font {

double approximateAdvance(char32_t c) {
    if (isControl(c)) return 0;
    if (c == U'\t') c = U' ';
    wchar_t w = static_cast<wchar_t>(c);
    return db::textAdvance(std::wstring_view(&w, 1), 1, 1);
}

void approximateGlyph(char32_t c, double x, GlyphGeometry& out) {
    if (isControl(c) || c == U' ' || c == U'\t' || c == 0x3000) return;
    double a = approximateAdvance(c), left = x + 0.1 * a, right = x + 0.9 * a;
    Polyline box;
    box.points = {{left, 0}, {right, 0}, {right, 1}, {left, 1}};
    box.closed = true;
    out.strokes.push_back(std::move(box));
}

namespace {

class ApproximateFont final : public TextFont {
public:
    double advance(char32_t c) override { return approximateAdvance(c); }
    void glyph(char32_t c, double x, double, GlyphGeometry& out) override { approximateGlyph(c, x, out); }
    double ascent() const override { return 1; }
    double descent() const override { return 0; }
};

}  // namespace

std::unique_ptr<TextFont> makeApproximateFont() { return std::make_unique<ApproximateFont>(); }

}  // namespace vx::render::font
