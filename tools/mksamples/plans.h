// The floor plans of 1#住宅楼 at 1:100: local (0, 0) is axis 1 / axis A; a plan with its
// dimensions, axes and title needs about 63 x 26 m of model space around it.
#pragma once

#include "sheet.h"
#include "symbols.h"

namespace mksamples {

void groundFloorPlan(const Sheet& s, const Symbols& sym);
void typicalFloorPlan(const Sheet& s, const Symbols& sym);
void roofPlan(const Sheet& s, const Symbols& sym);

enum class StairFloor { Ground, Typical, Top };
// The flights of the stair of the unit that starts at dx, as seen on that floor.
void stair(const Sheet& s, double dx, StairFloor floor);

// Walls, openings, stair, columns and fittings of one floor (also the enlarged plans use it).
void floorBody(const Sheet& s, const Symbols& sym, bool ground, bool furniture);

}  // namespace mksamples
