// One Qt widget per core window on screen. A window gets its widget when it first shows; after
// the core says a window changed, its widget reads the window again (at the next flush, never in
// the middle of a change); when the window is destroyed its widget goes. The user's gestures on
// a widget go back to the core through dialog_actions, so the dialog class hears what it hears
// from the script backend.
#pragma once

#include <QPointer>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "ui/window.h"

class QDockWidget;
class QMainWindow;
class QWidget;

namespace vx::qt {

class WidgetMirror {
public:
    WidgetMirror();
    ~WidgetMirror();
    WidgetMirror(const WidgetMirror&) = delete;
    WidgetMirror& operator=(const WidgetMirror&) = delete;

    // Palette sets dock in this window; without one they float.
    void setMainWindow(QMainWindow* main) { m_main = main; }
    QMainWindow* mainWindow() const { return m_main; }

    void changed(ui::Window& w);
    void shown(ui::Window& w, bool visible);
    void destroyed(ui::Window& w);
    // Brings every changed window's widget in step now; otherwise it happens as soon as Qt gets
    // control again.
    void flush();

    // The widget of a window (for a palette set: the area its palettes fill), or null while
    // the window has none.
    QWidget* widgetOf(const ui::Window& w) const;
    QDockWidget* dockOf(const ui::Window& paletteSet) const;

    // Runs a user's gesture on a window (if it still lives) and brings the widgets in step.
    // A refusal (why the core cannot do it) goes to `refused`.
    void act(HWND window, const std::function<std::wstring(ui::Window&)>& gesture);
    std::function<void(const std::wstring&)> refused;
    // Where gestures on windows outside modal dialogs (palettes) go to run: the host runs them
    // at the command prompt, as the console's PALETTE command runs; false while that cannot be.
    // Unset: they run at once.
    std::function<bool(std::function<void()>)> outsideDialogs;

private:
    struct Entry {
        QPointer<QWidget> widget;
        QPointer<QDockWidget> dock;  // palette sets only
    };
    void schedule();
    QWidget* build(ui::Window& w, QWidget* parent);
    void syncTree(ui::Window& w, QWidget* parent, bool all);
    void syncOne(ui::Window& w, QWidget* widget);
    QWidget* buildTopLevel(ui::Window& w);
    void forget(const ui::Window& w);

    QMainWindow* m_main = nullptr;
    std::unordered_map<const ui::Window*, Entry> m_entries;
    std::unordered_set<const ui::Window*> m_dirty;
    bool m_scheduled = false;
    bool m_flushing = false;
};

}  // namespace vx::qt
