// The resource-handle stack: dialogs take their templates from the instance on top of it.
// The document manager's pushResourceHandle/popResourceHandle forward here.
#pragma once

#include "win32.h"

namespace vx::ui {

void pushResourceHandle(HINSTANCE instance);
void popResourceHandle();
// The instance on top of the stack; the host's own instance (null) when the stack is empty.
HINSTANCE currentResourceHandle();
// Replaces the top of the stack (pushes when it is empty), as AfxSetResourceHandle does.
void replaceResourceHandle(HINSTANCE instance);
size_t resourceStackDepth();

}  // namespace vx::ui
