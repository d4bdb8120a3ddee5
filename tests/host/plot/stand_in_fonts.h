// A font library for the plot tests until the real one is at hand: every request resolves to
// WenQuanYi Micro Hei (installed with fonts-wqy-microhei), advances are 1 per CJK character and
// 0.6 otherwise, and each character's glyph is a square ring (an outline with a hole), enough to
// see text as geometry in HPGL/2 and XPS output.
#pragma once

#include <string_view>

#include "render/fonts.h"

namespace vx::plot::test {

constexpr const char* kCjkFontFile = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

class StandInFonts : public render::FontLibrary {
public:
    StandInFonts() {
        m_info.file = kCjkFontFile;
        m_info.family = "WenQuanYi Micro Hei";
        m_info.emPerHeight = 1.4;
    }
    render::FontId resolve(const render::FontRequest&) override { return 1; }
    const render::FontInfo& info(render::FontId) const override { return m_info; }
    double advance(render::FontId, std::wstring_view line) override {
        double a = 0;
        for (wchar_t c : line) a += width(c);
        return a;
    }
    double ascent(render::FontId) override { return 1.0; }
    double descent(render::FontId) override { return 0.25; }
    void glyphs(render::FontId, std::wstring_view line, double, render::GlyphGeometry& out) override {
        double x = 0;
        for (wchar_t c : line) {
            const double w = width(c);
            render::Polygon box;
            box.rings.push_back({{x + 0.05, 0}, {x + w - 0.05, 0}, {x + w - 0.05, 1}, {x + 0.05, 1}});
            box.rings.push_back({{x + 0.25, 0.2}, {x + w - 0.25, 0.2}, {x + w - 0.25, 0.8}, {x + 0.25, 0.8}});
            out.fills.push_back(std::move(box));
            x += w;
        }
        ++glyphCalls;
    }
    int glyphCalls = 0;

private:
    static double width(wchar_t c) { return c >= 0x2E80 ? 1.0 : 0.6; }
    render::FontInfo m_info;
};

}  // namespace vx::plot::test
