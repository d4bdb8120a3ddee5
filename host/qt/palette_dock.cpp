#include "qt/palette_dock.h"

#include <QCloseEvent>
#include <QMainWindow>

#include "adui.h"
#include "qt/qt_text.h"

namespace vx::qt {
namespace {

Qt::DockWidgetArea areaOf(UINT dockBar) {
    switch (dockBar) {
    case AFX_IDW_DOCKBAR_LEFT: return Qt::LeftDockWidgetArea;
    case AFX_IDW_DOCKBAR_RIGHT: return Qt::RightDockWidgetArea;
    case AFX_IDW_DOCKBAR_BOTTOM: return Qt::BottomDockWidgetArea;
    default: return Qt::TopDockWidgetArea;
    }
}

Qt::DockWidgetAreas dockAreas(DWORD dockStyle) {
    Qt::DockWidgetAreas a;
    if (dockStyle & CBRS_ALIGN_TOP) a |= Qt::TopDockWidgetArea;
    if (dockStyle & CBRS_ALIGN_BOTTOM) a |= Qt::BottomDockWidgetArea;
    if (dockStyle & CBRS_ALIGN_LEFT) a |= Qt::LeftDockWidgetArea;
    if (dockStyle & CBRS_ALIGN_RIGHT) a |= Qt::RightDockWidgetArea;
    return a;
}

CAdUiPaletteSet* setOf(HWND h) {
    return ui::isLiveWindow(h) ? dynamic_cast<CAdUiPaletteSet*>(CWnd::FromHandle(h)) : nullptr;
}

}  // namespace

PaletteDock::PaletteDock(ui::Window& set, QMainWindow* main)
    : QDockWidget(main), m_set(ui::handleOf(&set)), m_main(main), m_content(new QWidget(this)) {
    setObjectName(QStringLiteral("palette:") + toQ(set.text));
    setWidget(m_content);
    m_content->setAutoFillBackground(true);
}

void PaletteDock::sync(ui::Window& set) {
    setWindowTitle(toQ(set.text));
    const int width = set.rect.right - set.rect.left, height = set.rect.bottom - set.rect.top;
    m_content->setMinimumSize(width, height);
    m_content->setMaximumHeight(height);
    CAdUiPaletteSet* wrapper = setOf(m_set);
    const bool floating = (set.style & CBRS_FLOATING) != 0;
    if (wrapper) {
        Qt::DockWidgetAreas allowed = dockAreas(wrapper->m_dwDockStyle);
        setAllowedAreas(allowed ? allowed : Qt::NoDockWidgetArea);
    }
    if (m_main && !m_placed) {
        m_main->addDockWidget(areaOf(wrapper ? wrapper->dockBar() : AFX_IDW_DOCKBAR_TOP), this);
        m_placed = true;
    }
    setFloating(floating || !m_main);
    setVisible(set.visible);
}

void PaletteDock::closeEvent(QCloseEvent* event) {
    // The set hides in the core; the dock follows when the core says so.
    event->ignore();
    if (CAdUiPaletteSet* s = setOf(m_set)) s->ShowWindow(SW_HIDE);
}

}  // namespace vx::qt
