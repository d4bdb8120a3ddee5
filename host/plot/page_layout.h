// Where a window of the drawing lands on a sheet of paper: rotation, scale and placement, and the
// map from world coordinates to paper millimetres (origin at the sheet's lower left, y up).
#pragma once

#include <string>

#include "render/geometry.h"

namespace vx::plot {

struct Paper {
    double widthMm = 0, heightMm = 0;
    render::Box2 printableMm;  // empty: the whole sheet
};

enum class PlotRotation { Deg0, Deg90, Deg180, Deg270, Auto };

// How a window is put on the paper. Rotations turn the drawing counter-clockwise on the sheet;
// Auto turns it by 90 degrees when the window and the paper differ in orientation (landscape
// means wider than high, so a square window on landscape paper is turned).
struct Placement {
    render::Box2 window;          // world coordinates
    Paper paper;
    bool scaleToFit = true;
    double mmPerUnit = 1;         // without scaleToFit: paper mm per drawing unit (1:100 in the
                                  // office's mm x 100 units is 1)
    PlotRotation rotation = PlotRotation::Auto;
    bool centred = true;
    render::Vec2 originMm;        // without centring: where the plotted window's lower left corner
                                  // lies, from the printable area's lower left corner
};

struct PageLayout {
    render::Affine worldToPaper;
    double mmPerUnit = 0;
    int rotationDegrees = 0;
    render::Box2 printableMm;
    render::Box2 windowMm;        // the window on the paper (may reach beyond the printable area)
    render::Box2 clipMm;          // what may be drawn: the window within the printable area
};

// False with a reason when the placement cannot make a page (empty or non-finite window, paper
// without size, printable area outside the sheet, scale not above zero).
bool layoutPage(const Placement& placement, PageLayout& layout, std::string& error);

// The rotation Auto picks for a window on a paper.
int autoRotationDegrees(const render::Box2& window, double paperWidthMm, double paperHeightMm);

// The box of world coordinates that lands in `paperBox` (the inverse of the page's map).
render::Box2 worldBoxOf(const PageLayout& layout, const render::Box2& paperBox);

}  // namespace vx::plot
