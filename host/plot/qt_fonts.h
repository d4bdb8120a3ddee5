// Fonts of the font library as Qt fonts: each font file is loaded into Qt's application font
// database once per process, so a PDF embeds exactly the face the text was measured with.
#pragma once

#include <QFont>
#include <unordered_map>

#include "render/fonts.h"

namespace vx::plot {

// The pixel size QFonts are made at; a text's transform scales it to the text height.
constexpr int kQtFontPixelSize = 100;

struct QtFont {
    QFont font;
    double emPerHeight = 1;  // from the font library: em size of a text 1 unit high
};

// The Qt fonts of one font library, made on first use (main thread only, like every QtGui call).
class QtFontCache {
public:
    explicit QtFontCache(render::FontLibrary& fonts) : m_fonts(fonts) {}
    const QtFont& get(render::FontId id);

private:
    render::FontLibrary& m_fonts;
    std::unordered_map<render::FontId, QtFont> m_cache;
};

}  // namespace vx::plot
