// The elevations and the section of 1#住宅楼 at 1:100, each sheet laid out inside its frame.
#pragma once

#include "sheet.h"
#include "symbols.h"

namespace mksamples {

// 南立面图 over 北立面图.
void southNorthElevations(Drawing& d, const Symbols& sym, const Frame& f);
// 东立面图, 西立面图 and 1-1剖面图 side by side.
void sideElevationsAndSection(Drawing& d, const Symbols& sym, const Frame& f);

}  // namespace mksamples
