// A palette set of the core as a dock of the main window (or a floating window when there is no
// main window): its palettes fill the dock's content area. Closing the dock hides the set in the
// core, as the set's close button does.
#pragma once

#include <QDockWidget>

#include "ui/window.h"

class QMainWindow;

namespace vx::qt {

class PaletteDock : public QDockWidget {
public:
    PaletteDock(ui::Window& set, QMainWindow* main);
    QWidget* content() const { return m_content; }
    // Title, docked or floating, size and visibility as the core has them.
    void sync(ui::Window& set);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    HWND m_set;
    QMainWindow* m_main;
    QWidget* m_content;
    bool m_placed = false;
};

}  // namespace vx::qt
