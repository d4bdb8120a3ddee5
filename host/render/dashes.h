// Linetype patterns applied to flattened paths, so that a dashed line reaches the sink as plain
// polylines of its pen (grouping by pen survives; backends never see dash patterns).
#pragma once

#include <cstdint>
#include <vector>

#include "render/primitives.h"
#include "render/tables.h"

namespace vx::render {

// A flattened path that takes a linetype. The pattern starts at its first point and again at
// each `restarts` index (the vertices of a polyline drawn without continuous linetype
// generation).
struct PatternedPath {
    Polyline path;
    std::vector<uint32_t> restarts;
};

// Dashes into out.lines, dots into out.dots. A pattern too fine for the path (more than a
// bounded number of repeats) draws the path continuous, as CAD hosts do.
void applyLinetype(const PatternedPath& p, const Linetype* linetype, double scale, Geometry& out);

}  // namespace vx::render
