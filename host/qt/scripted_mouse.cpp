#include "qt/scripted_mouse.h"

#include <cmath>
#include <limits>

#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "qt/synthetic_input.h"

namespace vx::qt {
namespace {

using editor::EventKind;

constexpr int kMarginPixels = 8;
constexpr int kUlpSearch = 64;  // steps of one unit in the last place tried either side

// The coordinate near `guess` that `toWorld` maps exactly onto `target` (or the nearest found).
template <typename Map>
double exactCoordinate(double guess, double target, Map toWorld) {
    double best = guess, error = std::fabs(toWorld(guess) - target);
    double up = guess, down = guess;
    const double inf = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kUlpSearch && error > 0; ++i) {
        up = std::nextafter(up, inf);
        down = std::nextafter(down, -inf);
        for (double c : {up, down}) {
            const double e = std::fabs(toWorld(c) - target);
            if (e < error) best = c, error = e;
        }
    }
    return best;
}

render::Vec2 at(const double p[3]) { return {p[0], p[1]}; }

}  // namespace

QPointF exactPosition(const DrawingView& view, render::Vec2 world) {
    const QPointF guess = view.toPixels(world);
    const double x = exactCoordinate(guess.x(), world.x, [&](double c) { return view.toWorld(QPointF(c, guess.y())).x; });
    const double y = exactCoordinate(guess.y(), world.y, [&](double c) { return view.toWorld(QPointF(guess.x(), c)).y; });
    return {x, y};
}

bool answerWithMouse(DrawingView& view, GuiInput& input, const std::wstring& line, editor::Expect expect) {
    const editor::InputEvent e = editor::parseTyped(line, expect);
    // The mouse gives points in the drawing's plane only.
    if (e.point[2] != 0 || e.corner[2] != 0) return false;
    render::Box2 box;
    box.add(at(e.point));
    switch (e.kind) {
    case EventKind::kPoint:
    case EventKind::kDrag:
        if (expect == editor::Expect::kSelection) return false;
        view.bringIntoView(box, kMarginPixels);
        break;
    case EventKind::kWindow:
    case EventKind::kCrossing:
        box.add(at(e.corner));
        // A band without width is no drag: the console's own form says it.
        if (!(box.width() > 0)) return false;
        view.bringIntoView(box, kMarginPixels);
        break;
    default: return false;
    }
    input.echoNextAs(line);
    switch (e.kind) {
    case EventKind::kPoint: hand::clickAt(&view, exactPosition(view, at(e.point))); break;
    case EventKind::kDrag: hand::move(&view, exactPosition(view, at(e.point))); break;
    default: {
        // A window is dragged left to right, a crossing right to left, whatever the corners' order.
        const render::Vec2 a = at(e.point), b = at(e.corner);
        const render::Vec2 left{std::min(a.x, b.x), a.x <= b.x ? a.y : b.y};
        const render::Vec2 right{std::max(a.x, b.x), a.x <= b.x ? b.y : a.y};
        const bool window = e.kind == EventKind::kWindow;
        const QPointF from = exactPosition(view, window ? left : right), to = exactPosition(view, window ? right : left);
        hand::press(&view, from);
        hand::move(&view, (from + to) / 2, Qt::LeftButton);
        hand::move(&view, to, Qt::LeftButton);
        hand::release(&view, to);
        break;
    }
    }
    input.echoNextAs(L"");
    return true;
}

}  // namespace vx::qt
