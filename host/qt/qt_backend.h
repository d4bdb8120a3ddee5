// The desktop backend of the UI core: dialogs, palettes and controls as Qt widgets (through the
// widget mirror), modal dialogs and message boxes as nested event loops, the folder browser as
// a QFileDialog. What is open for the user right now is exposed for tests and scripts.
#pragma once

#include <QPointer>
#include <memory>
#include <vector>

#include "qt/widget_mirror.h"
#include "ui/backend.h"

class QDialog;
class QEventLoop;
class QFileDialog;
class QMessageBox;

namespace vx::qt {

class QtBackend : public ui::Backend {
public:
    QtBackend();
    ~QtBackend() override;

    void runModal(ui::Window& dialog) override;
    int messageBox(const std::wstring& text, const std::wstring& caption, UINT type) override;
    bool browseFolder(const std::wstring& title, UINT flags, std::wstring& path) override;
    void editorCommandBegins(ui::Window& dialog) override;
    void editorCommandEnds(ui::Window& dialog, bool completed) override;
    void reportError(const std::wstring& message) override;
    void windowCreated(ui::Window& w) override;
    void windowChanged(ui::Window& w) override;
    void windowShown(ui::Window& w, bool visible) override;
    void windowDestroyed(ui::Window& w) override;

    WidgetMirror& mirror() { return m_mirror; }

    // The innermost modal dialog that is running, or null.
    ui::Window* modalDialog() const;
    // The message box or folder browser waiting for the user, or null.
    QMessageBox* messageBoxOpen() const;
    QFileDialog* folderBrowserOpen() const;

private:
    struct Modal {
        HWND dialog;
        QEventLoop* loop;
    };
    void endFinishedLoops();

    WidgetMirror m_mirror;
    std::vector<Modal> m_modals;
    QPointer<QMessageBox> m_box;
    QPointer<QFileDialog> m_browser;
};

// The backend installed by ui::setBackend, when it is the desktop one.
QtBackend* qtBackend();

}  // namespace vx::qt
