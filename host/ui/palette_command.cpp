// The host command PALETTE: without an argument it lists the palettes and their buttons; with
// "caption" or an id it presses that button, as a click on the palette would.
#include <algorithm>
#include <cstdlib>
#include <cwctype>

#include "afxwin.h"
#include "editor/command_line.h"
#include "editor/host_commands.h"
#include "text/strings.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_print.h"
#include "ui/main_frame.h"
#include "ui/palette_command.h"

namespace vx::ui {
namespace {

std::vector<Window*> childrenOf(Window* w, Kind k) {
    std::vector<Window*> out;
    if (w)
        for (auto& c : w->children)
            if (c->kind == k) out.push_back(c.get());
    return out;
}

Window* frameWindow() { return fromHandle(mainFrame()->GetSafeHwnd()); }

using vx::text::trim;

// The button's dialog, its palette (only the active one is shown) and the set must all be on
// screen for the user to reach the button.
bool shown(const Window* control) {
    for (const Window* w = control ? control->parent : nullptr; w && w->kind != Kind::Frame; w = w->parent)
        if (!w->visible) return false;
    return control != nullptr;
}

}  // namespace

bool paletteCommand(const std::wstring& rawArgs) {
    auto& cl = vx::editor::CommandLine::get();
    const std::wstring args(trim(rawArgs));
    std::vector<Window*> sets = childrenOf(frameWindow(), Kind::PaletteSet);
    if (args.empty()) {
        if (sets.empty()) cl.print(L"\nNo palette is open.");
        for (Window* s : sets) {
            bool floating = (s->style & CBRS_FLOATING) != 0;
            cl.print(L"\nPalette set \"" + s->text + L"\" (" + (floating ? L"floating" : L"docked") + L", " +
                     (s->visible ? L"visible" : L"hidden") + L", " + std::to_wstring(s->rect.right - s->rect.left) +
                     L"x" + std::to_wstring(s->rect.bottom - s->rect.top) + L")");
            for (Window* p : childrenOf(s, Kind::Palette)) {
                cl.print(L"\n Palette \"" + p->text + L"\"");
                for (Window* d : childrenOf(p, Kind::Dialog)) cl.print(printDialog(*d));
            }
        }
        return true;
    }
    bool byCaption = args.size() >= 2 && args.front() == L'"' && args.back() == L'"';
    std::wstring caption = byCaption ? args.substr(1, args.size() - 2) : args;
    int id = 0;
    bool numeric = !byCaption && !args.empty() && std::all_of(args.begin(), args.end(), [](wchar_t c) { return std::iswdigit(c); });
    // Ids are 16-bit on this platform: a longer number names no button (and cannot overflow).
    if (numeric && args.size() <= 5) id = static_cast<int>(std::wcstol(args.c_str(), nullptr, 10));
    else if (numeric) id = -2;
    Window* found = nullptr;
    for (Window* s : sets)
        for (Window* p : childrenOf(s, Kind::Palette))
            for (Window* d : childrenOf(p, Kind::Dialog)) {
                Window* c = numeric ? actions::findControl(*d, id) : actions::findControlByCaption(*d, caption);
                if (c && (!found || (shown(c) && c->isControlUsable() && !(shown(found) && found->isControlUsable()))))
                    found = c;
            }
    std::wstring why;
    if (!found) why = L"no palette has a button " + args;
    else if (!shown(found)) why = L"the palette is hidden";
    else why = actions::click(*found);
    if (!why.empty()) {
        cl.print(L"\n** " + why);
        cl.noteUnusableLine();
        return false;
    }
    return true;
}

namespace {
const bool registered = [] {
    vx::editor::registerHostCommand(L"PALETTE", [](const std::wstring& a) { paletteCommand(a); });
    return true;
}();
}  // namespace

}  // namespace vx::ui
