// Outline glyph geometry: contours of lines, quadratic and cubic curves flattened to a chord
// tolerance, and the rings grouped so that even-odd filling of each group gives what the
// nonzero rule of the font gives for the whole glyph (overlapping strokes of CJK glyphs stay
// filled instead of cancelling out).
#pragma once

#include <cstdint>
#include <vector>

#include "render/primitives.h"

namespace vx::render::font {

struct PathCommand {
    enum Kind : uint8_t { Move, Line, Quad, Cubic } kind = Move;
    Vec2 p[3];  // Move/Line: p[0]; Quad: control p[0], end p[1]; Cubic: p[0], p[1], end p[2]
};
using GlyphPath = std::vector<PathCommand>;
using Ring = std::vector<Vec2>;

// Curves become at most this many segments, whatever the tolerance.
constexpr int kMaxCurveSegments = 256;

// The closed rings of a path, curves flattened so that no point is further than `tolerance`
// from the curve. Rings with fewer than three points are dropped.
std::vector<Ring> flattenPath(const GlyphPath& path, double tolerance);

// Groups rings into polygons: each ring turning the way the glyph's largest ring turns is an
// outline and takes the opposite rings that lie inside it as its holes.
std::vector<Polygon> groupRings(std::vector<Ring> rings);

// Appends polygons given in em units to `out`, scaled by `em` and moved to (x, 0).
void placePolygons(const std::vector<Polygon>& polygons, double em, double x, std::vector<Polygon>& out);

double signedArea(const Ring& ring);
bool contains(const Ring& ring, Vec2 p);

}  // namespace vx::render::font
