#include "ui/window.h"

#include <algorithm>
#include <set>

#include "afxwin.h"
#include "gridctrl.h"
#include "text/strings.h"

namespace vx::ui {
namespace {
// Never destroyed: C++ objects of modules still loaded while the process ends may ask for
// their windows after the host's statics are gone.
std::set<const Window*>& live() {
    static auto* s = new std::set<const Window*>;
    return *s;
}
std::vector<std::unique_ptr<Window>>& topLevels() {
    static auto* v = new std::vector<std::unique_ptr<Window>>;
    return *v;
}
}  // namespace

const wchar_t* kindName(Kind k) {
    static const wchar_t* const names[] = {L"dialog", L"button", L"check", L"radio",  L"group",
                                           L"edit",   L"static", L"combo", L"listbox", L"list",
                                           L"grid",   L"paletteset", L"palette", L"frame", L"custom"};
    return names[static_cast<int>(k)];
}

void GridState::resize(int newRows, int newCols) {
    newRows = std::max(0, newRows);
    newCols = std::max(0, newCols);
    std::vector<GridCell> next(size_t(newRows) * size_t(newCols));
    for (int r = 0; r < std::min(rows, newRows); ++r)
        for (int c = 0; c < std::min(cols, newCols); ++c)
            next[size_t(r) * size_t(newCols) + size_t(c)] = std::move(cells[size_t(r) * size_t(cols) + size_t(c)]);
    cells = std::move(next);
    colWidths.resize(size_t(newCols), 64);
    rowHeights.resize(size_t(newRows), 20);
    rows = newRows;
    cols = newCols;
    fixedRows = std::min(fixedRows, rows);
    fixedCols = std::min(fixedCols, cols);
    if (focusRow >= rows || focusCol >= cols) focusRow = focusCol = -1;
}

Window* Window::child(int wantedId) const {
    for (const auto& c : children)
        if (c->id == wantedId) return c.get();
    return nullptr;
}

bool Window::isControlUsable() const {
    for (const Window* w = this; w; w = w->parent) {
        if (!w->visible || !w->enabled) return false;
        if (w->kind == Kind::Dialog || w->kind == Kind::Palette) break;
    }
    return true;
}

Window* createWindow(Kind kind, Window* parent, int id, std::wstring text, DWORD style, RECT r) {
    auto w = std::make_unique<Window>();
    w->kind = kind;
    w->id = id;
    w->text = std::move(text);
    w->style = style;
    w->rect = r;
    w->visible = (style & WS_VISIBLE) != 0;
    w->enabled = (style & WS_DISABLED) == 0;
    w->parent = parent;
    if (kind == Kind::CheckBox || kind == Kind::RadioButton) w->check = BST_UNCHECKED;
    Window* raw = w.get();
    live().insert(raw);
    if (parent)
        parent->children.push_back(std::move(w));
    else
        topLevels().push_back(std::move(w));
    return raw;
}

void destroyWindow(Window* w) {
    if (!w || !live().count(w)) return;
    // Children first, so that every wrapper is detached before its window goes.
    while (!w->children.empty()) destroyWindow(w->children.back().get());
    live().erase(w);
    if (w->attached && w->attached->m_hWnd == handleOf(w)) w->attached->m_hWnd = nullptr;
    w->attached = nullptr;
    if (w->temporary) w->temporary->m_hWnd = nullptr;
    auto& siblings = w->parent ? w->parent->children : topLevels();
    auto it = std::find_if(siblings.begin(), siblings.end(), [w](const auto& p) { return p.get() == w; });
    if (it != siblings.end()) {
        std::unique_ptr<Window> keep = std::move(*it);
        siblings.erase(it);
    }
}

bool isLiveWindow(HWND h) { return h && live().count(static_cast<const Window*>(h)) != 0; }

Kind kindForClass(const std::wstring& cls, DWORD style) {
    const auto is = [&](const wchar_t* name) { return vx::text::equalNoCase(cls, name); };
    if (is(L"button")) {
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE: return Kind::CheckBox;
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return Kind::RadioButton;
        case BS_GROUPBOX: return Kind::GroupBox;
        default: return Kind::Button;
        }
    }
    if (is(L"edit")) return Kind::Edit;
    if (is(L"static")) return Kind::Static;
    if (is(L"combobox")) return Kind::ComboBox;
    if (is(L"listbox")) return Kind::ListBox;
    if (is(L"syslistview32")) return Kind::ListView;
    if (is(L"mfcgridctrl")) return Kind::Grid;
    return Kind::Custom;
}

}  // namespace vx::ui
