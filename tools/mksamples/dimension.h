// Linear DIMENSION entities with the anonymous block that holds their picture, drawn the way
// Chinese offices dimension: extension lines, oblique ticks, the number above the line.
#pragma once

#include "acdb.h"

namespace mksamples {

struct DimensionLook {
    AcDbObjectId style;      // DIMSTYLE record
    AcDbObjectId textStyle;
    double lengthFactor;     // drawing units to the millimetres written
};

// A dimension from p1 to p2 (model coordinates) whose line runs at `at` (y when horizontal,
// x when vertical); its block is "*D<number>". Appended to model space on `layer`.
AcDbObjectId linearDimension(AcDbDatabase& db, int number, const AcGePoint3d& p1, const AcGePoint3d& p2,
                             double at, bool vertical, const DimensionLook& look, const wchar_t* layer);

}  // namespace mksamples
