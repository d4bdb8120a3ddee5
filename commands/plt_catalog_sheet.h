// One catalogue sheet in the drawing: the table block taken from the template drawing and
// placed with the frame placement drag, then filled with single-line texts.
#pragma once

#include <string>
#include <vector>

#include "acdb.h"
#include "commands/plt_catalog.h"

namespace vorlix {

enum class SheetPlacement {
    Placed,
    NoTableBlock,  // the drawing cannot be read, or lacks the block or a reference of it
    NoReference,   // the insertion left no block reference last in the drawing
    Cancelled,     // the drag ended without a point: the table block is gone again
};

// Inserts the block's references from the template drawing into the working drawing, drags the
// last one from the origin and, when placed, puts it and its attributes on `layer`. `placedAt`
// is its insertion point then.
SheetPlacement placeTableBlock(const std::wstring& templateDrawing, const std::wstring& blockName,
                               AcDbObjectId layer, AcGePoint3d& placedAt);

// Each text as a middle-justified single-line text of that height and style (none when the
// style is null), appended to model space.
void writeSheetTexts(const std::vector<PlacedText>& texts, double height, AcDbObjectId style);

}  // namespace vorlix
