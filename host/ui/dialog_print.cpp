#include "ui/dialog_print.h"

#include "gridctrl.h"
#include "ui/notify.h"

namespace vx::ui {
namespace {

std::wstring quote(const std::wstring& s) {
    std::wstring out = L"\"";
    for (wchar_t c : s) {
        if (c == L'\n') out += L"\\n";
        else if (c == L'\r') continue;
        else out += c;
    }
    return out + L"\"";
}

std::wstring idText(const Window& c) { return c.id == -1 ? L"-" : std::to_wstring(c.id); }

std::wstring flags(const Window& dialog, const Window& c) {
    std::wstring f;
    if (!c.enabled) f += L" (disabled)";
    if (c.kind == Kind::Edit && (c.style & ES_READONLY)) f += L" (read-only)";
    if (c.kind == Kind::Button && dialog.defaultId == c.id) f += L" (default)";
    if (dialog.focusId == c.id && c.id != -1 && c.kind != Kind::Static && c.kind != Kind::GroupBox) f += L" (focus)";
    return f;
}

void items(std::wstring& out, const Window& c) {
    out += L" = " + quote(textOf(c)) + L" [";
    for (size_t i = 0; i < c.items.size(); ++i)
        out += (i ? L" | " : L"") + std::wstring(int(i) == c.curSel ? L"*" : L"") + std::to_wstring(i) + L":" + c.items[i].text;
    out += L"]";
}

void listView(std::wstring& out, const Window& c) {
    bool checks = (c.lvExStyle & LVS_EX_CHECKBOXES) != 0;
    out += L"\n      columns:";
    for (size_t i = 0; i < c.columns.size(); ++i) out += (i ? L" |" : L"") + std::wstring(L" ") + c.columns[i].heading;
    for (size_t r = 0; r < c.rows.size(); ++r) {
        const ListRow& row = c.rows[r];
        out += L"\n      " + std::to_wstring(r);
        if (checks) out += (row.state & LVIS_STATEIMAGEMASK) == (2u << 12) ? L" [x]" : L" [ ]";
        if (row.state & LVIS_SELECTED) out += L" (selected)";
        size_t n = std::max(c.columns.size(), row.cells.size());
        for (size_t k = 0; k < n; ++k) {
            // A column of width 0 is hidden from the user, but scripts may still want it.
            out += (k ? L" |" : L"") + std::wstring(L" ") + (k < row.cells.size() ? row.cells[k] : L"");
        }
    }
}

void grid(std::wstring& out, const Window& c) {
    const GridState& g = c.grid;
    out += L" " + std::to_wstring(g.rows) + L"x" + std::to_wstring(g.cols) + L", fixed " + std::to_wstring(g.fixedRows) +
           L"/" + std::to_wstring(g.fixedCols);
    if (!g.editable) out += L", read-only";
    for (int r = 0; r < g.rows; ++r) {
        out += L"\n      " + std::to_wstring(r) + L":";
        for (int k = 0; k < g.cols; ++k) {
            const GridCell& cell = g.cells[size_t(r) * size_t(g.cols) + size_t(k)];
            out += (k ? L" |" : L"") + std::wstring(L" ") + quote(cell.text);
            if ((cell.state & GVIS_READONLY) && r >= g.fixedRows && k >= g.fixedCols) out += L"(ro)";
        }
    }
}

}  // namespace

std::wstring printDialog(const Window& dialog) {
    std::wstring out = L"\nDialog " + std::to_wstring(dialog.templateId) + L" " + quote(dialog.text) + L":";
    for (const auto& cp : dialog.children) {
        const Window& c = *cp;
        if (!c.visible) continue;
        out += L"\n  " + idText(c) + L" " + kindName(c.kind);
        switch (c.kind) {
        case Kind::CheckBox:
        case Kind::RadioButton:
            out += L" " + quote(c.text) + (c.check == BST_CHECKED ? L" [x]" : c.check == BST_INDETERMINATE ? L" [-]" : L" [ ]");
            break;
        case Kind::ComboBox:
        case Kind::ListBox:
            items(out, c);
            break;
        case Kind::ListView:
            out += flags(dialog, c);
            listView(out, c);
            continue;
        case Kind::Grid:
            out += flags(dialog, c);
            grid(out, c);
            continue;
        default:
            out += L" " + quote(c.text);
        }
        out += flags(dialog, c);
    }
    return out;
}

}  // namespace vx::ui
