// The user's input at the editor's prompts as typed events: a point, a cursor move of a jig, a
// selection window or crossing, a pick, keywords and other texts, Enter, cancel. A window posts
// them as they happen; the console's text syntax ("x,y", "drag x,y", "W a b", "ALL" ...) is
// turned into the same events at the border, where a line is read, so the prompts, the
// selection and the jig only ever see events.
#pragma once

#include <string>
#include <string_view>

namespace vx::editor {

enum class EventKind {
    kPoint,      // a point given or clicked; at "Select objects" a pick with the pick box
    kDrag,       // the cursor moved to `point` (a jig follows it; nothing is placed)
    kWindow,     // entities inside the box `point`..`corner`
    kCrossing,   // entities inside or touching the box
    kAll,        // every entity of the current space
    kLast,       // the last entity of the current space
    kHandles,    // entities by handle: `text` holds them, blank-separated
    kText,       // any other answer: a keyword, a value, free text
    kEnter,      // an empty answer
    kCancel,     // Esc, or the end of input
    kMalformed,  // a typed form that went wrong: `text` is the hint for the user
};

struct InputEvent {
    EventKind kind = EventKind::kEnter;
    double point[3] = {0, 0, 0};
    double corner[3] = {0, 0, 0};
    // A pick's half-size of the pick box in drawing units (0: only what passes through the point).
    double aperture = 0;
    std::wstring text;
};

// Which text forms a prompt reads: only points, points and cursor moves (a jig), or the
// selection's forms.
enum class Expect { kPoint, kDrag, kSelection };

// The console's text form of an answer as an event.
InputEvent parseTyped(const std::wstring& line, Expect expect);
// What a user would have typed for `event`: the transcript shows it for events from a window.
std::wstring typedForm(const InputEvent& event);

// Shows `prompt` and reads one answer as an event: the event a window gave, else the line
// typed at the border of the console, parsed for what the prompt expects. Transparent commands
// run as with any answer.
InputEvent readEvent(std::wstring_view prompt, Expect expect);
// What the innermost read that waits for an event expects; false while no such read waits (the
// command prompt, a text prompt). A window decides with it what a gesture means.
bool waitingFor(Expect& expect);

}  // namespace vx::editor
