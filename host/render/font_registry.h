// Which font library `fontLibrary()` hands out. The full library (TrueType and SHX fonts)
// registers itself here; until one does, the fallback measures text with the approximate
// advance table and draws every text as an outline-font run.
#pragma once

#include "render/fonts.h"

namespace vx::render {

// The library is not owned and must outlive its registration; null goes back to the fallback.
void registerFontLibrary(FontLibrary* library);
FontLibrary& fallbackFontLibrary();

}  // namespace vx::render
