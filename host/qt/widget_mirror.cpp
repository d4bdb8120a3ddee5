#include "qt/widget_mirror.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalBlocker>
#include <QTimer>

#include "qt/control_widgets.h"
#include "qt/dialog_widget.h"
#include "qt/palette_dock.h"

namespace vx::qt {
namespace {

using ui::Kind;
using ui::Window;

// The window whose widget stands on the screen by itself: a dialog or palette set below the
// main frame, or a window without a parent.
Window* rootOf(Window& w) {
    Window* r = &w;
    while (r->parent && r->parent->kind != Kind::Frame) r = r->parent;
    return r;
}

bool isTopLevel(const Window& w) { return !w.parent || w.parent->kind == Kind::Frame; }

// A combo box's rectangle in a template includes its drop-down list; the box itself is one line.
QRect geometryOf(const Window& w, const QWidget* widget) {
    QRect r(w.rect.left, w.rect.top, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top);
    if (w.kind == Kind::ComboBox) r.setHeight(std::min(r.height(), widget->sizeHint().height()));
    return r;
}

}  // namespace

WidgetMirror::WidgetMirror() = default;

WidgetMirror::~WidgetMirror() {
    for (auto& [w, e] : m_entries) {
        if (e.dock) delete e.dock.data();
        else if (e.widget && !e.widget->parentWidget()) delete e.widget.data();
    }
}

QWidget* WidgetMirror::widgetOf(const Window& w) const {
    auto it = m_entries.find(&w);
    return it == m_entries.end() ? nullptr : it->second.widget.data();
}

QDockWidget* WidgetMirror::dockOf(const Window& set) const {
    auto it = m_entries.find(&set);
    return it == m_entries.end() ? nullptr : it->second.dock.data();
}

void WidgetMirror::changed(Window& w) {
    m_dirty.insert(&w);
    schedule();
}

void WidgetMirror::shown(Window& w, bool) {
    m_dirty.insert(&w);
    schedule();
}

void WidgetMirror::destroyed(Window& w) {
    m_dirty.erase(&w);
    forget(w);
}

void WidgetMirror::forget(const Window& w) {
    auto it = m_entries.find(&w);
    if (it == m_entries.end()) return;
    Entry e = it->second;
    m_entries.erase(it);
    // The window may go while one of its widget's signals is being handled: the widget stops
    // talking to the core now and is deleted once Qt is back in its event loop.
    QWidget* gone = e.dock ? static_cast<QWidget*>(e.dock.data()) : e.widget.data();
    if (!gone) return;
    if (e.widget) QObject::disconnect(e.widget.data(), nullptr, nullptr, nullptr);
    gone->hide();
    gone->deleteLater();
}

void WidgetMirror::schedule() {
    if (m_scheduled || m_flushing) return;
    m_scheduled = true;
    QTimer::singleShot(0, [this] { flush(); });
}

void WidgetMirror::act(HWND window, const std::function<std::wstring(Window&)>& gesture) {
    if (!ui::isLiveWindow(window)) return;
    auto run = [this, window, gesture] {
        if (!ui::isLiveWindow(window)) return;
        std::wstring why = gesture(*ui::fromHandle(window));
        flush();
        if (!why.empty() && refused) refused(why);
    };
    Window* root = rootOf(*ui::fromHandle(window));
    const bool inModal = root->kind == Kind::Dialog && root->modal;
    if (inModal || !outsideDialogs) return run();
    if (!outsideDialogs(run) && refused) refused(L"the palette cannot be used while a command is running");
}

void WidgetMirror::flush() {
    m_scheduled = false;
    if (m_flushing) return;
    m_flushing = true;
    std::unordered_set<Window*> roots;
    for (const Window* w : m_dirty)
        if (ui::isLiveWindow(ui::handleOf(const_cast<Window*>(w)))) roots.insert(rootOf(*const_cast<Window*>(w)));
    for (Window* root : roots) {
        if (root->kind == Kind::Frame) continue;
        // Nothing to show yet: the widget is built when the window first shows.
        if (!widgetOf(*root) && !root->visible) continue;
        if (!widgetOf(*root)) buildTopLevel(*root);
        syncTree(*root, nullptr, false);
    }
    // What was not synced belongs to windows that are not on screen; they read everything when
    // they first show.
    m_dirty.clear();
    m_flushing = false;
}

QWidget* WidgetMirror::buildTopLevel(Window& w) {
    Entry e;
    if (w.kind == Kind::PaletteSet) {
        auto* dock = new PaletteDock(w, m_main);
        e.dock = dock;
        e.widget = dock->content();
    } else if (w.kind == Kind::Dialog) {
        e.widget = new DialogWidget(w, m_main, *this);
    } else {
        auto* top = new QWidget(m_main, Qt::Window);
        top->setWindowTitle(QString::fromStdWString(w.text));
        e.widget = top;
    }
    m_entries[&w] = e;
    // Everything under a new top-level reads its state once.
    std::function<void(Window&)> markAll = [&](Window& x) {
        m_dirty.insert(&x);
        for (auto& c : x.children) markAll(*c);
    };
    markAll(w);
    return e.widget;
}

QWidget* WidgetMirror::build(Window& w, QWidget* parent) {
    QWidget* widget = controlKind(w.kind).create(w, parent, *this);
    m_entries[&w].widget = widget;
    m_dirty.insert(&w);
    return widget;
}

void WidgetMirror::syncTree(Window& w, QWidget* parent, bool all) {
    QWidget* widget = widgetOf(w);
    if (!widget) {
        if (!parent) return;
        widget = build(w, parent);
    }
    const bool changed = all || m_dirty.count(&w) > 0;
    for (auto& child : w.children) {
        syncTree(*child, widget, false);
        // A child made after its siblings still keeps the core's order (later = on top).
        if (QWidget* cw = widgetOf(*child)) cw->raise();
    }
    if (changed) syncOne(w, widget);
}

void WidgetMirror::syncOne(Window& w, QWidget* widget) {
    QSignalBlocker block(widget);
    std::unique_ptr<QSignalBlocker> blockEdit;
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        blockEdit = std::make_unique<QSignalBlocker>(combo->lineEdit());
    if (isTopLevel(w)) {
        auto it = m_entries.find(&w);
        if (it != m_entries.end() && it->second.dock) {
            static_cast<PaletteDock*>(it->second.dock.data())->sync(w);
            return;
        }
        widget->setWindowTitle(QString::fromStdWString(w.text));
        widget->setEnabled(w.enabled);
        if (w.visible && !widget->isVisible()) {
            widget->show();
            widget->raise();
            widget->activateWindow();
            if (Window* f = w.child(w.focusId))
                if (QWidget* fw = widgetOf(*f)) fw->setFocus(Qt::OtherFocusReason);
        } else if (!w.visible && widget->isVisible()) {
            widget->hide();
        }
        return;
    }
    controlKind(w.kind).sync(w, widget);
    widget->setGeometry(geometryOf(w, widget));
    widget->setEnabled(w.enabled);
    widget->setVisible(w.visible);
}

}  // namespace vx::qt
