#include "qt/script_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <cstdio>

#include "qt/command_dock.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "qt/main_window.h"
#include "qt/plot_preview_window.h"
#include "qt/qt_backend.h"
#include "qt/qt_text.h"
#include "qt/scripted_mouse.h"
#include "qt/synthetic_input.h"
#include "qt/wait_stack.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_print.h"
#include "ui/dialog_script.h"
#include "win32/safe_file.h"

namespace vx::qt {
namespace {

namespace actions = ui::actions;
namespace script = ui::script;
using editor::CommandLine;

constexpr int kStepMilliseconds = 2;

void refuse(const std::wstring& why) {
    CommandLine::get().print(L"\n** " + why);
    CommandLine::get().noteUnusableLine();
}

// The text a control holds as the user would type it (multi-line edits show "\n").
QString typed(const std::wstring& text) {
    QString t = toQ(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

}  // namespace

ScriptDriver::ScriptDriver(MainWindow& window, QtBackend& backend, GuiInput& input,
                           std::unique_ptr<editor::InputSource> script, std::string screenshot)
    : m_window(window), m_backend(backend), m_input(input), m_script(std::move(script)), m_screenshot(std::move(screenshot)) {
    m_timer.setInterval(kStepMilliseconds);
    m_timer.setSingleShot(true);
    m_backend.transcribeDialogs = true;
    QObject::connect(&m_timer, &QTimer::timeout, [this] { step(); });
}

void ScriptDriver::start() {
    m_running = true;
    m_timer.start();
}

bool ScriptDriver::nextLine(std::wstring& line) {
    if (m_hasPending) {
        m_hasPending = false;
        line = std::move(m_pending);
        return true;
    }
    while (m_script->next(line)) {
        if (!line.empty() && line[0] == L'#') continue;
        return true;
    }
    return false;
}

void ScriptDriver::step() {
    // Re-armed first: an action below may run a nested event loop (a message box, a dialog) in
    // which this step has not returned, and Qt never fires a timer again from inside its own
    // activation.
    if (m_running) m_timer.start();
    m_backend.mirror().flush();
    WaitStack& waits = WaitStack::get();
    if (waits.empty()) return;  // busy: the next tick looks again
    if (m_ended) return closeWhatIsOpen();
    switch (waits.innermost()) {
    case Wait::kMessageBox:
        if (QMessageBox* box = m_backend.messageBoxOpen()) answerBox(*box);
        return;
    case Wait::kFolder:
        if (QFileDialog* browser = m_backend.folderBrowserOpen(); browser && browser->isVisible()) answerBrowser(*browser);
        return;
    case Wait::kDialog:
        if (ui::Window* dialog = m_backend.modalDialog())
            if (QWidget* w = m_backend.mirror().widgetOf(*dialog); w && w->isVisible()) actOnDialog(*dialog);
        return;
    case Wait::kCommandLine: {
        std::wstring line;
        if (!nextLine(line)) return finish();
        // Points, cursor moves and selection windows are given with the mouse on the drawing.
        editor::Expect expect;
        if (editor::waitingFor(expect) && answerWithMouse(*m_window.view(), m_input, line, expect)) return;
        typeCommand(line);
        return;
    }
    case Wait::kPreview:
        if (PlotPreviewWindow* preview = PlotPreviewWindow::current(); preview && preview->isVisible()) {
            std::wstring line;
            if (!nextLine(line)) return finish();
            m_pending = std::move(line);
            m_hasPending = true;
            hand::key(preview, Qt::Key_Escape);
        }
        return;
    }
}

void ScriptDriver::typeCommand(const std::wstring& line) {
    QLineEdit* input = m_window.commandDock()->inputLine();
    hand::typeOver(input, toQ(line));
    hand::key(input, Qt::Key_Return);
}

void ScriptDriver::answerBox(QMessageBox& box) {
    // Not on the screen yet (laid out when shown): the next tick answers it.
    if (!box.isVisible()) return;
    const std::vector<script::Answer> answers = script::answersFor(m_backend.messageBoxType());
    // A box with only OK is answered without a line, as the console answers it.
    if (answers.empty()) {
        if (QAbstractButton* ok = m_backend.messageBoxButton(IDOK)) hand::click(ok);
        return;
    }
    std::wstring line;
    if (!nextLine(line)) return finish();
    const std::wstring list = script::answerList(answers);
    CommandLine::get().echoAnswer(L"\n(" + list + L")> ", line);
    const int id = script::answerId(answers, line);
    if (QAbstractButton* button = id >= 0 ? m_backend.messageBoxButton(id) : nullptr) return hand::click(button);
    refuse(L"answer with one of " + list);
}

void ScriptDriver::answerBrowser(QFileDialog& browser) {
    std::wstring line;
    if (!nextLine(line)) return finish();
    CommandLine::get().echoAnswer(L"\nFolder (a path, or cancel)> ", line);
    const std::wstring answer = script::restText(line, 0);
    if (script::answerId({{L"cancel", IDCANCEL}}, answer) == IDCANCEL) return browser.reject();
    QString path = toQ(answer);
    path.replace(u'\\', u'/');
    const QFileInfo folder(path);
    if (!folder.isDir()) return refuse(L"not a folder: " + answer);
    // Typed into the dialog's file name field and confirmed, as a user picks a folder by name.
    browser.setDirectory(folder.absolutePath());
    browser.selectFile(folder.absoluteFilePath());
    static_cast<QDialog&>(browser).accept();  // the dialog checks the choice as its button would
}

void ScriptDriver::actOnDialog(ui::Window& dialog) {
    std::wstring line;
    if (!nextLine(line)) return finish();
    CommandLine::get().echoAnswer(L"\n" + dialog.text + L"> ", line);
    const std::wstring why = perform(dialog, line);
    if (!why.empty()) refuse(why);
}

std::wstring ScriptDriver::perform(ui::Window& dialog, const std::wstring& line) {
    script::Action a;
    std::wstring why;
    if (!script::parseAction(line, a, why)) return why;
    WidgetMirror& mirror = m_backend.mirror();
    QWidget* top = mirror.widgetOf(dialog);
    switch (a.verb) {
    case script::Verb::kShow: CommandLine::get().print(ui::printDialog(dialog)); return L"";
    case script::Verb::kClose:
        if (top) top->close();
        return L"";
    case script::Verb::kEscape:
        if (top) hand::key(top->focusWidget() ? top->focusWidget() : top, Qt::Key_Escape);
        return L"";
    case script::Verb::kEnter: {
        // The default button must exist and be usable, else the key does nothing.
        const int id = dialog.defaultId ? dialog.defaultId : IDOK;
        ui::Window* b = actions::findControl(dialog, id);
        if (!b) return L"the dialog has no default button";
        if (auto w = actions::unusable(*b); !w.empty()) return L"the default button: " + w;
        if (top) hand::key(top->focusWidget() ? top->focusWidget() : top, Qt::Key_Return);
        return L"";
    }
    default: break;
    }
    ui::Window* c = script::controlOf(dialog, a, why);
    if (!c) return why;
    if (auto w = actions::unusable(*c); !w.empty()) return w;
    QWidget* widget = mirror.widgetOf(*c);
    if (!widget) return L"control " + std::to_wstring(c->id) + L" is not on the screen";
    switch (a.verb) {
    case script::Verb::kClick:
        if (qobject_cast<QAbstractButton*>(widget)) {
            hand::click(widget);
            return L"";
        }
        return actions::click(*c);  // says why this kind cannot be clicked
    case script::Verb::kSet: {
        if (auto w = actions::cannotType(*c, a.text); !w.empty()) return w;
        QWidget* field = widget;
        if (auto* combo = qobject_cast<QComboBox*>(widget)) field = combo->lineEdit();
        if (!field) return actions::setText(*c, a.text);
        hand::typeOver(field, typed(a.text));
        return L"";
    }
    case script::Verb::kCheck: {
        auto* b = qobject_cast<QAbstractButton*>(widget);
        if (!b || (c->kind != ui::Kind::CheckBox && c->kind != ui::Kind::RadioButton)) return actions::check(*c, a.on);
        // On the box itself: a wide check box takes clicks only on its box and label.
        if ((c->check == BST_CHECKED) != a.on) hand::click(b, QPoint(4, b->height() / 2));
        return L"";
    }
    case script::Verb::kChoose: {
        if (c->kind == ui::Kind::ListView) {
            auto* t = qobject_cast<QTableWidget*>(widget);
            if (!t || a.index < 0 || a.index >= t->rowCount()) return actions::choose(*c, a.text, a.index);
            t->selectRow(a.index);
            return L"";
        }
        const int index = actions::itemIndex(*c, a.text, a.index, why);
        if (index < 0) return why;
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            return L"";
        }
        if (auto* list = qobject_cast<QListWidget*>(widget)) {
            list->setCurrentRow(index);
            return L"";
        }
        return actions::choose(*c, a.text, a.index);
    }
    case script::Verb::kTick: {
        auto* t = qobject_cast<QTableWidget*>(widget);
        QTableWidgetItem* item = t && c->kind == ui::Kind::ListView ? t->item(a.row, 0) : nullptr;
        if (!item || !(item->flags() & Qt::ItemIsUserCheckable)) return actions::tick(*c, a.row, a.on);
        item->setCheckState(a.on ? Qt::Checked : Qt::Unchecked);
        return L"";
    }
    case script::Verb::kSelect: {
        auto* t = qobject_cast<QTableWidget*>(widget);
        if (!t || a.row < 0 || a.row >= t->rowCount() || c->kind != ui::Kind::ListView) return actions::selectRow(*c, a.row);
        t->selectRow(a.row);
        return L"";
    }
    default: {  // a cell edited in place: double-click, type, Enter
        auto* t = qobject_cast<QTableWidget*>(widget);
        QTableWidgetItem* item = t && c->kind == ui::Kind::Grid ? t->item(a.row, a.column) : nullptr;
        if (!item || !(item->flags() & Qt::ItemIsEditable)) return actions::editCell(*c, a.row, a.column, a.text);
        t->setCurrentItem(item);
        t->editItem(item);
        // The editor just opened: earlier ones are hidden and wait for their deletion.
        QLineEdit* editor = nullptr;
        for (QLineEdit* e : t->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) editor = e;
        if (!editor) {
            item->setText(typed(a.text));
            return L"";
        }
        hand::typeOver(editor, typed(a.text));
        hand::key(editor, Qt::Key_Return);
        return L"";
    }
    }
}

QWidget* ScriptDriver::topmost() const {
    if (PlotPreviewWindow* preview = PlotPreviewWindow::current(); preview && preview->isVisible()) return preview;
    if (QMessageBox* box = m_backend.messageBoxOpen()) return box;
    if (QFileDialog* browser = m_backend.folderBrowserOpen()) return browser;
    if (ui::Window* dialog = m_backend.modalDialog())
        if (QWidget* w = m_backend.mirror().widgetOf(*dialog); w && w->isVisible()) return w;
    return &m_window;
}

void ScriptDriver::finish() {
    m_ended = true;
    takeScreenshot();
}

void ScriptDriver::takeScreenshot() {
    if (m_screenshot.empty() || m_shotTaken) return;
    m_shotTaken = true;
    m_backend.mirror().flush();
    QApplication::processEvents();
    // A large drawing may still be coming in slices: the screenshot shows it complete.
    if (DrawingView* view = m_window.view()) view->finishDrawing();
    const QImage image = topmost()->grab().toImage();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    win32::FileError error;
    m_saved = !png.isEmpty() && win32::writeFileSafely(
                                    m_screenshot, [&](win32::Sink& s) { return s.write(png.constData(), size_t(png.size())); }, error);
    if (!m_saved) {
        const QByteArray reason = png.isEmpty() ? QByteArray("no image") : toQ(error.message).toUtf8();
        std::fprintf(stderr, "vxhost-gui: cannot save the screenshot %s: %s\n", m_screenshot.c_str(), reason.constData());
    }
}

void ScriptDriver::closeWhatIsOpen() {
    switch (WaitStack::get().innermost()) {
    case Wait::kMessageBox:
        if (QMessageBox* box = m_backend.messageBoxOpen()) {
            if (QAbstractButton* esc = box->escapeButton()) hand::click(esc);
            else box->reject();
        }
        return;
    case Wait::kFolder:
        if (QFileDialog* browser = m_backend.folderBrowserOpen()) browser->reject();
        return;
    case Wait::kDialog: {
        ui::Window* dialog = m_backend.modalDialog();
        if (!dialog) return;
        const HWND h = ui::handleOf(dialog);
        if (m_refusedToClose == h) {
            // The end of the input ends a dialog that refuses its close box with Cancel, so a
            // script can never leave the program waiting.
            dialog->ended = true;
            dialog->result = IDCANCEL;
            ui::changed(*dialog);
            return;
        }
        m_refusedToClose = h;
        if (QWidget* w = m_backend.mirror().widgetOf(*dialog)) w->close();
        return;
    }
    case Wait::kPreview:
        if (PlotPreviewWindow* preview = PlotPreviewWindow::current()) preview->reject();
        return;
    case Wait::kCommandLine:
        // The steps go on: a pick that ends here may bring its dialog back, which must be closed
        // as well (the program would wait for it for ever).
        m_input.close();
        return;
    }
}

}  // namespace vx::qt
