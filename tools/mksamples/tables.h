// The office's drawing standard as table records: linetypes, layers with colour, linetype,
// lineweight and plot flag, dimension styles, and the header values that go with them.
#pragma once

#include <initializer_list>

#include "acdb.h"

namespace mksamples {

// A linetype of dashes (> 0), gaps (< 0) and dots (0) in paper millimetres; $LTSCALE scales
// them to the drawing.
AcDbObjectId addLinetype(AcDbDatabase& db, const wchar_t* name, const wchar_t* description,
                         std::initializer_list<double> pattern);

struct LayerSpec {
    const wchar_t* name;
    int color;
    const wchar_t* linetype;  // null: Continuous
    int lineWeight;           // hundredths of a millimetre
    bool plot;
};
AcDbObjectId addLayer(AcDbDatabase& db, const LayerSpec& spec);

struct DimStyleSpec {
    const wchar_t* name;
    double lengthFactor;  // DIMLFAC: drawing units to the millimetres the text states
};
// Architectural dimensions: oblique ticks, text above the line, sizes in paper millimetres
// scaled by 100 (DIMSCALE), text in `textStyle`.
AcDbObjectId addDimStyle(AcDbDatabase& db, const DimStyleSpec& spec, AcDbObjectId textStyle);

// Sets (or adds) a real header variable with group code 40.
void setHeaderReal(AcDbDatabase& db, const char* var, double value);
// Sets (or adds) an integer header variable with group code 70.
void setHeaderInt(AcDbDatabase& db, const char* var, int value);

}  // namespace mksamples
