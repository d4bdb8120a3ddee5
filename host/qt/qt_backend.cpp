#include "qt/qt_backend.h"

#include <QAbstractButton>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>

#include "editor/command_line.h"
#include "qt/qt_text.h"
#include "qt/wait_stack.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_print.h"

namespace vx::qt {
namespace {

struct BoxButton {
    QMessageBox::StandardButton button;
    int id;
    const char16_t* caption;
};

// The buttons of each message box type, in the order Windows shows them, with their Chinese
// captions.
std::vector<BoxButton> buttonsFor(UINT type) {
    const BoxButton ok{QMessageBox::Ok, IDOK, u"确定"}, cancel{QMessageBox::Cancel, IDCANCEL, u"取消"},
        yes{QMessageBox::Yes, IDYES, u"是(&Y)"}, no{QMessageBox::No, IDNO, u"否(&N)"},
        retry{QMessageBox::Retry, IDRETRY, u"重试(&R)"}, abort{QMessageBox::Abort, IDABORT, u"中止(&A)"},
        ignore{QMessageBox::Ignore, IDIGNORE, u"忽略(&I)"};
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {ok, cancel};
    case MB_YESNO: return {yes, no};
    case MB_YESNOCANCEL: return {yes, no, cancel};
    case MB_RETRYCANCEL: return {retry, cancel};
    case MB_ABORTRETRYIGNORE: return {abort, retry, ignore};
    default: return {ok};
    }
}

QMessageBox::Icon iconFor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// What a box answers when it is closed without a button: Cancel, else No, else its only button.
int closedAnswer(const std::vector<BoxButton>& buttons) {
    for (const BoxButton& b : buttons)
        if (b.id == IDCANCEL) return IDCANCEL;
    for (const BoxButton& b : buttons)
        if (b.id == IDNO) return IDNO;
    return buttons.size() == 1 ? buttons.front().id : IDCANCEL;
}

}  // namespace

QtBackend::QtBackend() {
    m_mirror.refused = [](const std::wstring& why) { editor::CommandLine::get().print(L"\n** " + why); };
}

QtBackend::~QtBackend() = default;

QMessageBox* QtBackend::messageBoxOpen() const { return m_box.data(); }
QFileDialog* QtBackend::folderBrowserOpen() const { return m_browser.data(); }

QAbstractButton* QtBackend::messageBoxButton(int id) const {
    for (const auto& [answer, button] : m_boxButtons)
        if (answer == id) return button;
    return nullptr;
}

ui::Window* QtBackend::modalDialog() const {
    for (auto it = m_modals.rbegin(); it != m_modals.rend(); ++it)
        if (ui::isLiveWindow(it->dialog)) return ui::fromHandle(it->dialog);
    return nullptr;
}

void QtBackend::runModal(ui::Window& dialog) {
    const HWND h = ui::handleOf(&dialog);
    m_mirror.flush();
    if (transcribeDialogs) editor::CommandLine::get().print(ui::printDialog(dialog));
    QEventLoop loop;
    WaitStack::Scope wait(Wait::kDialog);
    m_modals.push_back({h, &loop});
    while (ui::isLiveWindow(h) && !dialog.ended) {
        loop.exec();
        // The loop ends early only when the application is closing: the dialog is closed as
        // its close box would, and ended with Cancel if it refuses, so nothing waits forever.
        if (ui::isLiveWindow(h) && !dialog.ended) {
            ui::actions::closeBox(dialog);
            if (ui::isLiveWindow(h) && !dialog.ended) {
                dialog.ended = true;
                dialog.result = IDCANCEL;
            }
        }
    }
    m_modals.pop_back();
    m_mirror.flush();
}

void QtBackend::endFinishedLoops() {
    for (const Modal& m : m_modals)
        if (!ui::isLiveWindow(m.dialog) || ui::fromHandle(m.dialog)->ended) m.loop->quit();
}

int QtBackend::messageBox(const std::wstring& text, const std::wstring& caption, UINT type) {
    m_mirror.flush();
    const std::vector<BoxButton> buttons = buttonsFor(type);
    QMessageBox box(iconFor(type), caption.empty() ? QStringLiteral("消息") : toQ(caption), toQ(text), QMessageBox::NoButton,
                    m_mirror.mainWindow());
    std::vector<QAbstractButton*> made;
    for (const BoxButton& b : buttons) {
        QAbstractButton* button = box.addButton(b.button);
        button->setText(QString::fromUtf16(b.caption));
        made.push_back(button);
    }
    const size_t def = (type & MB_DEFBUTTON3) == MB_DEFBUTTON3 ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
    if (def < made.size()) box.setDefaultButton(static_cast<QPushButton*>(made[def]));
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].id == IDCANCEL || (buttons.size() == 1)) box.setEscapeButton(made[i]);
    m_box = &box;
    m_boxType = type;
    m_boxButtons.clear();
    for (size_t i = 0; i < made.size(); ++i) m_boxButtons.emplace_back(buttons[i].id, made[i]);
    editor::CommandLine::get().print(L"\n[" + (caption.empty() ? std::wstring(L"消息") : caption) + L"] " + text);
    WaitStack::Scope wait(Wait::kMessageBox);
    box.exec();
    m_box = nullptr;
    m_boxButtons.clear();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i]) return buttons[i].id;
    return closedAnswer(buttons);
}

bool QtBackend::browseFolder(const std::wstring& title, UINT, std::wstring& path) {
    m_mirror.flush();
    QFileDialog dialog(m_mirror.mainWindow(), title.empty() ? QStringLiteral("选择文件夹") : toQ(title));
    // Qt's own dialog, so that it looks and behaves the same everywhere and can be driven.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(QDir::currentPath());
    m_browser = &dialog;
    editor::CommandLine::get().print(L"\n[选择文件夹] " + (title.empty() ? std::wstring(L"选择文件夹") : title));
    WaitStack::Scope wait(Wait::kFolder);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    m_browser = nullptr;
    if (!accepted) return false;
    const QFileInfo chosen(dialog.selectedFiles().front());
    if (!chosen.isDir()) return false;
    path = fromQ(chosen.canonicalFilePath());
    return true;
}

void QtBackend::editorCommandBegins(ui::Window& dialog) {
    m_mirror.flush();
    if (transcribeDialogs) editor::CommandLine::get().print(L"\n[" + dialog.text + L": hidden]");
}

void QtBackend::editorCommandEnds(ui::Window& dialog, bool) {
    m_mirror.flush();
    if (transcribeDialogs && !dialog.ended) editor::CommandLine::get().print(L"\n[" + dialog.text + L": shown again]");
}

void QtBackend::reportError(const std::wstring& message) { editor::CommandLine::get().print(L"\n** " + message); }

void QtBackend::windowCreated(ui::Window& w) { m_mirror.changed(w); }

void QtBackend::windowChanged(ui::Window& w) {
    m_mirror.changed(w);
    endFinishedLoops();
}

void QtBackend::windowShown(ui::Window& w, bool visible) {
    m_mirror.shown(w, visible);
    endFinishedLoops();
}

void QtBackend::windowDestroyed(ui::Window& w) {
    m_mirror.destroyed(w);
    endFinishedLoops();
}

QtBackend* qtBackend() { return dynamic_cast<QtBackend*>(&ui::backend()); }

}  // namespace vx::qt
