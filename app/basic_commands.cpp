// The commands whose bodies belong to the application itself.
#include "app/commands.h"

namespace vorlix {

// Kept in the table for the offices' old scripts; it does nothing on purpose.
void cmdTest() {}

// The palette set is created by the palette part of the module; until it exists there is no
// window to hide or show and no docked bar whose space the main frame would lay out again.
void cmdHide() {}
void cmdShow() {}

}  // namespace vorlix
