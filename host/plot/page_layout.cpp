// Page placement. Everything is computed once per page; drawing then only applies the map.
#include "plot/page_layout.h"

#include <algorithm>
#include <cmath>

namespace vx::plot {

using render::Affine;
using render::Box2;
using render::Vec2;

namespace {

bool finiteBox(const Box2& b) {
    return std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) && std::isfinite(b.y1);
}

Box2 intersection(const Box2& a, const Box2& b) {
    Box2 r;
    r.x0 = std::max(a.x0, b.x0), r.y0 = std::max(a.y0, b.y0);
    r.x1 = std::min(a.x1, b.x1), r.y1 = std::min(a.y1, b.y1);
    return r;
}

Box2 mappedBox(const Affine& map, const Box2& box) {
    Box2 out;
    out.add(map.map({box.x0, box.y0}));
    out.add(map.map({box.x1, box.y0}));
    out.add(map.map({box.x1, box.y1}));
    out.add(map.map({box.x0, box.y1}));
    return out;
}

// Exact quarter turns: cos/sin of multiples of 90 degrees leave 1e-17 residues that would tilt
// the page by a hair and turn straight lines into slightly slanted ones.
Affine quarterTurns(int degrees) {
    switch (degrees) {
        case 90: return {0, 1, -1, 0, 0, 0};
        case 180: return {-1, 0, 0, -1, 0, 0};
        case 270: return {0, -1, 1, 0, 0, 0};
        default: return {};
    }
}

int rotationDegrees(PlotRotation rotation, const Box2& window, const Paper& paper) {
    switch (rotation) {
        case PlotRotation::Deg0: return 0;
        case PlotRotation::Deg90: return 90;
        case PlotRotation::Deg180: return 180;
        case PlotRotation::Deg270: return 270;
        case PlotRotation::Auto: break;
    }
    return autoRotationDegrees(window, paper.widthMm, paper.heightMm);
}

}  // namespace

int autoRotationDegrees(const Box2& window, double paperWidthMm, double paperHeightMm) {
    const bool windowLandscape = window.width() > window.height();
    const bool paperLandscape = paperWidthMm > paperHeightMm;
    return windowLandscape == paperLandscape ? 0 : 90;
}

bool layoutPage(const Placement& p, PageLayout& layout, std::string& error) {
    const Box2& w = p.window;
    if (w.empty() || !finiteBox(w)) {
        error = "the plot window is empty or not a finite box";
        return false;
    }
    if (!(p.paper.widthMm > 0 && p.paper.heightMm > 0) || !std::isfinite(p.paper.widthMm) ||
        !std::isfinite(p.paper.heightMm)) {
        error = "the paper has no size";
        return false;
    }
    Box2 sheet;
    sheet.add(Vec2{0, 0});
    sheet.add(Vec2{p.paper.widthMm, p.paper.heightMm});
    Box2 printable = p.paper.printableMm.empty() ? sheet : intersection(p.paper.printableMm, sheet);
    if (printable.empty() || !finiteBox(printable) || printable.width() <= 0 || printable.height() <= 0) {
        error = "the printable area lies outside the paper";
        return false;
    }

    const int degrees = rotationDegrees(p.rotation, w, p.paper);
    const Affine turn = Affine::translation(-w.x0, -w.y0).then(quarterTurns(degrees));
    const Box2 turned = mappedBox(turn, w);

    double scale = p.mmPerUnit;
    if (p.scaleToFit) {
        // A window of zero width or height (a line) still fits by its other side.
        const double sx = turned.width() > 0 ? printable.width() / turned.width() : HUGE_VAL;
        const double sy = turned.height() > 0 ? printable.height() / turned.height() : HUGE_VAL;
        scale = std::min(sx, sy);
    }
    if (!(scale > 0) || !std::isfinite(scale)) {
        error = p.scaleToFit ? "the plot window has no size" : "the plot scale must be above zero";
        return false;
    }

    const double plottedW = turned.width() * scale, plottedH = turned.height() * scale;
    Vec2 corner;
    if (p.centred) {
        corner = {printable.x0 + (printable.width() - plottedW) / 2, printable.y0 + (printable.height() - plottedH) / 2};
    } else {
        if (!std::isfinite(p.originMm.x) || !std::isfinite(p.originMm.y)) {
            error = "the plot origin is not a finite point";
            return false;
        }
        corner = {printable.x0 + p.originMm.x, printable.y0 + p.originMm.y};
    }

    layout.worldToPaper = turn.then(Affine::translation(-turned.x0, -turned.y0))
                              .then(Affine::scaling(scale, scale))
                              .then(Affine::translation(corner.x, corner.y));
    layout.mmPerUnit = scale;
    layout.rotationDegrees = degrees;
    layout.printableMm = printable;
    layout.windowMm = mappedBox(layout.worldToPaper, w);
    layout.clipMm = intersection(layout.windowMm, printable);
    return true;
}

Box2 worldBoxOf(const PageLayout& layout, const Box2& paperBox) {
    if (paperBox.empty()) return {};
    const Affine& m = layout.worldToPaper;
    const double det = m.determinant();
    if (det == 0 || !std::isfinite(det)) return {};
    // The inverse of an affine map.
    Affine inv;
    inv.m11 = m.m22 / det, inv.m12 = -m.m12 / det;
    inv.m21 = -m.m21 / det, inv.m22 = m.m11 / det;
    inv.dx = -(m.dx * inv.m11 + m.dy * inv.m21);
    inv.dy = -(m.dx * inv.m12 + m.dy * inv.m22);
    return mappedBox(inv, paperBox);
}

}  // namespace vx::plot
