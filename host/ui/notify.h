// What a control tells its parent when its state changes (WM_COMMAND notifications,
// WM_NOTIFY for list views and grids), and the state changes that go with them. Used by the
// MFC classes (program changes) and by dialog actions (user changes) alike.
#pragma once

#include <string>

#include "text/strings.h"
#include "ui/window.h"

namespace vx::ui {

// The text a control shows: a drop-down list shows its selected item.
std::wstring textOf(const Window& w);
// Sets the text; an edit tells its parent EN_CHANGE, an editable combo box CBN_EDITCHANGE when
// the user typed it; a drop-down list selects the item with that text instead.
void setText(Window& w, const std::wstring& text, bool byUser);

void sendCommand(Window& control, UINT code);
LRESULT sendNotify(Window& control, NMHDR& header);

// Changes the state bits of a list-view item under `mask`; the parent gets LVN_ITEMCHANGED
// when something changed. False for an item that does not exist.
bool setItemState(Window& list, int item, UINT state, UINT mask);

// Number parsing as the dialog framework does it: blanks around, an optional sign, digits
// (integers) or a C floating-point number (reals); nothing else.
bool parseInteger(const std::wstring& s, long long& v);
bool parseReal(const std::wstring& s, double& v);

// List boxes and combo boxes compare item texts by the host's one rule for names.
using vx::text::compareNoCase;
using vx::text::startsWithNoCase;

}  // namespace vx::ui
