// ZOOM, a host command of the desktop host (the console has no view to zoom): "E" fits the
// drawing's extents, "W" fits a window given by two corners, clicked or typed.
#pragma once

namespace vx::qt {

class DrawingView;

// Registers ZOOM acting on `view` (once the view is gone, ZOOM says so).
void registerZoomCommand(DrawingView& view);

}  // namespace vx::qt
