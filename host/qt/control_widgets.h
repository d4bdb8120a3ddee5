// The widget of each kind of window: how it is made, how it reads the window's state, and which
// of its signals are the user's gestures (handed to the core through WidgetMirror::act).
#pragma once

#include <QColor>
#include <QFont>

#include "ui/window.h"

class QWidget;

namespace vx::qt {

class WidgetMirror;

struct ControlKind {
    QWidget* (*create)(ui::Window& w, QWidget* parent, WidgetMirror& mirror);
    void (*sync)(ui::Window& w, QWidget* widget);
};
const ControlKind& controlKind(ui::Kind kind);

// The list control and the grid (list_view_widget.cpp, grid_widget.cpp).
QWidget* createListView(ui::Window& w, QWidget* parent, WidgetMirror& mirror);
void syncListView(ui::Window& w, QWidget* widget);
QWidget* createGrid(ui::Window& w, QWidget* parent, WidgetMirror& mirror);
void syncGrid(ui::Window& w, QWidget* widget);

// A dialog template's font: the face it names (with stand-ins that this system has), at the
// pixel size the dialog units were computed from.
QFont dialogFont(const ui::Window& dialog);
// A Windows colour (0x00BBGGRR); the "default colour" values give `fallback`.
QColor fromColorRef(COLORREF c, const QColor& fallback);

}  // namespace vx::qt
