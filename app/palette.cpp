#include "app/palette.h"

#include "aced.h"
#include "resources/ids_frame_dialogs.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kPaletteTitle = L"Vorlix Tool";
constexpr DWORD kPaletteSetStyle = PSS_AUTO_ROLLUP | PSS_PROPERTIES_MENU | PSS_CLOSE_BUTTON | PSS_EDIT_NAME;
constexpr int kPaletteWidth = 1000, kPaletteHeight = 100;

CVorlixPaletteSet* g_paletteSet = nullptr;

}  // namespace

BOOL CVorlixPaletteSet::PreTranslateMessage(MSG* pMsg) {
    if (pMsg && (pMsg->message == WM_CHAR || pMsg->message == WM_SYSCHAR)) return CWnd::PreTranslateMessage(pMsg);
    return CAdUiPaletteSet::PreTranslateMessage(pMsg);
}

void CVorlixPaletteSet::GetMinimumSize(CSize& size) { size = CSize(kPaletteWidth, kPaletteHeight); }
void CVorlixPaletteSet::GetMaximumSize(CSize& size) { size = CSize(kPaletteWidth, kPaletteHeight); }

BEGIN_MESSAGE_MAP(CVorlixPalette, CAdUiPalette)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CVorlixPalette::CanFrameworkTakeFocus() {
    CAdUiPaletteSet* set = GetPaletteSet();
    return set && set->IsFloating();
}

int CVorlixPalette::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CAdUiPalette::OnCreate(lpCreateStruct) == -1) return -1;
    m_child.Create(IDD_VORLIX_PALETTE, this);
    CRect rect;
    GetWindowRect(&rect);
    m_child.MoveWindow(0, 0, rect.Width(), rect.Height());
    return 0;
}

void CVorlixPalette::OnSize(UINT nType, int cx, int cy) {
    CAdUiPalette::OnSize(nType, cx, cy);
    if (!m_child.GetSafeHwnd()) return;
    m_child.OnSize(nType, cx, cy);
    m_child.MoveWindow(0, 0, cx, cy);
}

void createPaletteSet() {
    CMDIFrameWnd* frame = acedGetAcadFrame();
    if (g_paletteSet) {
        frame->ShowControlBar(g_paletteSet, TRUE, FALSE);
        return;
    }
    // The button dialog's template is the module's.
    CAcModuleResourceOverride resources;
    auto* set = new CVorlixPaletteSet;
    CRect rect(0, 0, kPaletteWidth, 50);
    if (!set->Create(kPaletteTitle, WS_DLGFRAME, rect, frame, kPaletteSetStyle)) {
        delete set;
        return;
    }
    auto* palette = new CVorlixPalette;
    if (palette->Create(WS_CHILD | WS_VISIBLE, kPaletteTitle, set, PS_EDIT_NAME)) {
        set->AddPalette(palette);  // the set owns its palettes from here on
    } else {
        delete palette;
    }
    set->EnableDocking(CBRS_ALIGN_TOP);
    frame->ShowControlBar(set, TRUE, TRUE);
    set->RestoreControlBar(AFX_IDW_DOCKBAR_TOP, nullptr);
    g_paletteSet = set;
}

void destroyPaletteSet() {
    if (!g_paletteSet) return;
    g_paletteSet->DestroyWindow();
    delete g_paletteSet;
    g_paletteSet = nullptr;
    acedGetAcadFrame()->RestoreWaitCursor();
}

CVorlixPaletteSet* paletteSet() { return g_paletteSet; }

void hidePaletteSet() {
    if (!g_paletteSet) return;
    g_paletteSet->ShowWindow(SW_HIDE);
    acedGetAcadFrame()->RecalcLayout();
}

void showPaletteSet() {
    if (!g_paletteSet) return;
    g_paletteSet->ShowWindow(SW_SHOW);
    acedGetAcadFrame()->RecalcLayout();
}

}  // namespace vorlix
