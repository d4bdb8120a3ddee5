#include "ui/dialog_script.h"

#include <climits>
#include <cstdlib>
#include <cwctype>

#include "ui/dialog_actions.h"

namespace vx::ui::script {
namespace {

std::wstring lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// Splits off the next word or "quoted text" ("" inside quotes stands for one quote).
bool nextWord(const std::wstring& line, size_t& pos, std::wstring& word, bool& quoted) {
    while (pos < line.size() && std::iswspace(line[pos])) ++pos;
    if (pos >= line.size()) return false;
    word.clear();
    quoted = line[pos] == L'"';
    if (quoted) {
        ++pos;
        while (pos < line.size()) {
            if (line[pos] == L'"') {
                if (pos + 1 < line.size() && line[pos + 1] == L'"') {
                    word += L'"';
                    pos += 2;
                    continue;
                }
                ++pos;
                return true;
            }
            word += line[pos++];
        }
        return true;
    }
    while (pos < line.size() && !std::iswspace(line[pos])) word += line[pos++];
    return true;
}

bool toInt(const std::wstring& s, int& v) {
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    long x = std::wcstol(s.c_str(), &end, 10);
    if (*end || x < INT_MIN || x > INT_MAX) return false;
    v = static_cast<int>(x);
    return true;
}

bool onOff(const std::wstring& s, bool& on) {
    std::wstring l = lower(s);
    if (l == L"on" || l == L"1" || l == L"yes") { on = true; return true; }
    if (l == L"off" || l == L"0" || l == L"no") { on = false; return true; }
    return false;
}

}  // namespace

std::wstring trim(const std::wstring& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::iswspace(s[a])) ++a;
    while (b > a && std::iswspace(s[b - 1])) --b;
    return s.substr(a, b - a);
}

std::wstring restText(const std::wstring& line, size_t pos) {
    std::wstring rest = trim(line.substr(std::min(pos, line.size())));
    size_t p = 0;
    std::wstring word;
    bool quoted = false;
    if (!rest.empty() && rest[0] == L'"' && nextWord(rest, p, word, quoted) && trim(rest.substr(p)).empty()) return word;
    return rest;
}

bool parseAction(const std::wstring& rawLine, Action& out, std::wstring& why) {
    const std::wstring line = trim(rawLine);
    size_t pos = 0;
    std::wstring verb;
    bool quoted = false;
    out = Action{};
    if (!nextWord(line, pos, verb, quoted)) {
        why = L"a dialog action is expected (click, set, check, choose, tick, cell, select, enter, escape, close, show)";
        return false;
    }
    verb = lower(verb);
    static const struct {
        const wchar_t* word;
        Verb verb;
    } kVerbs[] = {{L"click", Verb::kClick}, {L"set", Verb::kSet},       {L"check", Verb::kCheck},
                  {L"choose", Verb::kChoose}, {L"tick", Verb::kTick},   {L"cell", Verb::kCell},
                  {L"select", Verb::kSelect}, {L"enter", Verb::kEnter}, {L"escape", Verb::kEscape},
                  {L"esc", Verb::kEscape},    {L"close", Verb::kClose}, {L"show", Verb::kShow}};
    bool known = false;
    for (const auto& v : kVerbs)
        if (verb == v.word) {
            out.verb = v.verb;
            known = true;
        }
    if (!known) {
        why = L"unknown dialog action \"" + verb + L"\"";
        return false;
    }
    if (!out.needsControl()) return true;
    if (!nextWord(line, pos, out.control, out.byCaption)) {
        why = verb + L" needs a control id";
        return false;
    }
    const size_t afterControl = pos;
    std::vector<std::wstring> words;
    for (std::wstring w; nextWord(line, pos, w, quoted);) words.push_back(w);
    switch (out.verb) {
    case Verb::kClick: return true;
    case Verb::kSet: out.text = restText(line, afterControl); return true;
    case Verb::kCheck:
        if (words.size() != 1 || !onOff(words[0], out.on)) {
            why = L"check needs on or off";
            return false;
        }
        return true;
    case Verb::kChoose: {
        std::wstring item = restText(line, afterControl);
        if (item.size() > 1 && item[0] == L'#' && toInt(item.substr(1), out.index)) return true;
        out.index = -1;
        if (item.empty()) {
            why = L"choose needs an item (\"text\" or #n)";
            return false;
        }
        out.text = item;
        return true;
    }
    case Verb::kTick:
        if (words.size() != 2 || !toInt(words[0], out.row) || !onOff(words[1], out.on)) {
            why = L"tick needs a row and on or off";
            return false;
        }
        return true;
    case Verb::kSelect:
        if (words.size() != 1 || !toInt(words[0], out.row)) {
            why = L"select needs a row";
            return false;
        }
        return true;
    default: {  // cell ID ROW COL text
        size_t p = afterControl;
        std::wstring r, k;
        if (!nextWord(line, p, r, quoted) || !toInt(r, out.row) || !nextWord(line, p, k, quoted) || !toInt(k, out.column)) {
            why = L"cell needs a row, a column and the text";
            return false;
        }
        out.text = restText(line, p);
        return true;
    }
    }
}

Window* controlOf(Window& dialog, const Action& a, std::wstring& why) {
    int id = 0;
    Window* c = (!a.byCaption && toInt(a.control, id)) ? actions::findControl(dialog, id)
                                                       : actions::findControlByCaption(dialog, a.control);
    if (!c) why = L"the dialog has no control " + (a.byCaption ? L"\"" + a.control + L"\"" : a.control);
    return c;
}

std::vector<Answer> answersFor(UINT type) {
    static const struct {
        UINT type;
        Answer answers[3];
    } kTable[] = {
        {MB_OKCANCEL, {{L"ok", IDOK}, {L"cancel", IDCANCEL}, {nullptr, 0}}},
        {MB_YESNO, {{L"yes", IDYES}, {L"no", IDNO}, {nullptr, 0}}},
        {MB_YESNOCANCEL, {{L"yes", IDYES}, {L"no", IDNO}, {L"cancel", IDCANCEL}}},
        {MB_RETRYCANCEL, {{L"retry", IDRETRY}, {L"cancel", IDCANCEL}, {nullptr, 0}}},
        {MB_ABORTRETRYIGNORE, {{L"abort", IDABORT}, {L"retry", IDRETRY}, {L"ignore", IDIGNORE}}},
    };
    std::vector<Answer> out;
    for (const auto& row : kTable)
        if (row.type == (type & MB_TYPEMASK))
            for (const Answer& a : row.answers)
                if (a.word) out.push_back(a);
    return out;
}

int answerId(const std::vector<Answer>& answers, const std::wstring& line) {
    const std::wstring l = lower(trim(line));
    for (const Answer& a : answers)
        if (l == a.word) return a.id;
    return -1;
}

std::wstring answerList(const std::vector<Answer>& answers) {
    std::wstring out;
    for (size_t i = 0; i < answers.size(); ++i) out += (i ? L"/" : L"") + std::wstring(answers[i].word);
    return out;
}

int answerAtEnd(const std::vector<Answer>& answers) {
    for (const Answer& a : answers)
        if (a.id == IDCANCEL) return IDCANCEL;
    for (const Answer& a : answers)
        if (a.id == IDNO) return IDNO;
    return answers.empty() ? IDOK : answers.back().id;
}

}  // namespace vx::ui::script
