// The ACI colour palette: index 1-255 to RGB.
#pragma once

#include <cstdint>

#include "render/primitives.h"

namespace vx::render {

// The colour of an ACI index; anything outside 1-255 (ByBlock, ByLayer, damaged values) is ACI 7.
Color aciColor(int aci);
// A true colour (group 420: 0x00RRGGBB); `aci` 0 says it did not come from the palette.
Color trueColor(uint32_t rgb);

}  // namespace vx::render
