// The host's main window: parent of dialogs and of palette sets (docked at its dock bars).
#pragma once

class CMDIFrameWnd;

namespace vx::ui {
CMDIFrameWnd* mainFrame();
}
