// Extents of single-line text (TEXT, ATTDEF, ATTRIB) from its own anchor.
#pragma once

#include "dbents.h"

namespace vx::db {

// The text's box: advance from the approximate table (CJK full width) times height and width
// factor, placed by the alignment (the alignment point anchors every mode but left/baseline,
// so a stale insertion point written by another program does not move the box), turned by the
// rotation in the text's plane, mirrored when the text is.
Acad::ErrorStatus textBoxExtents(const AcDbEntity* e, AcDbExtents& x);

}  // namespace vx::db
