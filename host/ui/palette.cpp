// Palette sets and palettes. A set remembers its last place (docked or floating, size) by its
// title for the life of the host, so that a module loaded again comes back where it was.
#include <algorithm>
#include <map>

#include "adui.h"
#include "ui/main_frame.h"
#include "ui/window.h"

using vx::ui::Window;

namespace {
Window* live(HWND h) { return vx::ui::isLiveWindow(h) ? vx::ui::fromHandle(h) : nullptr; }

struct Place {
    UINT dockBar = AFX_IDW_DOCKBAR_FLOAT;
    RECT rect{0, 0, 0, 0};
};
std::map<std::wstring, Place>& places() {
    static auto* m = new std::map<std::wstring, Place>;
    return *m;
}
}  // namespace

CAdUiPaletteSet::CAdUiPaletteSet(int) {}

CAdUiPaletteSet::~CAdUiPaletteSet() { DestroyWindow(); }

BOOL CAdUiPaletteSet::Create(LPCTSTR title, DWORD dwStyle, const RECT& rect, CWnd* parent, DWORD setStyle) {
    if (m_hWnd) return FALSE;
    m_title = title ? title : L"";
    m_setStyle = setStyle;
    CWnd* p = parent ? parent : static_cast<CWnd*>(vx::ui::mainFrame());
    if (!CWnd::Create(L"AdUiPaletteSet", title, dwStyle | CBRS_FLOATING, rect, p, 0)) return FALSE;
    if (Window* w = live(m_hWnd)) w->kind = vx::ui::Kind::PaletteSet;
    return TRUE;
}

BOOL CAdUiPaletteSet::DestroyWindow() {
    Window* w = live(m_hWnd);
    if (!w) return FALSE;
    places()[m_title.GetString()] = Place{m_dockBar, w->rect};
    for (CAdUiPalette* p : m_palettes) p->Save(nullptr);
    // The set owns the palettes added to it: they go with its window.
    std::vector<CAdUiPalette*> owned;
    owned.swap(m_palettes);
    BOOL r = CWnd::DestroyWindow();
    for (CAdUiPalette* p : owned) delete p;
    m_active = -1;
    return r;
}

int CAdUiPaletteSet::AddPalette(CAdUiPalette* pal) {
    Window* w = live(m_hWnd);
    if (!w || !pal || std::find(m_palettes.begin(), m_palettes.end(), pal) != m_palettes.end()) return -1;
    m_palettes.push_back(pal);
    pal->m_set = this;
    if (Window* pw = live(pal->m_hWnd)) {
        if (pw->parent != w) return -1;
        pal->MoveWindow(0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
    }
    // One palette shows at a time (the others are tabs): a palette added later waits hidden.
    if (m_active < 0) SetActivePalette(pal);
    else pal->ShowWindow(SW_HIDE);
    return static_cast<int>(m_palettes.size()) - 1;
}

BOOL CAdUiPaletteSet::RemovePalette(CAdUiPalette* pal) {
    auto it = std::find(m_palettes.begin(), m_palettes.end(), pal);
    if (it == m_palettes.end()) return FALSE;
    m_palettes.erase(it);
    m_active = m_palettes.empty() ? -1 : 0;
    return TRUE;
}

int CAdUiPaletteSet::GetPaletteCount() const { return static_cast<int>(m_palettes.size()); }

CAdUiPalette* CAdUiPaletteSet::GetPalette(int i) const {
    return (i >= 0 && size_t(i) < m_palettes.size()) ? m_palettes[size_t(i)] : nullptr;
}

BOOL CAdUiPaletteSet::SetActivePalette(CAdUiPalette* pal) {
    auto it = std::find(m_palettes.begin(), m_palettes.end(), pal);
    if (it == m_palettes.end()) return FALSE;
    int index = static_cast<int>(it - m_palettes.begin());
    if (m_active >= 0 && m_active != index) m_palettes[size_t(m_active)]->OnKillActive();
    m_active = index;
    for (CAdUiPalette* p : m_palettes) p->ShowWindow(p == pal ? SW_SHOW : SW_HIDE);
    pal->OnSetActive();
    return TRUE;
}

CAdUiPalette* CAdUiPaletteSet::GetActivePalette() const { return GetPalette(m_active); }

void CAdUiPaletteSet::RestoreControlBar(UINT uID, CRect* initial) {
    Window* w = live(m_hWnd);
    if (!w) return;
    auto it = places().find(m_title.GetString());
    UINT bar = uID;
    RECT r = w->rect;
    if (it != places().end()) {
        bar = it->second.dockBar;
        r = it->second.rect;
    } else if (initial) {
        r = *initial;
    }
    bool docked = bar != AFX_IDW_DOCKBAR_FLOAT;
    // A dock bar that the set may not dock at leaves it floating.
    DWORD needed = bar == AFX_IDW_DOCKBAR_TOP ? CBRS_ALIGN_TOP : bar == AFX_IDW_DOCKBAR_BOTTOM ? CBRS_ALIGN_BOTTOM
                   : bar == AFX_IDW_DOCKBAR_LEFT ? CBRS_ALIGN_LEFT : bar == AFX_IDW_DOCKBAR_RIGHT ? CBRS_ALIGN_RIGHT : 0;
    if (docked && !(m_dwDockStyle & needed)) docked = false;
    m_dockBar = docked ? bar : AFX_IDW_DOCKBAR_FLOAT;
    vxFloat(!docked);
    vxResize(r.right - r.left, r.bottom - r.top);
    for (CAdUiPalette* p : m_palettes) p->Load(nullptr);
}

void CAdUiPaletteSet::GetMinimumSize(CSize& size) { size = CSize(20, 20); }
void CAdUiPaletteSet::GetMaximumSize(CSize& size) { size = CSize(10000, 10000); }

BOOL CAdUiPaletteSet::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

void CAdUiPaletteSet::vxResize(int cx, int cy) {
    Window* w = live(m_hWnd);
    if (!w) return;
    CSize lo, hi;
    GetMinimumSize(lo);
    GetMaximumSize(hi);
    cx = std::clamp(cx, int(lo.cx), std::max(int(lo.cx), int(hi.cx)));
    cy = std::clamp(cy, int(lo.cy), std::max(int(lo.cy), int(hi.cy)));
    MoveWindow(w->rect.left, w->rect.top, cx, cy);
    for (CAdUiPalette* p : m_palettes) p->MoveWindow(0, 0, cx, cy);
}

void CAdUiPaletteSet::vxFloat(bool floating) {
    ModifyStyle(floating ? 0 : CBRS_FLOATING, floating ? CBRS_FLOATING : 0);
    if (!floating && m_dockBar == AFX_IDW_DOCKBAR_FLOAT) m_dockBar = AFX_IDW_DOCKBAR_TOP;
    if (floating) m_dockBar = AFX_IDW_DOCKBAR_FLOAT;
}

CAdUiPalette::CAdUiPalette() = default;

CAdUiPalette::~CAdUiPalette() {
    if (m_set) m_set->RemovePalette(this);
}

BOOL CAdUiPalette::Create(DWORD dwStyle, LPCTSTR name, CAdUiPaletteSet* parent, DWORD style) {
    if (!parent || !parent->GetSafeHwnd()) return FALSE;
    m_name = name ? name : L"";
    m_style = style;
    CRect r;
    parent->GetClientRect(&r);
    if (!CWnd::Create(L"AdUiPalette", name, dwStyle, r, parent, 0)) return FALSE;
    if (Window* w = live(m_hWnd)) w->kind = vx::ui::Kind::Palette;
    return TRUE;
}

BOOL CAdUiPalette::Load(IUnknown*) { return TRUE; }
BOOL CAdUiPalette::Save(IUnknown*) { return TRUE; }
void CAdUiPalette::OnSetActive() {}
BOOL CAdUiPalette::OnKillActive() { return TRUE; }
BOOL CAdUiPalette::CanFrameworkTakeFocus() { return FALSE; }
