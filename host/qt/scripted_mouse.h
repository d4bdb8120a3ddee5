// A script's answers to point, jig and selection prompts given with the mouse on the drawing
// view: a point becomes a click, "drag x,y" a cursor move, "W"/"C" a rubber band dragged left to
// right or right to left. The view is panned or zoomed first when the points are out of sight
// (as a user would), and the hand lands on the typed point to the last bit, so the drawing ends
// up as the console's would. The transcript shows the script's line.
#pragma once

#include <QPointF>
#include <string>

#include "editor/input_event.h"
#include "render/geometry.h"

namespace vx::qt {

class DrawingView;
class GuiInput;

// False when `line` is no gesture for what the prompt expects (keywords, handles, ALL, Enter,
// a 3D point ...): the caller types it.
bool answerWithMouse(DrawingView& view, GuiInput& input, const std::wstring& line, editor::Expect expect);

// The position in the view whose drawing point is `world`, exactly when a position between
// pixels can say it, else the nearest.
QPointF exactPosition(const DrawingView& view, render::Vec2 world);

}  // namespace vx::qt
