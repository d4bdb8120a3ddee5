// Approximate text advance: a width per character class, full width for CJK. Fonts are not
// measured here: the font layer (render/fonts.h) measures real fonts and falls back to this
// only when no font resolves (a machine without font files); db extents use it until they
// come from the renderer.
#pragma once

#include <string>
#include <string_view>

namespace vx::db {

// Advance of one line of TEXT (with %%-codes) in drawing units.
double textAdvance(std::wstring_view text, double height, double widthFactor);
// MTEXT contents without formatting codes; paragraphs become "\n".
std::wstring mtextPlain(std::wstring_view contents);

}  // namespace vx::db
