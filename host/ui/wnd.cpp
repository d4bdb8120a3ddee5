// CCmdTarget and CWnd: message routing through message maps, and the window operations on the
// core's Window nodes.
#include <algorithm>
#include <cwchar>

#include "afxwin.h"
#include "gridctrl.h"
#include "ui/backend.h"
#include "ui/notify.h"
#include "ui/window.h"

using vx::ui::Kind;
using vx::ui::Window;
using vx::ui::fromHandle;

namespace {
Window* live(HWND h) { return vx::ui::isLiveWindow(h) ? fromHandle(h) : nullptr; }
Window* focused = nullptr;

std::unique_ptr<CWnd> wrapperFor(Kind k) {
    switch (k) {
    case Kind::Button: case Kind::CheckBox: case Kind::RadioButton: case Kind::GroupBox:
        return std::make_unique<CButton>();
    case Kind::Edit: return std::make_unique<CEdit>();
    case Kind::Static: return std::make_unique<CStatic>();
    case Kind::ComboBox: return std::make_unique<CComboBox>();
    case Kind::ListBox: return std::make_unique<CListBox>();
    case Kind::ListView: return std::make_unique<CListCtrl>();
    case Kind::Grid: return std::make_unique<CGridCtrl>();
    case Kind::Dialog: return std::make_unique<CDialog>();
    default: return std::make_unique<CWnd>();
    }
}

POINT origin(const Window* w) {
    POINT p{0, 0};
    for (; w; w = w->parent) {
        p.x += w->rect.left;
        p.y += w->rect.top;
    }
    return p;
}
}  // namespace

// ---- CCmdTarget --------------------------------------------------------------------------

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::findEntry(UINT message, UINT code, UINT id) const {
    bool routed = message == WM_COMMAND || message == WM_NOTIFY;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage != 0; ++e) {
            if (e->nMessage != message) continue;
            if (!routed || (e->nCode == code && id >= e->nID && id <= e->nLastID)) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult) {
    bool notify = pExtra != nullptr;
    const AFX_MSGMAP_ENTRY* e = findEntry(notify ? WM_NOTIFY : WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (!e) return FALSE;
    LRESULT dummy = 0;
    e->pfn(this, MAKEWPARAM(static_cast<WORD>(nID), static_cast<WORD>(nCode)), reinterpret_cast<LPARAM>(pExtra),
           pResult ? pResult : &dummy);
    return TRUE;
}

// ---- CWnd --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
    Window* w = live(m_hWnd);
    if (!w) return;
    if (w->attached == this) {
        w->attached = nullptr;
        if (w->ownedByWrapper) vx::ui::destroyWindow(w);
    }
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    Window* w = live(hWnd);
    if (!w) return nullptr;
    if (w->attached) return w->attached;
    if (!w->temporary) {
        w->temporary = wrapperFor(w->kind);
        w->temporary->m_hWnd = hWnd;
    }
    return w->temporary.get();
}

BOOL CWnd::Attach(HWND hWnd) {
    Window* w = live(hWnd);
    if (!w || m_hWnd) return FALSE;
    m_hWnd = hWnd;
    w->attached = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (Window* w = live(h))
        if (w->attached == this) w->attached = nullptr;
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    Window* p = pParent ? live(pParent->m_hWnd) : nullptr;
    Window* c = p ? p->child(static_cast<int>(nID)) : nullptr;
    if (!c) return FALSE;
    if (c->attached == this) return TRUE;
    if (m_hWnd) Detach();
    if (c->attached) c->attached->m_hWnd = nullptr;
    return Attach(vx::ui::handleOf(c));
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID) {
    if (m_hWnd) return FALSE;
    std::wstring cls = lpszClassName ? lpszClassName : L"";
    Window* parent = pParentWnd ? live(pParentWnd->m_hWnd) : nullptr;
    Window* w = vx::ui::createWindow(vx::ui::kindForClass(cls, dwStyle), parent, static_cast<int>(nID),
                                     lpszWindowName ? lpszWindowName : L"", dwStyle, rect);
    w->className = cls;
    w->ownedByWrapper = true;
    Attach(vx::ui::handleOf(w));
    CREATESTRUCTW cs{};
    cs.hwndParent = parent;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    Window* w = live(m_hWnd);
    if (!w) return FALSE;
    SendMessage(WM_DESTROY);
    if (focused == w) focused = nullptr;
    vx::ui::destroyWindow(w);
    m_hWnd = nullptr;
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    Window* w = live(m_hWnd);
    if (!w) return FALSE;
    BOOL was = w->visible;
    vx::ui::setVisible(*w, nCmdShow != SW_HIDE);
    return was;
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w) return FALSE;
    BOOL wasDisabled = !w->enabled;
    w->enabled = bEnable != 0;
    w->style = w->enabled ? (w->style & ~WS_DISABLED) : (w->style | WS_DISABLED);
    return wasDisabled;
}

BOOL CWnd::IsWindowVisible() const {
    for (Window* w = live(m_hWnd); w; w = w->parent)
        if (!w->visible) return FALSE;
    return m_hWnd && live(m_hWnd) ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const {
    Window* w = live(m_hWnd);
    return w && w->enabled;
}

void CWnd::SetWindowText(LPCTSTR s) {
    Window* w = live(m_hWnd);
    if (!w) return;
    vx::ui::setText(*w, s ? s : L"", false);
}

void CWnd::GetWindowText(CString& r) const {
    Window* w = live(m_hWnd);
    r = w ? vx::ui::textOf(*w).c_str() : L"";
}

int CWnd::GetWindowText(LPTSTR buf, int n) const {
    if (!buf || n <= 0) return 0;
    Window* w = live(m_hWnd);
    std::wstring t = w ? vx::ui::textOf(*w) : L"";
    int len = std::min<int>(static_cast<int>(t.size()), n - 1);
    std::wmemcpy(buf, t.data(), static_cast<size_t>(len));
    buf[len] = 0;
    return len;
}

int CWnd::GetWindowTextLength() const {
    Window* w = live(m_hWnd);
    return w ? static_cast<int>(vx::ui::textOf(*w).size()) : 0;
}

DWORD CWnd::GetStyle() const {
    Window* w = live(m_hWnd);
    return w ? w->style : 0;
}

DWORD CWnd::GetExStyle() const {
    Window* w = live(m_hWnd);
    return w ? w->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w) return FALSE;
    DWORD before = w->style;
    w->style = (w->style & ~remove) | add;
    w->enabled = (w->style & WS_DISABLED) == 0;
    vx::ui::setVisible(*w, (w->style & WS_VISIBLE) != 0);
    return before != w->style;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    Window* w = live(m_hWnd);
    Window* c = w ? w->child(nID) : nullptr;
    return c ? FromHandle(vx::ui::handleOf(c)) : nullptr;
}

int CWnd::GetDlgCtrlID() const {
    Window* w = live(m_hWnd);
    return w ? w->id : 0;
}

CWnd* CWnd::GetParent() const {
    Window* w = live(m_hWnd);
    return w && w->parent ? FromHandle(vx::ui::handleOf(w->parent)) : nullptr;
}

void CWnd::SetDlgItemText(int nID, LPCTSTR s) {
    if (CWnd* c = GetDlgItem(nID)) c->SetWindowText(s);
}

int CWnd::GetDlgItemText(int nID, LPTSTR buf, int n) const {
    CWnd* c = GetDlgItem(nID);
    if (!c) {
        if (buf && n > 0) buf[0] = 0;
        return 0;
    }
    return c->GetWindowText(buf, n);
}

int CWnd::GetDlgItemText(int nID, CString& r) const {
    CWnd* c = GetDlgItem(nID);
    r = L"";
    if (c) c->GetWindowText(r);
    return r.GetLength();
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    CString s;
    GetDlgItemText(nID, s);
    long long v = 0;
    bool ok = vx::ui::parseInteger(s.GetString(), v) && (bSigned || v >= 0);
    if (lpTrans) *lpTrans = ok;
    return ok ? static_cast<UINT>(v) : 0;
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    std::wstring s = bSigned ? std::to_wstring(static_cast<int>(nValue)) : std::to_wstring(nValue);
    SetDlgItemText(nID, s.c_str());
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    if (CWnd* c = GetDlgItem(nIDButton))
        if (Window* w = vx::ui::edited(c->m_hWnd)) w->check = static_cast<int>(nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    CWnd* c = GetDlgItem(nIDButton);
    Window* w = c ? live(c->m_hWnd) : nullptr;
    return w ? static_cast<UINT>(w->check) : 0;
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL) {
    Window* w = vx::ui::edited(m_hWnd);
    if (!w) return;
    bool resized = (w->rect.right - w->rect.left) != cx || (w->rect.bottom - w->rect.top) != cy;
    w->rect = RECT{x, y, x + cx, y + cy};
    if (resized)
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(std::max(0, cx)), static_cast<WORD>(std::max(0, cy))));
}

void CWnd::MoveWindow(LPCRECT r, BOOL bRepaint) {
    if (r) MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags) {
    Window* w = live(m_hWnd);
    if (!w) return FALSE;
    if (nFlags & SWP_NOMOVE) { x = w->rect.left; y = w->rect.top; }
    if (nFlags & SWP_NOSIZE) { cx = w->rect.right - w->rect.left; cy = w->rect.bottom - w->rect.top; }
    MoveWindow(x, y, cx, cy);
    if (nFlags & SWP_SHOWWINDOW) ShowWindow(SW_SHOW);
    if (nFlags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::GetWindowRect(LPRECT r) const {
    Window* w = live(m_hWnd);
    if (!r) return;
    if (!w) { *r = RECT{0, 0, 0, 0}; return; }
    POINT o = origin(w);
    *r = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
}

void CWnd::GetClientRect(LPRECT r) const {
    Window* w = live(m_hWnd);
    if (!r) return;
    *r = w ? RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top} : RECT{0, 0, 0, 0};
}

void CWnd::ScreenToClient(LPRECT r) const {
    Window* w = live(m_hWnd);
    if (!r || !w) return;
    POINT o = origin(w);
    r->left -= o.x; r->right -= o.x; r->top -= o.y; r->bottom -= o.y;
}

void CWnd::ClientToScreen(LPRECT r) const {
    Window* w = live(m_hWnd);
    if (!r || !w) return;
    POINT o = origin(w);
    r->left += o.x; r->right += o.x; r->top += o.y; r->bottom += o.y;
}

CWnd* CWnd::SetFocus() {
    Window* w = live(m_hWnd);
    CWnd* before = GetFocus();
    if (!w) return before;
    focused = w;
    for (Window* p = w->parent; p; p = p->parent)
        if (p->kind == Kind::Dialog) { p->focusId = w->id; break; }
    return before;
}

CWnd* CWnd::GetFocus() {
    if (focused && !vx::ui::isLiveWindow(focused)) focused = nullptr;
    return focused ? FromHandle(vx::ui::handleOf(focused)) : nullptr;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return vx::ui::backend().messageBox(text ? text : L"", caption ? caption : L"", type);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!live(m_hWnd)) return 0;
    MSG msg{m_hWnd, message, wParam, lParam};
    const MSG* saved = m_current;
    m_current = &msg;
    LRESULT r = WindowProc(message, wParam, lParam);
    m_current = saved;
    return r;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT r = 0;
    if (!OnWndMsg(message, wParam, lParam, &r)) r = DefWindowProc(message, wParam, lParam);
    return r;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) return OnCommand(wParam, lParam);
    if (message == WM_NOTIFY) return OnNotify(wParam, lParam, pResult);
    const AFX_MSGMAP_ENTRY* e = findEntry(message, 0, 0);
    if (!e) return FALSE;
    *pResult = e->pfn(this, wParam, lParam, pResult);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM, LPARAM) {
    Window* w = live(m_hWnd);
    // The close box of a dialog means Cancel, as the system's dialog procedure does it.
    if (message == WM_CLOSE && w && w->kind == Kind::Dialog)
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), static_cast<WORD>(BN_CLICKED)), 0);
    return 0;
}

LRESULT CWnd::Default() {
    if (!m_current) return 0;
    MSG m = *m_current;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* h = reinterpret_cast<const NMHDR*>(lParam);
    if (!h) return FALSE;
    const AFX_MSGMAP_ENTRY* e = findEntry(WM_NOTIFY, h->code, static_cast<UINT>(h->idFrom));
    if (!e) return FALSE;
    LRESULT dummy = 0;
    e->pfn(this, 0, lParam, pResult ? pResult : &dummy);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.failed() ? FALSE : TRUE;
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }

BOOL IsWindow(HWND hWnd) { return vx::ui::isLiveWindow(hWnd) ? TRUE : FALSE; }
