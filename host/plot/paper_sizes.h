// ISO 216 sheets by name, and the sheet a frame fits best.
#pragma once

#include <string>

#include "plot/page_layout.h"

namespace vx::plot {

struct IsoSheet {
    const char* name;               // "A0" ... "A4"
    double shortMm, longMm;
};

// The sheet of that name (case-insensitive, "a1" too); null for any other.
const IsoSheet* isoSheet(const std::string& name);

// A sheet turned as asked: landscape (wider than high) or portrait.
Paper isoPaper(const IsoSheet& sheet, bool landscape);

// The sheet a frame of `width` x `height` drawing units fits best, turned like the frame (a
// square frame is portrait). Drawings are made at a scale of a power of ten to the paper (the
// office's paper millimetres x 100), so the sheet whose size matches the frame at such a scale
// wins; otherwise the sheet whose shape is closest. Null for a frame without size.
const IsoSheet* bestIsoSheet(double width, double height);

}  // namespace vx::plot
