// The font library used while no real one is registered: every request resolves to one
// substitute outline font measured by the host's approximate advance table (CJK full width),
// with the cap height as ascent and no descent, so boxes match what the database measured
// before fonts were read.
#include <string>

#include "db/text_metrics.h"
#include "render/font_registry.h"

namespace vx::render {

namespace {

class FallbackFonts final : public FontLibrary {
public:
    FallbackFonts() {
        m_info.kind = FontKind::Outline;
        m_info.family = "sans-serif";
        m_info.substituted = true;
    }
    FontId resolve(const FontRequest&) override { return 0; }
    const FontInfo& info(FontId) const override { return m_info; }
    double advance(FontId, std::wstring_view line) override { return vx::db::textAdvance(line, 1.0, 1.0); }
    double ascent(FontId) override { return 1.0; }
    double descent(FontId) override { return 0.0; }
    void glyphs(FontId, std::wstring_view, double, GlyphGeometry&) override {}

private:
    FontInfo m_info;
};

}  // namespace

FontLibrary& fallbackFontLibrary() {
    static FallbackFonts fonts;
    return fonts;
}

}  // namespace vx::render
