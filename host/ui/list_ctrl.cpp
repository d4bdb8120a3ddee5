// The list-view control, its header, bitmaps and image lists.
#include <algorithm>
#include <cwchar>

#include "afxcmn.h"
#include "ui/notify.h"
#include "ui/resource_registry.h"
#include "ui/window.h"

using vx::ui::Window;

namespace {
Window* live(HWND h) { return vx::ui::isLiveWindow(h) ? vx::ui::fromHandle(h) : nullptr; }
constexpr UINT kUnchecked = 1u << 12, kChecked = 2u << 12;

vx::ui::ListRow* row(HWND h, int i) {
    Window* w = live(h);
    return (w && i >= 0 && size_t(i) < w->rows.size()) ? &w->rows[size_t(i)] : nullptr;
}

// Reads width, height and bit depth from a BMP file's header.
bool bmpInfo(const std::string& b, int& w, int& h, int& bits) {
    if (b.size() < 30 || b[0] != 'B' || b[1] != 'M') return false;
    auto u32 = [&b](size_t o) {
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(b[o])) |
                                    static_cast<uint32_t>(static_cast<unsigned char>(b[o + 1])) << 8 |
                                    static_cast<uint32_t>(static_cast<unsigned char>(b[o + 2])) << 16 |
                                    static_cast<uint32_t>(static_cast<unsigned char>(b[o + 3])) << 24);
    };
    w = u32(18);
    h = u32(22);
    if (h < 0) h = -h;
    bits = static_cast<unsigned char>(b[28]) | static_cast<unsigned char>(b[29]) << 8;
    return w > 0 && h > 0;
}
}  // namespace

// ---- CBitmap / CImageList ----------------------------------------------------------------

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    DeleteObject();
    const vx::ui::rc::Script* s = vx::ui::currentResources();
    const vx::ui::rc::Bitmap* b = s ? s->bitmap(static_cast<int>(nIDResource)) : nullptr;
    if (!b || !bmpInfo(b->bytes, m_width, m_height, m_bits)) return FALSE;
    m_loaded = true;
    m_bytes = b->bytes;
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* p) const {
    if (!m_loaded || !p) return 0;
    *p = BITMAP{0, m_width, m_height, (m_width * m_bits + 31) / 32 * 4, 1, static_cast<WORD>(m_bits), nullptr};
    return static_cast<int>(sizeof(BITMAP));
}

BOOL CBitmap::DeleteObject() {
    bool was = m_loaded;
    m_loaded = false;
    m_width = m_height = m_bits = 0;
    m_bytes.clear();
    return was;
}

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
    if (cx <= 0 || cy <= 0) return FALSE;
    m_created = true;
    m_cx = cx;
    m_cy = cy;
    m_count = 0;
    m_strips.clear();
    return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int, COLORREF crMask) {
    CBitmap bmp;
    if (cx <= 0 || !bmp.LoadBitmap(nBitmapID)) return FALSE;
    m_created = true;
    m_cx = cx;
    m_cy = bmp.size().cy;
    m_count = bmp.size().cx / cx;
    m_mask = crMask;
    m_strips = {bmp.fileBytes()};
    return TRUE;
}

int CImageList::Add(CBitmap* pbm, COLORREF crMask) {
    if (!m_created || !pbm || !pbm->GetSafeHandle()) return -1;
    int first = m_count;
    m_count += pbm->size().cx / m_cx;
    m_mask = crMask;
    m_strips.push_back(pbm->fileBytes());
    return first;
}

BOOL CImageList::DeleteImageList() {
    bool was = m_created;
    m_created = false;
    m_count = 0;
    m_strips.clear();
    return was;
}

// ---- CHeaderCtrl / CListCtrl -------------------------------------------------------------

int CHeaderCtrl::GetItemCount() const {
    Window* w = live(m_hWnd);
    return w ? static_cast<int>(w->columns.size()) : -1;
}

DWORD CListCtrl::SetExtendedStyle(DWORD s) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w) return 0;
    DWORD before = w->lvExStyle;
    w->lvExStyle = s;
    // Turning check boxes on gives every item the unchecked state image, as Windows does.
    if ((s & LVS_EX_CHECKBOXES) && !(before & LVS_EX_CHECKBOXES))
        for (auto& r : w->rows)
            if (!(r.state & LVIS_STATEIMAGEMASK)) r.state |= kUnchecked;
    return before;
}

DWORD CListCtrl::GetExtendedStyle() const {
    Window* w = live(m_hWnd);
    return w ? w->lvExStyle : 0;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR heading, int nFormat, int nWidth, int) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w || nCol < 0) return -1;
    size_t at = std::min(size_t(nCol), w->columns.size());
    w->columns.insert(w->columns.begin() + static_cast<long>(at),
                      vx::ui::ListColumn{heading ? heading : L"", nFormat, nWidth < 0 ? 0 : nWidth});
    for (auto& r : w->rows)
        if (at > 0 && at <= r.cells.size()) r.cells.insert(r.cells.begin() + static_cast<long>(at), L"");
    return static_cast<int>(at);
}

BOOL CListCtrl::DeleteColumn(int nCol) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w || nCol < 0 || size_t(nCol) >= w->columns.size()) return FALSE;
    w->columns.erase(w->columns.begin() + nCol);
    for (auto& r : w->rows)
        if (size_t(nCol) < r.cells.size() && nCol > 0) r.cells.erase(r.cells.begin() + nCol);
    return TRUE;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w || nCol < 0 || size_t(nCol) >= w->columns.size()) return FALSE;
    w->columns[size_t(nCol)].width = cx;
    return TRUE;
}

int CListCtrl::GetColumnWidth(int nCol) const {
    Window* w = live(m_hWnd);
    return (w && nCol >= 0 && size_t(nCol) < w->columns.size()) ? w->columns[size_t(nCol)].width : 0;
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() {
    m_header.m_hWnd = m_hWnd;  // the header reads the columns of this list
    return &m_header;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR text) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w || nItem < 0) return -1;
    size_t at = std::min(size_t(nItem), w->rows.size());
    vx::ui::ListRow r;
    r.cells.push_back(text ? text : L"");
    if (w->lvExStyle & LVS_EX_CHECKBOXES) r.state = kUnchecked;
    w->rows.insert(w->rows.begin() + static_cast<long>(at), std::move(r));
    return static_cast<int>(at);
}

BOOL CListCtrl::DeleteItem(int nItem) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w || nItem < 0 || size_t(nItem) >= w->rows.size()) return FALSE;
    w->rows.erase(w->rows.begin() + nItem);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w) return FALSE;
    w->rows.clear();
    return TRUE;
}

int CListCtrl::GetItemCount() const {
    Window* w = live(m_hWnd);
    return w ? static_cast<int>(w->rows.size()) : 0;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR text) {
    vx::ui::ListRow* r = row(m_hWnd, nItem);
    Window* w = vx::ui::edited(m_hWnd);
    if (!r || nSubItem < 0 || (nSubItem > 0 && size_t(nSubItem) >= std::max<size_t>(w->columns.size(), 1)))
        return FALSE;
    if (r->cells.size() <= size_t(nSubItem)) r->cells.resize(size_t(nSubItem) + 1);
    r->cells[size_t(nSubItem)] = text ? text : L"";
    return TRUE;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    const vx::ui::ListRow* r = row(m_hWnd, nItem);
    if (!r || nSubItem < 0 || size_t(nSubItem) >= r->cells.size()) return CString();
    return CString(r->cells[size_t(nSubItem)].c_str());
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR out, int nLen) const {
    if (!out || nLen <= 0) return 0;
    CString s = GetItemText(nItem, nSubItem);
    int n = std::min(s.GetLength(), nLen - 1);
    std::wmemcpy(out, s.GetString(), size_t(n));
    out[n] = 0;
    return n;
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck) {
    Window* w = live(m_hWnd);
    return w && vx::ui::setItemState(*w, nItem, fCheck ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetCheck(int nItem) const {
    const vx::ui::ListRow* r = row(m_hWnd, nItem);
    return r && (r->state & LVIS_STATEIMAGEMASK) == kChecked;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    Window* w = live(m_hWnd);
    if (!w) return FALSE;
    if (nItem == -1) {  // every item, as LVM_SETITEMSTATE with -1 does
        for (size_t i = 0; i < w->rows.size(); ++i) vx::ui::setItemState(*w, int(i), nState, nMask);
        return TRUE;
    }
    return vx::ui::setItemState(*w, nItem, nState, nMask);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    const vx::ui::ListRow* r = row(m_hWnd, nItem);
    return r ? (r->state & nMask) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR d) {
    vx::ui::ListRow* r = row(m_hWnd, nItem);
    if (!r) return FALSE;
    r->data = d;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    const vx::ui::ListRow* r = row(m_hWnd, nItem);
    return r ? r->data : 0;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    Window* w = live(m_hWnd);
    if (!w) return -1;
    UINT want = static_cast<UINT>(nFlags) & (LVNI_SELECTED | LVNI_FOCUSED);
    for (size_t i = size_t(nItem + 1); i < w->rows.size(); ++i)
        if ((w->rows[i].state & want) == want) return static_cast<int>(i);
    return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    int i = GetNextItem(-1, LVNI_SELECTED);
    return i < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(i) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    int i = static_cast<int>(reinterpret_cast<uintptr_t>(pos)) - 1;
    int next = GetNextItem(i, LVNI_SELECTED);
    pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(next) + 1);
    return i;
}

UINT CListCtrl::GetSelectedCount() const {
    Window* w = live(m_hWnd);
    UINT n = 0;
    if (w)
        for (const auto& r : w->rows) n += (r.state & LVIS_SELECTED) ? 1 : 0;
    return n;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL) { return row(m_hWnd, nItem) != nullptr; }

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w || !pfnCompare) return FALSE;
    std::stable_sort(w->rows.begin(), w->rows.end(), [&](const vx::ui::ListRow& a, const vx::ui::ListRow& b) {
        return pfnCompare(static_cast<LPARAM>(a.data), static_cast<LPARAM>(b.data), static_cast<LPARAM>(dwData)) < 0;
    });
    return TRUE;
}
