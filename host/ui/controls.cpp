// Buttons, edits, combo boxes and list boxes over the core's Window state.
#include <cwchar>

#include "afxwin.h"
#include "ui/notify.h"
#include "ui/window.h"

using vx::ui::Kind;
using vx::ui::Window;

namespace {
Window* live(HWND h) { return vx::ui::isLiveWindow(h) ? vx::ui::fromHandle(h) : nullptr; }

bool sorted(const Window& w) {
    return (w.kind == Kind::ComboBox && (w.style & CBS_SORT)) || (w.kind == Kind::ListBox && (w.style & LBS_SORT));
}

int addItem(Window* w, const wchar_t* s) {
    if (!w) return CB_ERR;
    std::wstring text = s ? s : L"";
    size_t at = w->items.size();
    if (sorted(*w)) {
        at = 0;
        while (at < w->items.size() && vx::ui::compareNoCase(w->items[at].text, text) <= 0) ++at;
    }
    w->items.insert(w->items.begin() + static_cast<long>(at), vx::ui::ListItem{text, 0});
    if (w->curSel >= static_cast<int>(at)) ++w->curSel;
    return static_cast<int>(at);
}

int insertItem(Window* w, int index, const wchar_t* s) {
    if (!w) return CB_ERR;
    if (index < 0) index = static_cast<int>(w->items.size());
    if (size_t(index) > w->items.size()) return CB_ERR;
    w->items.insert(w->items.begin() + index, vx::ui::ListItem{s ? s : L"", 0});
    if (w->curSel >= index) ++w->curSel;
    return index;
}

int deleteItem(Window* w, UINT index) {
    if (!w || index >= w->items.size()) return CB_ERR;
    w->items.erase(w->items.begin() + static_cast<long>(index));
    if (w->curSel == static_cast<int>(index)) w->curSel = -1;
    else if (w->curSel > static_cast<int>(index)) --w->curSel;
    return static_cast<int>(w->items.size());
}

int setCurSel(Window* w, int n) {
    if (!w) return CB_ERR;
    if (n < 0 || size_t(n) >= w->items.size()) {
        w->curSel = -1;
        return CB_ERR;
    }
    w->curSel = n;
    if (w->kind == Kind::ComboBox) w->text = w->items[size_t(n)].text;
    return n;
}

int find(const Window* w, int after, const wchar_t* s, bool exact) {
    if (!w || w->items.empty()) return CB_ERR;
    std::wstring key = s ? s : L"";
    int n = static_cast<int>(w->items.size());
    int start = (after < 0 || after >= n) ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
        int i = (start + k) % n;
        const std::wstring& t = w->items[size_t(i)].text;
        if (exact ? vx::ui::compareNoCase(t, key) == 0 : vx::ui::startsWithNoCase(t, key)) return i;
    }
    return CB_ERR;
}

int copyText(const Window* w, int i, LPTSTR out) {
    if (!w || i < 0 || size_t(i) >= w->items.size()) return CB_ERR;
    const std::wstring& t = w->items[size_t(i)].text;
    if (out) {
        std::wmemcpy(out, t.c_str(), t.size());
        out[t.size()] = 0;
    }
    return static_cast<int>(t.size());
}
}  // namespace

// ---- CButton -----------------------------------------------------------------------------

int CButton::GetCheck() const {
    Window* w = live(m_hWnd);
    return w ? w->check : BST_UNCHECKED;
}

void CButton::SetCheck(int n) {
    if (Window* w = vx::ui::edited(m_hWnd)) w->check = n;
}

UINT CButton::GetButtonStyle() const {
    Window* w = live(m_hWnd);
    return w ? (w->style & 0xFFFF) : 0;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w) return;
    w->style = (w->style & 0xFFFF0000u) | (nStyle & 0xFFFF);
    w->kind = vx::ui::kindForClass(L"Button", w->style);
}

// ---- CEdit -------------------------------------------------------------------------------

BOOL CEdit::SetReadOnly(BOOL b) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w) return FALSE;
    w->style = b ? (w->style | ES_READONLY) : (w->style & ~ES_READONLY);
    return TRUE;
}

void CEdit::SetSel(int, int, BOOL) {}

void CEdit::LimitText(int n) {
    if (Window* w = vx::ui::edited(m_hWnd)) w->limit = n;
}

UINT CEdit::GetLimitText() const {
    Window* w = live(m_hWnd);
    return w && w->limit > 0 ? static_cast<UINT>(w->limit) : 30000u;
}

void CEdit::ReplaceSel(LPCTSTR s, BOOL) {
    if (Window* w = live(m_hWnd)) vx::ui::setText(*w, w->text + (s ? s : L""), false);
}

// ---- CComboBox ---------------------------------------------------------------------------

int CComboBox::AddString(LPCTSTR s) { return addItem(vx::ui::edited(m_hWnd), s); }
int CComboBox::InsertString(int i, LPCTSTR s) { return insertItem(vx::ui::edited(m_hWnd), i, s); }
int CComboBox::DeleteString(UINT i) { return deleteItem(vx::ui::edited(m_hWnd), i); }
void CComboBox::ResetContent() {
    if (Window* w = vx::ui::edited(m_hWnd)) { w->items.clear(); w->curSel = -1; w->text.clear(); }
}
int CComboBox::GetCount() const { Window* w = live(m_hWnd); return w ? static_cast<int>(w->items.size()) : CB_ERR; }
int CComboBox::GetCurSel() const { Window* w = live(m_hWnd); return w ? w->curSel : CB_ERR; }
int CComboBox::SetCurSel(int n) { return setCurSel(vx::ui::edited(m_hWnd), n); }
int CComboBox::GetLBText(int i, LPTSTR out) const { return copyText(live(m_hWnd), i, out); }
void CComboBox::GetLBText(int i, CString& r) const {
    Window* w = live(m_hWnd);
    r = (w && i >= 0 && size_t(i) < w->items.size()) ? w->items[size_t(i)].text.c_str() : L"";
}
int CComboBox::GetLBTextLen(int i) const { return copyText(live(m_hWnd), i, nullptr); }
int CComboBox::FindString(int after, LPCTSTR s) const { return find(live(m_hWnd), after, s, false); }
int CComboBox::FindStringExact(int after, LPCTSTR s) const { return find(live(m_hWnd), after, s, true); }
int CComboBox::SelectString(int after, LPCTSTR s) {
    int i = FindString(after, s);
    return i == CB_ERR ? CB_ERR : SetCurSel(i);
}
int CComboBox::SetItemData(int i, DWORD_PTR d) {
    Window* w = live(m_hWnd);
    if (!w || i < 0 || size_t(i) >= w->items.size()) return CB_ERR;
    w->items[size_t(i)].data = d;
    return 0;
}
DWORD_PTR CComboBox::GetItemData(int i) const {
    Window* w = live(m_hWnd);
    return (w && i >= 0 && size_t(i) < w->items.size()) ? w->items[size_t(i)].data : static_cast<DWORD_PTR>(CB_ERR);
}

// ---- CListBox ----------------------------------------------------------------------------

int CListBox::AddString(LPCTSTR s) { return addItem(vx::ui::edited(m_hWnd), s); }
int CListBox::InsertString(int i, LPCTSTR s) { return insertItem(vx::ui::edited(m_hWnd), i, s); }
int CListBox::DeleteString(UINT i) { return deleteItem(vx::ui::edited(m_hWnd), i); }
void CListBox::ResetContent() {
    if (Window* w = vx::ui::edited(m_hWnd)) { w->items.clear(); w->curSel = -1; }
}
int CListBox::GetCount() const { Window* w = live(m_hWnd); return w ? static_cast<int>(w->items.size()) : LB_ERR; }
int CListBox::GetCurSel() const { Window* w = live(m_hWnd); return w ? w->curSel : LB_ERR; }
int CListBox::SetCurSel(int n) { return setCurSel(vx::ui::edited(m_hWnd), n); }
int CListBox::GetText(int i, LPTSTR out) const { return copyText(live(m_hWnd), i, out); }
void CListBox::GetText(int i, CString& r) const {
    Window* w = live(m_hWnd);
    r = (w && i >= 0 && size_t(i) < w->items.size()) ? w->items[size_t(i)].text.c_str() : L"";
}
int CListBox::GetTextLen(int i) const { return copyText(live(m_hWnd), i, nullptr); }
int CListBox::FindString(int after, LPCTSTR s) const { return find(live(m_hWnd), after, s, false); }
int CListBox::FindStringExact(int after, LPCTSTR s) const { return find(live(m_hWnd), after, s, true); }
int CListBox::SelectString(int after, LPCTSTR s) {
    int i = FindString(after, s);
    return i == LB_ERR ? LB_ERR : SetCurSel(i);
}
int CListBox::SetItemData(int i, DWORD_PTR d) {
    Window* w = live(m_hWnd);
    if (!w || i < 0 || size_t(i) >= w->items.size()) return LB_ERR;
    w->items[size_t(i)].data = d;
    return 0;
}
DWORD_PTR CListBox::GetItemData(int i) const {
    Window* w = live(m_hWnd);
    return (w && i >= 0 && size_t(i) < w->items.size()) ? w->items[size_t(i)].data : static_cast<DWORD_PTR>(LB_ERR);
}
