// Reading answers at the editor's prompts: cancel (ESC or the end of input), transparent
// commands started with "'", keywords, and the text forms of points.
#pragma once

#include <string>
#include <string_view>

#include "editor/command_line.h"

namespace vx::editor {

enum class Answer { kText, kCancel };

// Shows `prompt` and reads one answer. "'NAME" runs a transparent command and asks again.
// "ESC" (any case) or the end of all input cancels; after the end of input the command loop
// stops at its next prompt.
Answer readAnswer(std::wstring_view prompt, std::wstring& line, CommandLine::Read kind = CommandLine::Read::kAnswer);

// Prints a short hint after a malformed answer and counts the line as unusable for scripts.
void rejectAnswer(const std::wstring& hint);

// "x,y" or "x,y,z" (blanks allowed around numbers); false for anything else.
bool parsePoint(const std::wstring& text, double point[3]);
std::wstring formatPoint(const double point[3]);

bool isEscape(const std::wstring& line);
bool inputEnded();
void clearInputEnded();

// Keywords and controls set by acedInitGet, taken by the next get-function.
struct InitGet {
    int controls = 0;
    std::wstring keywords;  // blank-separated, as given
};
InitGet takeInitGet();
// The keyword (as written in the list) that `answer` stands for: whole word or the capitals of
// the keyword ("Window" for "W"); empty when none.
std::wstring matchKeyword(const std::wstring& keywords, const std::wstring& answer);
// What acedGetInput hands out after RTKWORD.
void setLastKeyword(const std::wstring& word);

}  // namespace vx::editor
