// Which entities of a space a window may meet, from the drawing's spatial index: selection asks
// this instead of measuring every entity of the space.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "dbid.h"
#include "render/geometry.h"
#include "render/scene.h"

namespace vx::render {

// Positions in the space's entity list (ascending, so in drawing order) of the live entities
// whose boxes meet `window` (edges included), and of those every window meets (XLINE, RAY,
// entities that cannot be placed). A superset of the entities whose exact extents meet the
// window, so an exact test over the answer gives what a test over the whole space gives. The
// index is kept with the drawing and follows its edits; empty for a null or foreign space.
std::vector<uint32_t> spaceCandidates(AcDbObjectId space, const Box2& window);

// A scene that draws through that same index: a view made with it and the selection share one
// scene per drawing (one build, one copy in memory; the first pick after the view was drawn finds
// the index there). It looks the drawing's scene up at each call, so it survives the store
// dropping its index.
std::unique_ptr<Scene> makeSharedScene(AcDbDatabase& db);

// Builds that index for `space` now: a host reading a drawing on a worker thread does it there,
// before it hands the drawing over, so that the first picture does not wait for it. `progress`
// hears (done, total) entities; answering false stops the build (false returned, nothing kept).
bool prepareSpaceIndex(AcDbObjectId space, const std::function<bool(uint64_t, uint64_t)>& progress);

}  // namespace vx::render
