#include "ui/dialog_actions.h"

#include "gridctrl.h"
#include "ui/notify.h"

namespace vx::ui::actions {
namespace {
constexpr UINT kUnchecked = 1u << 12, kChecked = 2u << 12;

std::wstring withoutMnemonic(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&' && i + 1 < s.size()) {
            out += s[++i];
            continue;
        }
        out += s[i];
    }
    return out;
}

std::wstring name(const Window& w) { return L"control " + std::to_wstring(w.id); }

CWnd* wrapper(Window& w) { return CWnd::FromHandle(handleOf(&w)); }

bool preTranslated(Window& dialog, WPARAM key) {
    CWnd* d = wrapper(dialog);
    MSG m{handleOf(&dialog), WM_KEYDOWN, key, 0};
    return d && d->PreTranslateMessage(&m);
}

void command(Window& dialog, int id) {
    if (CWnd* d = wrapper(dialog))
        d->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(BN_CLICKED)), 0);
}
}  // namespace

Window* findControl(Window& dialog, int id) {
    for (auto& c : dialog.children)
        if (c->id == id && id != -1) return c.get();
    return nullptr;
}

Window* findControlByCaption(Window& dialog, const std::wstring& caption) {
    Window* hidden = nullptr;
    for (auto& c : dialog.children) {
        if (withoutMnemonic(c->text) != withoutMnemonic(caption) && c->text != caption) continue;
        if (c->visible) return c.get();
        if (!hidden) hidden = c.get();
    }
    return hidden;
}

std::wstring unusable(const Window& c) {
    if (!c.visible) return name(c) + L" is hidden";
    if (!c.enabled) return name(c) + L" is disabled";
    if (!c.isControlUsable()) return name(c) + L" cannot be used now";
    return L"";
}

std::wstring click(Window& c) {
    if (auto why = unusable(c); !why.empty()) return why;
    changed(c);
    UINT type = c.style & BS_TYPEMASK;
    switch (c.kind) {
    case Kind::Button:
        break;
    case Kind::CheckBox:
        if (type == BS_AUTOCHECKBOX) c.check = c.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        if (type == BS_AUTO3STATE) c.check = (c.check + 1) % 3;
        break;
    case Kind::RadioButton:
        if (type == BS_AUTORADIOBUTTON) return check(c, true);
        break;
    default:
        return name(c) + L" (" + kindName(c.kind) + L") cannot be clicked";
    }
    sendCommand(c, BN_CLICKED);
    return L"";
}

std::wstring cannotType(const Window& c, const std::wstring& text) {
    if (auto why = unusable(c); !why.empty()) return why;
    if (c.kind == Kind::Edit) {
        if (c.style & ES_READONLY) return name(c) + L" is read-only";
        if (c.limit > 0 && text.size() > size_t(c.limit))
            return name(c) + L" takes at most " + std::to_wstring(c.limit) + L" characters";
        return L"";
    }
    if (c.kind == Kind::ComboBox && (c.style & 0x3) != CBS_DROPDOWNLIST) return L"";
    return name(c) + L" (" + kindName(c.kind) + L") does not take typed text";
}

std::wstring setText(Window& c, const std::wstring& text) {
    if (auto why = cannotType(c, text); !why.empty()) return why;
    vx::ui::setText(c, text, true);
    return L"";
}

int itemIndex(const Window& c, const std::wstring& item, int index, std::wstring& why) {
    if (index >= 0) {
        if (size_t(index) < c.items.size()) return index;
        why = name(c) + L" has no item #" + std::to_wstring(index);
        return -1;
    }
    for (size_t i = 0; i < c.items.size(); ++i)
        if (c.items[i].text == item) return static_cast<int>(i);
    for (size_t i = 0; i < c.items.size(); ++i)
        if (compareNoCase(c.items[i].text, item) == 0) return static_cast<int>(i);
    why = name(c) + L" has no item \"" + item + L"\"";
    return -1;
}

std::wstring check(Window& c, bool on) {
    if (auto why = unusable(c); !why.empty()) return why;
    if (c.kind != Kind::CheckBox && c.kind != Kind::RadioButton) return name(c) + L" is not a check box";
    UINT type = c.style & BS_TYPEMASK;
    bool automatic = type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
    if (automatic) {
        if ((c.check == BST_CHECKED) == on) return L"";
        changed(c);
        c.check = on ? BST_CHECKED : BST_UNCHECKED;
        if (c.kind == Kind::RadioButton && on && c.parent) {
            // The other buttons of its group are cleared: the group runs from a WS_GROUP button
            // to the next one.
            auto& sibs = c.parent->children;
            size_t me = 0;
            while (sibs[me].get() != &c) ++me;
            size_t first = me;
            while (first > 0 && !(sibs[first]->style & WS_GROUP) && sibs[first - 1]->kind == Kind::RadioButton) --first;
            for (size_t i = first; i < sibs.size() && sibs[i]->kind == Kind::RadioButton; ++i) {
                if (i > first && (sibs[i]->style & WS_GROUP)) break;
                if (i != me && sibs[i]->check != BST_UNCHECKED) {
                    changed(*sibs[i]);
                    sibs[i]->check = BST_UNCHECKED;
                }
            }
        }
    }
    sendCommand(c, BN_CLICKED);
    return L"";
}

std::wstring choose(Window& c, const std::wstring& item, int index) {
    if (auto why = unusable(c); !why.empty()) return why;
    if (c.kind == Kind::ListView) return selectRow(c, index);
    if (c.kind != Kind::ComboBox && c.kind != Kind::ListBox) return name(c) + L" has no items to choose from";
    std::wstring why;
    const int found = itemIndex(c, item, index, why);
    if (found < 0) return why;
    changed(c);
    c.curSel = found;
    if (c.kind == Kind::ComboBox) {
        c.text = c.items[size_t(found)].text;
        sendCommand(c, CBN_SELCHANGE);
        sendCommand(c, CBN_SELENDOK);
    } else if (c.style & LBS_NOTIFY) {
        sendCommand(c, LBN_SELCHANGE);
    }
    return L"";
}

std::wstring tick(Window& c, int row, bool on) {
    if (auto why = unusable(c); !why.empty()) return why;
    if (c.kind != Kind::ListView || !(c.lvExStyle & LVS_EX_CHECKBOXES)) return name(c) + L" has no check boxes";
    if (row < 0 || size_t(row) >= c.rows.size()) return name(c) + L" has no row " + std::to_wstring(row);
    setItemState(c, row, on ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
    return L"";
}

std::wstring editCell(Window& c, int row, int col, const std::wstring& text) {
    if (auto why = unusable(c); !why.empty()) return why;
    if (c.kind != Kind::Grid) return name(c) + L" is not a grid";
    GridCell* cell = c.grid.cell(row, col);
    if (!cell) return name(c) + L" has no cell " + std::to_wstring(row) + L"," + std::to_wstring(col);
    if (!c.grid.editable || row < c.grid.fixedRows || col < c.grid.fixedCols || (cell->state & GVIS_READONLY))
        return L"cell " + std::to_wstring(row) + L"," + std::to_wstring(col) + L" of " + name(c) + L" is read-only";
    NM_GRIDVIEW nm{};
    nm.iRow = row;
    nm.iColumn = col;
    nm.hdr.code = GVN_BEGINLABELEDIT;
    sendNotify(c, nm.hdr);
    if (!(c.grid.cell(row, col))) return name(c) + L" changed while the cell was edited";
    changed(c);
    c.grid.cell(row, col)->text = text;
    c.grid.cell(row, col)->state |= GVIS_MODIFIED;
    c.grid.focusRow = row;
    c.grid.focusCol = col;
    nm.hdr.code = GVN_ENDLABELEDIT;
    sendNotify(c, nm.hdr);
    return L"";
}

std::wstring selectRow(Window& c, int row) {
    if (auto why = unusable(c); !why.empty()) return why;
    if (c.kind == Kind::ListBox || c.kind == Kind::ComboBox) return choose(c, L"", row);
    if (c.kind == Kind::Grid) {
        if (row < c.grid.fixedRows || row >= c.grid.rows) return name(c) + L" has no row " + std::to_wstring(row);
        changed(c);
        c.grid.focusRow = row;
        c.grid.focusCol = c.grid.fixedCols < c.grid.cols ? c.grid.fixedCols : 0;
        return L"";
    }
    if (c.kind != Kind::ListView) return name(c) + L" has no rows";
    if (row < 0 || size_t(row) >= c.rows.size()) return name(c) + L" has no row " + std::to_wstring(row);
    for (size_t i = 0; i < c.rows.size(); ++i)
        if (int(i) != row && (c.rows[i].state & (LVIS_SELECTED | LVIS_FOCUSED)))
            setItemState(c, int(i), 0, LVIS_SELECTED | LVIS_FOCUSED);
    setItemState(c, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return L"";
}

std::wstring pressEnter(Window& dialog) {
    if (preTranslated(dialog, VK_RETURN)) return L"";
    // Windows would send IDOK even when the dialog has no such button, ending a dialog that
    // offers no way to confirm it (a form that is left only through its own buttons). Here
    // Enter presses a button that exists, or nothing.
    int id = dialog.defaultId ? dialog.defaultId : IDOK;
    Window* b = findControl(dialog, id);
    if (!b) return L"the dialog has no default button";
    if (auto why = unusable(*b); !why.empty()) return L"the default button: " + why;
    command(dialog, id);
    return L"";
}

void pressEscape(Window& dialog) {
    if (preTranslated(dialog, VK_ESCAPE)) return;
    command(dialog, IDCANCEL);
}

void closeBox(Window& dialog) {
    if (CWnd* d = wrapper(dialog)) d->SendMessage(WM_CLOSE);
}

}  // namespace vx::ui::actions
