// What a font id stands for once resolved: per-character advances and glyphs in text space
// (text height 1). The library lays a line out by summing these advances, and draws each glyph
// at the sum so far, so measuring and drawing cannot disagree.
#pragma once

#include <memory>
#include <string>

#include "render/fonts.h"
#include "render/shx_file.h"

namespace vx::render::font {

class OutlineFace;

class TextFont {
public:
    virtual ~TextFont() = default;
    virtual double advance(char32_t c) = 0;
    // Appends the glyph of `c` with its origin at (x, 0), flattened to `tolerance` text units.
    virtual void glyph(char32_t c, double x, double tolerance, GlyphGeometry& out) = 0;
    virtual double ascent() const = 0;
    virtual double descent() const = 0;
};

// An outline font: characters the primary face lacks come from `fallback` at the same em size,
// as the drawing backends do when they are given both families.
std::unique_ptr<TextFont> makeOutlineFont(OutlineFace& primary, OutlineFace* fallback, double emPerHeight);

// A shape font with its big font. Characters neither has come from outline faces: `cjk` for
// ideographs (scaled so an ideograph is one text height, as big font characters are), `latin`
// for the rest (scaled by its cap height); what no face has is measured by the approximation.
struct StrokeParts {
    std::shared_ptr<const ShxFile> main, big;  // either may be missing, not both
    std::string bigCodePage;                   // iconv name of the big font's double-byte codes
    OutlineFace* latin = nullptr;
    OutlineFace* cjk = nullptr;
};
std::unique_ptr<TextFont> makeStrokeFont(StrokeParts parts);

// The last resort when the machine has no font at all: the host's character-class widths
// (host/db text_metrics) and an empty box for each visible character.
std::unique_ptr<TextFont> makeApproximateFont();
double approximateAdvance(char32_t c);
void approximateGlyph(char32_t c, double x, GlyphGeometry& out);

// Characters with no ink and no advance (controls); a tab measures as a space.
inline bool isControl(char32_t c) { return c < 0x20 && c != U'\t'; }

}  // namespace vx::render::font
