// Runs a script through the windows, one line whenever the program waits for the user: a point,
// a jig's cursor move or a selection window is given with the mouse on the drawing view, any
// other line at a prompt is typed into the command line, a dialog action becomes a click, key
// strokes in an edit, a tick in a list or a cell edit, a message box is answered with its
// button (boxes with only OK are answered without a line, as in the console; so is a plot
// preview window, closed with Esc, unless the script ends there: then the screenshot shows it).
// When the script ends the screenshot
// is taken, and then everything still open is closed as at the end of a console script.
#pragma once

#include <QTimer>
#include <memory>
#include <string>

#include "editor/command_line.h"
#include "ui/window.h"

class QFileDialog;
class QMessageBox;
class QWidget;

namespace vx::qt {

class GuiInput;
class MainWindow;
class QtBackend;

class ScriptDriver {
public:
    ScriptDriver(MainWindow& window, QtBackend& backend, GuiInput& input, std::unique_ptr<editor::InputSource> script,
                 std::string screenshot);
    void start();
    // Saves the screenshot unless it was taken already (the script's end takes it; a script
    // that quits the program takes it as the session ends).
    void takeScreenshot();
    // False when the screenshot could not be written.
    bool screenshotSaved() const { return m_saved; }

private:
    void step();
    bool nextLine(std::wstring& line);
    void answerBox(QMessageBox& box);
    void answerBrowser(QFileDialog& browser);
    void actOnDialog(ui::Window& dialog);
    std::wstring perform(ui::Window& dialog, const std::wstring& line);
    void typeCommand(const std::wstring& line);
    void finish();
    void closeWhatIsOpen();
    QWidget* topmost() const;

    MainWindow& m_window;
    QtBackend& m_backend;
    GuiInput& m_input;
    std::unique_ptr<editor::InputSource> m_script;
    std::string m_screenshot;
    QTimer m_timer;
    bool m_running = false;
    bool m_ended = false;
    bool m_saved = true;
    bool m_shotTaken = false;
    HWND m_refusedToClose = nullptr;
    // A line read to learn whether the script goes on past a preview window, kept for the
    // next wait.
    std::wstring m_pending;
    bool m_hasPending = false;
};

}  // namespace vx::qt
