// Fonts of known metrics for tests of text layout and extents, whatever fonts the machine has:
// every request is one outline font with the host's approximate advances (CJK full width),
// ascent 1 and no descent. A fixture registers it for its tests.
#pragma once

#include <gtest/gtest.h>

#include "db/text_metrics.h"
#include "render/font_registry.h"
#include "render/fonts.h"

namespace vxtest {

class TableFonts final : public vx::render::FontLibrary {
public:
    vx::render::FontId resolve(const vx::render::FontRequest&) override { return 0; }
    const vx::render::FontInfo& info(vx::render::FontId) const override { return m_info; }
    double advance(vx::render::FontId, std::wstring_view line) override { return vx::db::textAdvance(line, 1.0, 1.0); }
    double ascent(vx::render::FontId) override { return 1.0; }
    double descent(vx::render::FontId) override { return 0.0; }
    void glyphs(vx::render::FontId, std::wstring_view, double, vx::render::GlyphGeometry&) override {}

private:
    vx::render::FontInfo m_info;
};

class WithTableFonts : public ::testing::Test {
protected:
    void SetUp() override { vx::render::registerFontLibrary(&m_fonts); }
    void TearDown() override { vx::render::registerFontLibrary(nullptr); }

private:
    TableFonts m_fonts;
};

}  // namespace vxtest
