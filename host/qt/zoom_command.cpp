#include "qt/zoom_command.h"

#include <QPointer>

#include "aced.h"
#include "editor/host_commands.h"
#include "editor/input.h"
#include "editor/input_event.h"
#include "qt/drawing_view.h"
#include "text/strings.h"

namespace vx::qt {
namespace {

using namespace editor;

// A corner: a click or a typed x,y; false when the user cancels.
bool readCorner(const wchar_t* prompt, render::Vec2& corner) {
    for (;;) {
        const InputEvent e = readEvent(prompt, Expect::kPoint);
        switch (e.kind) {
        case EventKind::kPoint: corner = {e.point[0], e.point[1]}; return true;
        case EventKind::kCancel: return false;
        case EventKind::kMalformed: rejectAnswer(e.text); continue;
        default: rejectAnswer(L"Requires a point: x,y; ESC cancels."); continue;
        }
    }
}

void zoom(DrawingView& view, const std::wstring& rest) {
    std::wstring answer(text::trim(rest));
    if (answer.empty() && readAnswer(L"\nZoom [Extents/Window] <Extents>: ", answer) == Answer::kCancel) return;
    const std::wstring keyword = matchKeyword(L"Extents Window", std::wstring(text::trim(answer)));
    if (answer.empty() || keyword == L"Extents") {
        view.zoomExtents();
        return;
    }
    if (keyword != L"Window") {
        rejectAnswer(L"Answer E (extents) or W (window).");
        return;
    }
    render::Vec2 a, b;
    if (!readCorner(L"\nSpecify first corner: ", a) || !readCorner(L"\nSpecify opposite corner: ", b)) return;
    render::Box2 box;
    box.add(a);
    box.add(b);
    if (box.width() <= 0 || box.height() <= 0) {
        rejectAnswer(L"The corners must differ in x and in y.");
        return;
    }
    view.zoomWindow(box);
}

}  // namespace

void registerZoomCommand(DrawingView& view) {
    // The command outlives a window that closes before the session ends.
    QPointer<DrawingView> shown(&view);
    registerHostCommand(L"ZOOM", [shown](const std::wstring& rest) {
        if (shown) zoom(*shown, rest);
        else acutPrintf(L"\nNo drawing view to zoom.");
    });
}

}  // namespace vx::qt
