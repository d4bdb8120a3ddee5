// The script form of the user's actions on dialogs and message boxes (click ID|"caption",
// set ID text, check, choose, tick, cell, select, enter, escape, close, show; ok/cancel/yes ...),
// parsed in one place for both consumers: the script backend acts on the core, the desktop host's
// script driver acts on the widgets.
#pragma once

#include <string>
#include <vector>

#include "ui/window.h"

namespace vx::ui::script {

enum class Verb { kClick, kSet, kCheck, kChoose, kTick, kCell, kSelect, kEnter, kEscape, kClose, kShow };

struct Action {
    Verb verb = Verb::kShow;
    std::wstring control;        // the id or caption as written
    bool byCaption = false;      // written "quoted": a caption, not an id
    std::wstring text;           // set, cell: the text; choose: the item (when index < 0)
    int index = -1;              // choose #n
    int row = 0, column = 0;     // tick, select, cell
    bool on = false;             // check, tick
    bool needsControl() const { return verb < Verb::kEnter; }
};

// False with the reason (as the user sees it) for a line that is not an action.
bool parseAction(const std::wstring& line, Action& out, std::wstring& why);
// The control an action names; null with the reason when the dialog has none.
Window* controlOf(Window& dialog, const Action& action, std::wstring& why);

// The buttons of a message box type as the words a script answers with.
struct Answer {
    const wchar_t* word;
    int id;
};
std::vector<Answer> answersFor(UINT type);
// The answer word for `line` (any case, blanks around), or -1 when it names none of `answers`.
int answerId(const std::vector<Answer>& answers, const std::wstring& line);
// "ok/cancel": the answers as a script offers them.
std::wstring answerList(const std::vector<Answer>& answers);
// What the end of input answers: Cancel, else No, else the last button.
int answerAtEnd(const std::vector<Answer>& answers);

std::wstring trim(const std::wstring& s);
// The rest of the line from `pos` as one text: a single quoted text loses its quotes.
std::wstring restText(const std::wstring& line, size_t pos);

}  // namespace vx::ui::script
