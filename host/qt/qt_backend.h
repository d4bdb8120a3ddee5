// The desktop backend of the UI core: dialogs, palettes and controls as Qt widgets (through the
// widget mirror), modal dialogs and message boxes as nested event loops, the folder browser as
// a QFileDialog. What is open for the user right now is exposed for tests and scripts.
#pragma once

#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

#include "qt/widget_mirror.h"
#include "ui/backend.h"

class QAbstractButton;
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
    // The open message box's type (MB_YESNO ...) and its button that answers `id`, or null.
    UINT messageBoxType() const { return m_boxType; }
    QAbstractButton* messageBoxButton(int id) const;

    // A script's run writes what the console host writes about dialogs (each dialog as it
    // opens, hidden and shown again), so that both transcripts of one script are the same.
    bool transcribeDialogs = false;

private:
    struct Modal {
        HWND dialog;
        QEventLoop* loop;
    };
    void endFinishedLoops();

    WidgetMirror m_mirror;
    std::vector<Modal> m_modals;
    QPointer<QMessageBox> m_box;
    UINT m_boxType = 0;
    std::vector<std::pair<int, QAbstractButton*>> m_boxButtons;
    QPointer<QFileDialog> m_browser;
};

// The backend installed by ui::setBackend, when it is the desktop one.
QtBackend* qtBackend();

}  // namespace vx::qt
