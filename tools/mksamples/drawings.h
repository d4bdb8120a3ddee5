// The sample drawings. Model units are millimetres on paper times 100: the office draws in
// millimetres at 1:100, so an A1 sheet (841 x 594 mm) is a frame of 84100 x 59400 units.
#pragma once

#include "acdb.h"

namespace mksamples {

constexpr double kUnits = 100.0;
constexpr const wchar_t* kOrganisation = L"CODE";

// The office's template drawing: one block per frame size and the catalogue sheet, each
// inserted once.
bool buildTemplate(AcDbDatabase& db);
// The project drawing: an architectural set on frames of several sizes on "C-TK", title blocks
// filled; the frames come out of `templ` the way the module's insert takes them.
bool buildProject(AcDbDatabase& db, AcDbDatabase& templ);

}  // namespace mksamples
