#include "ui/main_frame.h"

#include "afxwin.h"
#include "ui/window.h"

namespace vx::ui {

CMDIFrameWnd* mainFrame() {
    // Never destroyed: windows may still refer to it while the process ends.
    static CMDIFrameWnd* frame = [] {
        auto* f = new CMDIFrameWnd;
        Window* w = createWindow(Kind::Frame, nullptr, 0, L"vxhost", WS_OVERLAPPED | WS_VISIBLE, RECT{0, 0, 1600, 900});
        f->Attach(handleOf(w));
        return f;
    }();
    return frame;
}

}  // namespace vx::ui

CMDIFrameWnd* acedGetAcadFrame() { return vx::ui::mainFrame(); }

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL) {
    if (pBar) pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::RecalcLayout(BOOL) { ++m_recalcs; }

void CControlBar::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }

BOOL CControlBar::IsFloating() const { return (GetStyle() & CBRS_FLOATING) != 0; }
