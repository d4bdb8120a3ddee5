// The editable grid control over the core's GridState.
#include <algorithm>

#include "gridctrl.h"
#include "ui/window.h"

using vx::ui::GridCell;
using vx::ui::GridState;
using vx::ui::Window;

namespace {
GridState* grid(HWND h) { return vx::ui::isLiveWindow(h) ? &vx::ui::fromHandle(h)->grid : nullptr; }
GridCell* cell(HWND h, int r, int c) {
    GridState* g = grid(h);
    return g ? g->cell(r, c) : nullptr;
}
// The same for the operations that change what the grid shows.
GridState* editGrid(HWND h) {
    Window* w = vx::ui::edited(h);
    return w ? &w->grid : nullptr;
}
GridCell* editCell(HWND h, int r, int c) {
    GridState* g = editGrid(h);
    return g ? g->cell(r, c) : nullptr;
}
int lineCount(const std::wstring& s) {
    int n = 1;
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == L'\n' || (s[i] == L'\r' && (i + 1 >= s.size() || s[i + 1] != L'\n'))) ++n;
    return n;
}
constexpr int kLineHeight = 16, kCellPadding = 4, kCharWidth = 7;
}  // namespace

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT nID, DWORD dwStyle) {
    return CWnd::Create(L"MFCGridCtrl", L"", dwStyle, rect, parent, nID);
}

BOOL CGridCtrl::SetRowCount(int n) {
    GridState* g = editGrid(m_hWnd);
    if (!g || n < 0) return FALSE;
    g->resize(n, g->cols);
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int n) {
    GridState* g = editGrid(m_hWnd);
    if (!g || n < 0) return FALSE;
    g->resize(g->rows, n);
    return TRUE;
}

BOOL CGridCtrl::SetFixedRowCount(int n) {
    GridState* g = editGrid(m_hWnd);
    if (!g || n < 0) return FALSE;
    if (n > g->rows) g->resize(n, g->cols);
    g->fixedRows = n;
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int n) {
    GridState* g = editGrid(m_hWnd);
    if (!g || n < 0) return FALSE;
    if (n > g->cols) g->resize(g->rows, n);
    g->fixedCols = n;
    return TRUE;
}

int CGridCtrl::GetRowCount() const { GridState* g = grid(m_hWnd); return g ? g->rows : 0; }
int CGridCtrl::GetColumnCount() const { GridState* g = grid(m_hWnd); return g ? g->cols : 0; }
int CGridCtrl::GetFixedRowCount() const { GridState* g = grid(m_hWnd); return g ? g->fixedRows : 0; }
int CGridCtrl::GetFixedColumnCount() const { GridState* g = grid(m_hWnd); return g ? g->fixedCols : 0; }

int CGridCtrl::InsertRow(LPCTSTR heading, int nRow) {
    GridState* g = editGrid(m_hWnd);
    if (!g || g->cols == 0) return -1;
    if (nRow < 0 || nRow > g->rows) nRow = g->rows;
    g->cells.insert(g->cells.begin() + long(nRow) * g->cols, size_t(g->cols), GridCell{});
    g->rowHeights.insert(g->rowHeights.begin() + nRow, 20);
    ++g->rows;
    if (heading) g->cell(nRow, 0)->text = heading;
    return nRow;
}

BOOL CGridCtrl::DeleteRow(int nRow) {
    GridState* g = editGrid(m_hWnd);
    if (!g || nRow < 0 || nRow >= g->rows) return FALSE;
    g->cells.erase(g->cells.begin() + long(nRow) * g->cols, g->cells.begin() + long(nRow + 1) * g->cols);
    g->rowHeights.erase(g->rowHeights.begin() + nRow);
    --g->rows;
    g->fixedRows = std::min(g->fixedRows, g->rows);
    return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows() {
    GridState* g = editGrid(m_hWnd);
    if (!g) return FALSE;
    g->resize(g->fixedRows, g->cols);
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems() {
    GridState* g = editGrid(m_hWnd);
    if (!g) return FALSE;
    // The image list stays set, as the grid keeps its pointer.
    GridState empty;
    empty.imageCount = g->imageCount;
    empty.images = std::move(g->images);
    *g = std::move(empty);
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int r, int c, LPCTSTR s) {
    GridCell* x = editCell(m_hWnd, r, c);
    if (!x) return FALSE;
    x->text = s ? s : L"";
    return TRUE;
}

CString CGridCtrl::GetItemText(int r, int c) const {
    GridCell* x = cell(m_hWnd, r, c);
    return x ? CString(x->text.c_str()) : CString();
}

BOOL CGridCtrl::SetItemBkColour(int r, int c, COLORREF cr) {
    GridCell* x = editCell(m_hWnd, r, c);
    if (!x) return FALSE;
    x->bk = cr;
    return TRUE;
}

BOOL CGridCtrl::SetItemFgColour(int r, int c, COLORREF cr) {
    GridCell* x = editCell(m_hWnd, r, c);
    if (!x) return FALSE;
    x->fg = cr;
    return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int r, int c) const { GridCell* x = cell(m_hWnd, r, c); return x ? x->bk : CLR_DEFAULT; }
COLORREF CGridCtrl::GetItemFgColour(int r, int c) const { GridCell* x = cell(m_hWnd, r, c); return x ? x->fg : CLR_DEFAULT; }

BOOL CGridCtrl::SetItemState(int r, int c, UINT state) {
    GridCell* x = editCell(m_hWnd, r, c);
    if (!x) return FALSE;
    x->state = state;
    return TRUE;
}

UINT CGridCtrl::GetItemState(int r, int c) const {
    GridState* g = grid(m_hWnd);
    GridCell* x = cell(m_hWnd, r, c);
    if (!x) return 0;
    UINT s = x->state;
    if (r < g->fixedRows) s |= GVIS_FIXED | GVIS_FIXEDROW;
    if (c < g->fixedCols) s |= GVIS_FIXED | GVIS_FIXEDCOL;
    return s;
}

BOOL CGridCtrl::SetItemImage(int r, int c, int image) {
    GridCell* x = editCell(m_hWnd, r, c);
    if (!x) return FALSE;
    x->image = image;
    return TRUE;
}

int CGridCtrl::GetItemImage(int r, int c) const { GridCell* x = cell(m_hWnd, r, c); return x ? x->image : -1; }

BOOL CGridCtrl::IsCellEditable(int r, int c) const {
    GridState* g = grid(m_hWnd);
    GridCell* x = cell(m_hWnd, r, c);
    return x && g->editable && r >= g->fixedRows && c >= g->fixedCols && !(x->state & GVIS_READONLY);
}

void CGridCtrl::SetEditable(BOOL b) {
    if (GridState* g = editGrid(m_hWnd)) g->editable = b != 0;
}

BOOL CGridCtrl::IsEditable() const {
    GridState* g = grid(m_hWnd);
    return g && g->editable;
}

void CGridCtrl::SetImageList(CImageList* list) {
    m_imageList = list;
    if (GridState* g = editGrid(m_hWnd)) {
        g->imageCount = list ? list->GetImageCount() : 0;
        g->images = vx::ui::ImageStrips{};
        if (list && list->GetImageCount() > 0)
            g->images = vx::ui::ImageStrips{list->imageSize().cx, list->imageSize().cy, list->maskColour(), list->strips()};
    }
}

BOOL CGridCtrl::SetColumnWidth(int c, int width) {
    GridState* g = editGrid(m_hWnd);
    if (!g || c < 0 || c >= g->cols || width < 0) return FALSE;
    g->colWidths[size_t(c)] = width;
    return TRUE;
}

int CGridCtrl::GetColumnWidth(int c) const {
    GridState* g = grid(m_hWnd);
    return (g && c >= 0 && c < g->cols) ? g->colWidths[size_t(c)] : 0;
}

BOOL CGridCtrl::SetRowHeight(int r, int height) {
    GridState* g = editGrid(m_hWnd);
    if (!g || r < 0 || r >= g->rows || height < 0) return FALSE;
    g->rowHeights[size_t(r)] = height;
    return TRUE;
}

int CGridCtrl::GetRowHeight(int r) const {
    GridState* g = grid(m_hWnd);
    return (g && r >= 0 && r < g->rows) ? g->rowHeights[size_t(r)] : 0;
}

BOOL CGridCtrl::AutoSizeRow(int r) {
    GridState* g = editGrid(m_hWnd);
    if (!g || r < 0 || r >= g->rows) return FALSE;
    int lines = 1;
    for (int c = 0; c < g->cols; ++c) lines = std::max(lines, lineCount(g->cell(r, c)->text));
    g->rowHeights[size_t(r)] = lines * kLineHeight + kCellPadding;
    return TRUE;
}

void CGridCtrl::AutoSizeRows() {
    for (int r = 0; r < GetRowCount(); ++r) AutoSizeRow(r);
}

BOOL CGridCtrl::AutoSizeColumn(int c) {
    GridState* g = editGrid(m_hWnd);
    if (!g || c < 0 || c >= g->cols) return FALSE;
    size_t longest = 1;
    for (int r = 0; r < g->rows; ++r) longest = std::max(longest, g->cell(r, c)->text.size());
    g->colWidths[size_t(c)] = static_cast<int>(longest) * kCharWidth + 2 * kCellPadding;
    return TRUE;
}

void CGridCtrl::AutoSizeColumns() {
    for (int c = 0; c < GetColumnCount(); ++c) AutoSizeColumn(c);
}

void CGridCtrl::SetFocusCell(int r, int c) {
    if (GridState* g = editGrid(m_hWnd)) {
        g->focusRow = r;
        g->focusCol = c;
    }
}

void DDX_GridControl(CDataExchange* pDX, int nIDC, CGridCtrl& rControl) { DDX_Control(pDX, nIDC, rControl); }
