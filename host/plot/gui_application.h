// QtGui (fonts, painters, images) needs a QGuiApplication. Console programs have none: this makes
// one on the offscreen platform, so no display is needed. The desktop host makes its own first.
#pragma once

#include <string>

namespace vx::plot {

// True when a QGuiApplication exists or was made now; call it on the main thread. False with a
// reason when a non-GUI Qt application already runs or the platform cannot start.
bool ensureGuiApplication(std::string& error);

}  // namespace vx::plot
