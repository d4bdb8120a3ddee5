// The UI core: every window (dialog, control, palette) is a Window node that holds all of its
// state. MFC-style classes (CWnd and friends) are thin wrappers over a node's HWND; backends
// (script, Qt) only show nodes and feed user actions back through dialog_actions.h.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "winuser.h"

class CWnd;

namespace vx::ui {

enum class Kind {
    Dialog, Button, CheckBox, RadioButton, GroupBox, Edit, Static, ComboBox, ListBox, ListView,
    Grid, PaletteSet, Palette, Frame, Custom
};
const wchar_t* kindName(Kind k);

struct ListItem {
    std::wstring text;
    DWORD_PTR data = 0;
};

struct ListColumn {
    std::wstring heading;
    int format = 0;
    int width = 0;
};

struct ListRow {
    std::vector<std::wstring> cells;  // cell 0 is the item text
    UINT state = 0;                   // LVIS_* bits, check state in the state-image bits
    DWORD_PTR data = 0;
};

struct GridCell {
    std::wstring text;
    COLORREF bk = 0xFFFFFFFF;  // "default colour"
    COLORREF fg = 0xFFFFFFFF;
    UINT state = 0;
    int image = -1;
};

// A grid's images: BMP strips cut into cx-wide images, numbered across the strips in order.
struct ImageStrips {
    int cx = 0, cy = 0;
    COLORREF mask = 0;
    std::vector<std::string> bitmaps;
};

struct GridState {
    int rows = 0, cols = 0, fixedRows = 0, fixedCols = 0;
    bool editable = true;
    std::vector<GridCell> cells;  // rows * cols, row-major
    std::vector<int> colWidths, rowHeights;
    int imageCount = 0;  // images in the image list, 0 when none is set
    ImageStrips images;
    int focusRow = -1, focusCol = -1;
    GridCell* cell(int r, int c) {
        return (r >= 0 && r < rows && c >= 0 && c < cols) ? &cells[size_t(r) * size_t(cols) + size_t(c)]
                                                          : nullptr;
    }
    void resize(int newRows, int newCols);
};

struct Window {
    Kind kind = Kind::Custom;
    int id = 0;
    std::wstring className;  // as the template named it ("Button", "SysListView32", ...)
    std::wstring text;
    DWORD style = 0, exStyle = 0;
    RECT rect{0, 0, 0, 0};  // pixels, relative to the parent's client area
    bool visible = false;
    bool enabled = true;
    Window* parent = nullptr;
    std::vector<std::unique_ptr<Window>> children;

    CWnd* attached = nullptr;         // the C++ object bound to this window (dialog, DDX_Control)
    std::unique_ptr<CWnd> temporary;  // the wrapper GetDlgItem hands out when none is attached

    // Check box / radio button.
    int check = 0;
    // Edit: the most characters the user may type (0: no limit).
    int limit = 0;
    // Combo box / list box items and selection.
    std::vector<ListItem> items;
    int curSel = -1;
    // List view.
    DWORD lvExStyle = 0;
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    // Grid.
    GridState grid;

    // Dialog state.
    bool modal = false;
    bool ended = false;
    int result = 0;
    int defaultId = 0;           // the default push button (Enter)
    int focusId = 0;             // control holding the keyboard focus
    bool inEditorCommand = false;  // hidden while the caller prompts on the command line
    bool ownedByWrapper = false;   // destroyed with the C++ object bound to it
    int templateId = 0;
    double fontPoints = 9;
    int fontWeight = 400;
    std::wstring fontFace;

    Window* child(int id) const;
    bool isControlUsable() const;  // visible and enabled, and so are its ancestors
};

inline Window* fromHandle(HWND h) { return static_cast<Window*>(h); }
inline HWND handleOf(Window* w) { return static_cast<HWND>(w); }

// Creates a node; with a parent the parent owns it, otherwise the caller does (top-level).
Window* createWindow(Kind kind, Window* parent, int id, std::wstring text, DWORD style, RECT r);
// Destroys a node and its children: detaches every wrapper (m_hWnd becomes null).
void destroyWindow(Window* w);
// Whether the handle names a live window (wrappers may outlive their windows).
bool isLiveWindow(HWND h);

// Tells the backend that the window's state changes (see Backend::windowChanged).
void changed(Window& w);
// Sets the visibility (and WS_VISIBLE) and tells the backend when it changed.
void setVisible(Window& w, bool visible);
// The live window of a handle, marked as changed: for the operations that modify it.
Window* edited(HWND h);

// The kind for a template control, from its class name and style.
Kind kindForClass(const std::wstring& className, DWORD style);

}  // namespace vx::ui
