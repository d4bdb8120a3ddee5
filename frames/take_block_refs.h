// Taking the references of one block out of a drawing file, the way frames and the catalogue
// sheet come out of the template drawing.
#pragma once

#include "acdb.h"

namespace vorlix {

// A new database (owned by the caller, who deletes it) holding copies of the direct references
// of `blockName` in the drawing at `drawingPath`, at their positions, with their attributes and
// everything they need (block definition, layers, styles). Null when the drawing cannot be read,
// has no such block, the block is never inserted there, or the copy fails.
AcDbDatabase* takeBlockReferences(const ACHAR* drawingPath, const ACHAR* blockName);

}  // namespace vorlix
