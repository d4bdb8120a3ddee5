// Fonts for drawing and measuring text. A text style (or an MTEXT font switch) names a font file
// and maybe a big font and a TrueType family; the library resolves that once to a font it can
// use: an outline font installed on the system (through an office-extensible substitution table
// for the Windows names) or an SHX shape font read from the host's fonts folder. Measuring and
// drawing use the same font, so a text's extents and its plotted glyphs agree.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/primitives.h"

namespace vx::render {

using FontId = uint32_t;

// What a text style asks for.
struct FontRequest {
    std::wstring fontFile;     // STYLE code 3 or MTEXT \F: "txt", "simplex.shx", "simsun.ttc" ...
    std::wstring bigFontFile;  // STYLE code 4: "hztxt.shx", "gbcbig.shx" ...; empty for none
    std::wstring family;       // the TrueType family of the style's XDATA or MTEXT \f: "宋体", "SimHei"
    bool bold = false, italic = false;
};

enum class FontKind { Outline, Stroke };

struct FontInfo {
    FontKind kind = FontKind::Outline;
    std::string file;          // the font file actually used (outline fonts: for the backends)
    int faceIndex = 0;         // face inside a collection (.ttc)
    std::string family;        // family name inside the file
    std::string style;         // the face's style in its family ("Bold", "Condensed"): QFont::setStyleName
    // Em size (outline fonts) that gives a text of height 1: CAD text height is the height of
    // capital letters, not the em.
    double emPerHeight = 1.0;
    bool substituted = false;  // the request could not be met as named
    // Outline fonts: characters `file` lacks come from this face at the same em size (empty
    // when there is none). Backends list it after `family` (QFont::setFamilies) so that what
    // they draw is what advance() measured.
    std::string fallbackFile;
    int fallbackFaceIndex = 0;
    std::string fallbackFamily;
    std::string fallbackStyle;
};

// Geometry of text in text space (see TextRun): strokes for shape fonts, outlines for the rest.
struct GlyphGeometry {
    std::vector<Polyline> strokes;
    std::vector<Polygon> fills;
};

class FontLibrary {
public:
    virtual ~FontLibrary() = default;
    // Always gives a usable font: a substitute when the request cannot be met.
    virtual FontId resolve(const FontRequest& request) = 0;
    virtual const FontInfo& info(FontId id) const = 0;
    // Advance of one line (text height 1, width factor 1); the same numbers the glyphs use.
    virtual double advance(FontId id, std::wstring_view line) = 0;
    // Height above the baseline and depth below it of the font's tallest glyphs (text height 1).
    virtual double ascent(FontId id) = 0;
    virtual double descent(FontId id) = 0;
    // Glyphs of one line laid out from the origin; curves flattened to `tolerance` text units.
    virtual void glyphs(FontId id, std::wstring_view line, double tolerance, GlyphGeometry& out) = 0;
};

// The process's font library (thread-safe). Its table and folders come from the host profile.
FontLibrary& fontLibrary();

}  // namespace vx::render
