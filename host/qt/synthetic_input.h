// A user's hand for scripts: mouse clicks and key strokes sent to widgets as Qt events, so that
// a script goes through exactly what a person's gestures go through.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>
#include <Qt>

class QWidget;

namespace vx::qt::hand {

// Press and release at `at` (the middle when null); right or middle buttons as asked. Positions
// may lie between pixels, as a tablet's or a high-resolution mouse's do.
void click(QWidget* widget, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton);
void clickAt(QWidget* widget, QPointF at, Qt::MouseButton button = Qt::LeftButton);
void press(QWidget* widget, QPointF at, Qt::MouseButton button = Qt::LeftButton);
void move(QWidget* widget, QPointF at, Qt::MouseButtons held = Qt::NoButton);
void release(QWidget* widget, QPointF at, Qt::MouseButton button = Qt::LeftButton);
void key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString());
// Selects what the widget holds and types `text` over it, one key stroke per character.
void typeOver(QWidget* widget, const QString& text);

}  // namespace vx::qt::hand
