// PALETTE ["caption"|ID]: lists the open palettes, or presses one of their buttons. False
// (with a message, counted as an unusable line) when no usable button matches.
#pragma once

#include <string>

namespace vx::ui {
bool paletteCommand(const std::wstring& args);
}
