// Frames in reading order: rows from the top of the sheet down, left to right within a row.
// The rows are formed by the centre heights of the frames' extents, with a tolerance taken from
// the height of the first frame, so that frames drawn slightly out of line still share a row.
#pragma once

#include <cstddef>
#include <vector>

#include "frames/frame_select.h"

namespace vorlix {

// Where one object lies: the centre and the height of its extents.
struct FramePlace {
    double cx = 0, cy = 0, height = 0;
};

// Share of the first frame's height within which centres count as one row.
constexpr double kRowTolerance = 0.725;

// Indexes into `places` in reading order. The first place sets the row tolerance.
std::vector<std::size_t> readingOrder(const std::vector<FramePlace>& places);

// The ids in reading order, one sheet per space (model space, each layout) in the order the
// ids first reach it. An object that does not open is left out, and the tolerance comes from
// the first object of its space that opens. Objects that open but have no extents (an empty
// block) follow the ordered ones of their space in input order, so that none of them is lost.
FrameList inReadingOrder(const FrameList& ids);

}  // namespace vorlix
