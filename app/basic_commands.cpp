// The commands whose bodies belong to the application itself.
#include "app/commands.h"
#include "app/palette.h"

namespace vorlix {

// Kept in the table for the offices' old scripts; it does nothing on purpose.
void cmdTest() {}

// Only the visibility changes: the palette set lives from load to unload.
void cmdHide() { hidePaletteSet(); }
void cmdShow() { showPaletteSet(); }

}  // namespace vorlix
