// The shape language of shape fonts: direction-and-length vectors and the special codes 0-14
// (pen up/down, scale, location stack, sub-shapes, displacements, octant, fractional and bulge
// arcs, vertical-only commands). Execution is bounded in every direction a hostile file could
// push it: sub-shape depth, stack size, commands run and points made.
#pragma once

#include <cstdint>
#include <vector>

#include "render/primitives.h"
#include "render/shx_file.h"

namespace vx::render::font {

constexpr int kMaxShapeDepth = 10;         // nested sub-shapes
constexpr size_t kMaxShapeStack = 16;      // pushed locations (fonts use at most 4)
constexpr size_t kMaxShapeCommands = 100000;
constexpr size_t kMaxShapePoints = 100000;

struct ShapeOutput {
    std::vector<Polyline> strokes;  // in the font's units, from the character's origin
    Vec2 end;                       // where the pen stopped: x is the advance
    bool truncated = false;         // a limit was reached; what was drawn before it is kept
};

// Draws shape `code` of `font` from the origin, arcs flattened to `tolerance` font units.
// Horizontal text: commands flagged vertical-only (code 14) are skipped.
ShapeOutput drawShape(const ShxFile& font, uint32_t code, double tolerance);

}  // namespace vx::render::font
