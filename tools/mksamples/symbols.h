// The office's block library: columns, furniture and fittings (drawn in millimetres of the
// building, origin at their centre), and symbols drawn in paper millimetres x 100 (north
// arrow, level mark, tree), so that one reference fits every drawing scale.
#pragma once

#include "acdb.h"

namespace mksamples {

struct Symbols {
    AcDbObjectId column;                                  // KZ1: 400 x 400, solid fill
    AcDbObjectId doubleBed, singleBed, sofa, teaTable, tvCabinet, diningSet, desk;
    AcDbObjectId toilet, basin, shower, sink, stove;
    AcDbObjectId northArrow;                              // 24 mm circle, pointing up
    AcDbObjectId levelMark;                               // tip at the origin, attribute BG
    AcDbObjectId tree;                                    // 8 mm crown
};

// Texts in the symbols use `textStyle`.
bool buildSymbols(AcDbDatabase& db, AcDbObjectId textStyle, Symbols& out);

}  // namespace mksamples
