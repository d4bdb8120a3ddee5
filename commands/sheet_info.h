// Title-block content entry: the command VXSI and the palette's "编写图框内容".
#pragma once

#include "acdb.h"
#include "frames/frame_attributes.h"
#include "frames/frame_select.h"

namespace vorlix {

// Writes the contents into every attribute of the listed frames whose tag is a key of
// `contents`; other attributes and objects that are not block references are left alone.
// With `echo` each written tag is printed on the command line. Returns the attributes written.
int writeContents(const FrameList& frames, const AttributeMap& contents, bool echo);

void runSheetInfoCommand();
// Runs outside any command and locks the current drawing itself.
void sheetInfoFromPalette();

}  // namespace vorlix
