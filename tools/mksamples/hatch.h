// HATCH entities with polyline boundary loops: solid fills (loops inside loops are islands,
// by the normal odd-parity style) and the ANSI31 pattern of 45-degree lines.
#pragma once

#include <vector>

#include "acdb.h"

namespace mksamples {

using Loop = std::vector<AcGePoint2d>;

// The first loop is the outer boundary; the entity is new and not in a database.
AcDbHatch* solidHatch(const std::vector<Loop>& loops);
// Lines at 45 degrees, `spacing` drawing units apart.
AcDbHatch* ansi31Hatch(const std::vector<Loop>& loops, double spacing);

}  // namespace mksamples
