// Which entities of a space a window may meet, from the drawing's spatial index: selection asks
// this instead of measuring every entity of the space.
#pragma once

#include <cstdint>
#include <vector>

#include "dbid.h"
#include "render/geometry.h"

namespace vx::render {

// Positions in the space's entity list (ascending, so in drawing order) of the live entities
// whose boxes meet `window` (edges included), and of those every window meets (XLINE, RAY,
// entities that cannot be placed). A superset of the entities whose exact extents meet the
// window, so an exact test over the answer gives what a test over the whole space gives. The
// index is kept with the drawing and follows its edits; empty for a null or foreign space.
std::vector<uint32_t> spaceCandidates(AcDbObjectId space, const Box2& window);

}  // namespace vx::render
