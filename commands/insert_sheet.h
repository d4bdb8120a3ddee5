// Inserting a frame from the office's template drawing: the command VXIS (any named block of
// the template drawing) and the palette's "插入图框" (a frame size of the template description).
#pragma once

namespace vorlix {

void runInsertSheetCommand();
// Runs outside any command: checks the settings, then locks the current drawing itself.
void insertSheetFromPalette();

}  // namespace vorlix
