// A top-level dialog of the core as a Qt dialog: Enter, Escape and the close box go to the core
// (the default button, Cancel, WM_CLOSE), which decides whether the dialog ends.
#pragma once

#include <QDialog>

#include "ui/window.h"

namespace vx::qt {

class WidgetMirror;

class DialogWidget : public QDialog {
public:
    DialogWidget(ui::Window& dialog, QWidget* parent, WidgetMirror& mirror);
    HWND window() const { return m_window; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    HWND m_window;
    WidgetMirror& m_mirror;
};

}  // namespace vx::qt
