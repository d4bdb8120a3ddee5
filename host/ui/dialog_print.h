// A dialog as text, as the console shows it: the caption, then every visible control with its
// id, kind, caption and state, list rows with their check marks, grid cells.
#pragma once

#include <string>

#include "ui/window.h"

namespace vx::ui {
std::wstring printDialog(const Window& dialog);
}
