// User actions on an open dialog, as every backend feeds them: each changes the core's state
// the way the user's gesture would and sends the notifications Windows sends. Each returns an
// empty text on success, or why the action cannot be done (the dialog stays as it was).
#pragma once

#include <string>

#include "ui/window.h"

namespace vx::ui::actions {

// The control with this id, or the first visible one whose caption matches (ignoring '&').
Window* findControl(Window& dialog, int id);
Window* findControlByCaption(Window& dialog, const std::wstring& caption);
// Why the user cannot reach the control now (hidden, disabled), or empty.
std::wstring unusable(const Window& control);

// Why typing `text` into the control would be refused (hidden, read-only, too long, not a
// text control), or empty.
std::wstring cannotType(const Window& control, const std::wstring& text);
// The index of an item chosen by text (exact, then without regard to case) or by index
// (index >= 0); -1 with the reason when there is none.
int itemIndex(const Window& control, const std::wstring& item, int index, std::wstring& why);

std::wstring click(Window& control);
std::wstring setText(Window& control, const std::wstring& text);
std::wstring check(Window& control, bool on);
// An item by its text (exact, then without regard to case) or by index (index >= 0).
std::wstring choose(Window& control, const std::wstring& item, int index);
std::wstring tick(Window& control, int row, bool on);
std::wstring editCell(Window& control, int row, int col, const std::wstring& text);
std::wstring selectRow(Window& control, int row);
// Enter (the default button), Escape (Cancel) and the close box.
std::wstring pressEnter(Window& dialog);
void pressEscape(Window& dialog);
void closeBox(Window& dialog);

}  // namespace vx::ui::actions
