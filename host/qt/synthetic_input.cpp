#include "qt/synthetic_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace vx::qt::hand {
namespace {

QPoint where(QWidget* w, QPoint at) { return at.x() < 0 ? w->rect().center() : at; }

void mouse(QWidget* w, QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

void press(QWidget* w, QPointF at, Qt::MouseButton button) { mouse(w, QEvent::MouseButtonPress, at, button, button); }

void move(QWidget* w, QPointF at, Qt::MouseButtons held) { mouse(w, QEvent::MouseMove, at, Qt::NoButton, held); }

void release(QWidget* w, QPointF at, Qt::MouseButton button) { mouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton); }

void click(QWidget* w, QPoint at, Qt::MouseButton button) { clickAt(w, where(w, at), button); }

void clickAt(QWidget* w, QPointF at, Qt::MouseButton button) {
    press(w, at, button);
    release(w, at, button);
}

void key(QWidget* w, int k, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, k, modifiers, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, k, modifiers, text);
    QApplication::sendEvent(w, &up);
}

void typeOver(QWidget* w, const QString& text) {
    w->setFocus(Qt::OtherFocusReason);
    key(w, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        key(w, Qt::Key_Backspace);
        return;
    }
    for (int i = 0; i < text.size(); ++i) {
        // A character outside the basic plane is one key stroke of two UTF-16 units.
        const int n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        key(w, 0, Qt::NoModifier, text.mid(i, n));
        i += n - 1;
    }
}

}  // namespace vx::qt::hand
