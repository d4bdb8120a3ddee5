// Clipping of paper geometry to a box, so that what reaches a canvas stays within sane
// coordinates (a line from a far-away point would otherwise overflow raster and plotter number
// ranges) and files carry no geometry that cannot be seen.
#pragma once

#include <vector>

#include "render/geometry.h"
#include "render/primitives.h"

namespace vx::plot {

// Appends the pieces of `line` inside `box` to `out` (a closed line cut by the box becomes open
// pieces).
void clipPolyline(const render::Polyline& line, const render::Box2& box, std::vector<render::Polyline>& out);

// Clips each ring of `polygon` to `box` (even-odd filling inside the box is kept). False when
// nothing of it is left.
bool clipPolygon(render::Polygon& polygon, const render::Box2& box);

}  // namespace vx::plot
