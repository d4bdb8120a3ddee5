// Outline fonts: a primary face and the face missing characters fall back to, one em size.
// Advances are the design advances without kerning: CAD text is not kerned, and the drawing
// backends are asked to place glyphs the same way.
#include <algorithm>

#include "render/glyph_outline.h"
#include "render/outline_face.h"
#include "render/text_font.h"

namespace vx::render::font {

namespace {

class OutlineFont final : public TextFont {
public:
    OutlineFont(OutlineFace& primary, OutlineFace* fallback, double em)
        : m_primary(primary), m_fallback(fallback), m_em(em) {}

    double advance(char32_t c) override {
        if (isControl(c)) return 0;
        auto [face, glyph] = pick(c);
        return face->advance(glyph) * m_em;
    }

    void glyph(char32_t c, double x, double tolerance, GlyphGeometry& out) override {
        if (isControl(c) || c == U'\t') return;
        auto [face, glyph] = pick(c);
        placePolygons(*face->outline(glyph, tolerance / m_em), m_em, x, out.fills);
    }

    double ascent() const override {
        double a = m_primary.ascender();
        if (m_fallback) a = std::max(a, m_fallback->ascender());
        return a * m_em;
    }
    double descent() const override {
        double d = m_primary.descender();
        if (m_fallback) d = std::max(d, m_fallback->descender());
        return d * m_em;
    }

private:
    // The face that draws `c`: the primary when it has the character, else the fallback when it
    // has it, else the primary's "missing character" glyph. Both faces cache the answer, so
    // advance and glyph always pick the same.
    std::pair<OutlineFace*, uint32_t> pick(char32_t c) {
        if (c == U'\t') c = U' ';
        if (uint32_t g = m_primary.glyphFor(c)) return {&m_primary, g};
        if (m_fallback)
            if (uint32_t g = m_fallback->glyphFor(c)) return {m_fallback, g};
        return {&m_primary, 0};
    }

    OutlineFace& m_primary;
    OutlineFace* m_fallback;
    double m_em;
};

}  // namespace

std::unique_ptr<TextFont> makeOutlineFont(OutlineFace& primary, OutlineFace* fallback, double emPerHeight) {
    return std::make_unique<OutlineFont>(primary, fallback == &primary ? nullptr : fallback, emPerHeight);
}

}  // namespace vx::render::font
