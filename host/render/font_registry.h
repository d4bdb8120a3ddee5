// Which font library `fontLibrary()` hands out: the host profile's (font_library.h) unless
// another is registered (tests, or a host that configures its own folders).
#pragma once

#include <cstdint>

#include "render/fonts.h"

namespace vx::render {

// The library is not owned and must outlive its registration; null goes back to the profile's.
void registerFontLibrary(FontLibrary* library);
// Moves with every registration: font ids kept from before belong to another library.
uint64_t fontLibraryGeneration();

}  // namespace vx::render
