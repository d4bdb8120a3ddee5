// Drawings open on a worker thread while the main window shows how far the read got and stays
// alive: it repaints, Cancel (or Esc) stops the read, every other input is held back until the
// drawing is there. The database is handed over on the GUI thread, so the editor never sees a
// drawing that is still being built.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class AcDbDatabase;
class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QWidget;

namespace vx::qt {

class DrawingLoader : public QObject {
public:
    // The progress shows in `window`'s status bar.
    explicit DrawingLoader(QMainWindow& window);
    ~DrawingLoader() override;

    // Reads `path` on a worker thread; returns when the read ended, with the database or null
    // and the reason. Failures are shown in a message box unless `showFailures` is off (script
    // runs, whose transcript says it). Installed as the editor's drawing reader by install().
    AcDbDatabase* read(const std::wstring& path, std::wstring& why);
    void install();

    bool showFailures = true;
    bool loading() const { return m_loading; }
    // Stops the read under way (the Cancel button, Esc).
    void cancel();

    QProgressBar* bar() const { return m_bar; }
    QPushButton* cancelButton() const { return m_cancel; }
    // Told on the GUI thread each time the bar moves (value 0..1000), for tests.
    std::function<void(int)> onProgress;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFailure(const std::wstring& path, const std::wstring& why);

    QMainWindow& m_window;
    QWidget* m_panel = nullptr;
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_loading = false;
    bool m_cancelled = false;
};

}  // namespace vx::qt
