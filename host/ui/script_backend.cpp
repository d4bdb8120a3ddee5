// The console's backend: a dialog is printed as text and driven by action lines read from the
// command line (click, set, check, choose, tick, cell, select, enter, escape, close, show).
// A line that cannot be used is reported, counted, and the dialog stays open.
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <cwctype>

#include "editor/command_line.h"
#include "gridctrl.h"
#include "text/encoding.h"
#include "text/strings.h"
#include "ui/backend.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_print.h"

namespace vx::ui {
namespace {

using vx::editor::CommandLine;

using vx::text::trim;

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
                if (pos + 1 < line.size() && line[pos + 1] == L'"') { word += L'"'; pos += 2; continue; }
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
    const auto is = [&](const wchar_t* word) { return vx::text::equalNoCase(s, word); };
    if (is(L"on") || is(L"1") || is(L"yes")) { on = true; return true; }
    if (is(L"off") || is(L"0") || is(L"no")) { on = false; return true; }
    return false;
}

// The rest of the line as one text: a single quoted text loses its quotes.
std::wstring restText(const std::wstring& line, size_t pos) {
    const std::wstring rest(trim(std::wstring_view(line).substr(std::min(pos, line.size()))));
    size_t p = 0;
    std::wstring word;
    bool quoted = false;
    if (!rest.empty() && rest[0] == L'"' && nextWord(rest, p, word, quoted) && trim(rest.substr(p)).empty()) return word;
    return rest;
}

struct Answer {
    const wchar_t* word;
    int id;
};

// The buttons of a message box type, as the words a script answers with.
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

class ScriptBackend : public Backend {
public:
    void runModal(Window& dialog) override {
        HWND h = handleOf(&dialog);
        CommandLine& cl = CommandLine::get();
        cl.print(printDialog(dialog));
        while (isLiveWindow(h) && !dialog.ended) {
            std::wstring line;
            if (!cl.readLine(L"\n" + dialog.text + L"> ", line)) {
                // The end of the input closes the dialog as its close box would; a dialog that
                // refuses to close is ended with Cancel, so that a script can never hang here.
                actions::closeBox(dialog);
                if (isLiveWindow(h) && !dialog.ended) {
                    dialog.ended = true;
                    dialog.result = IDCANCEL;
                }
                break;
            }
            std::wstring why = perform(dialog, std::wstring(trim(line)));
            if (!why.empty()) {
                cl.print(L"\n** " + why);
                cl.noteUnusableLine();
            }
        }
    }

    int messageBox(const std::wstring& text, const std::wstring& caption, UINT type) override {
        CommandLine& cl = CommandLine::get();
        cl.print(L"\n[" + (caption.empty() ? std::wstring(L"消息") : caption) + L"] " + text);
        std::vector<Answer> answers = answersFor(type);
        if (answers.empty()) return IDOK;
        std::wstring prompt = L"\n(";
        for (size_t i = 0; i < answers.size(); ++i) prompt += (i ? L"/" : L"") + std::wstring(answers[i].word);
        prompt += L")> ";
        for (;;) {
            std::wstring line;
            // The end of the input answers as Escape would: Cancel, else No, else the last button.
            if (!cl.readLine(prompt, line)) {
                for (const Answer& a : answers)
                    if (a.id == IDCANCEL) return IDCANCEL;
                for (const Answer& a : answers)
                    if (a.id == IDNO) return IDNO;
                return answers.back().id;
            }
            for (const Answer& a : answers)
                if (vx::text::equalNoCase(trim(line), a.word)) return a.id;
            cl.print(L"\n** answer with one of " + prompt.substr(2, prompt.size() - 5));
            cl.noteUnusableLine();
        }
    }

    bool browseFolder(const std::wstring& title, UINT, std::wstring& path) override {
        CommandLine& cl = CommandLine::get();
        cl.print(L"\n[选择文件夹] " + title);
        for (;;) {
            std::wstring line;
            if (!cl.readLine(L"\nFolder (a path, or cancel)> ", line)) return false;
            std::wstring answer = restText(line, 0);
            if (vx::text::equalNoCase(answer, L"cancel")) return false;
            std::string native = vx::text::toUtf8(answer);
            for (char& c : native)
                if (c == '\\') c = '/';
            char resolved[PATH_MAX];
            struct stat st{};
            if (!native.empty() && realpath(native.c_str(), resolved) && stat(resolved, &st) == 0 && S_ISDIR(st.st_mode)) {
                path = vx::text::fromUtf8(resolved);
                return true;
            }
            cl.print(L"\n** not a folder: " + answer);
            cl.noteUnusableLine();
        }
    }

    void editorCommandBegins(Window& dialog) override {
        CommandLine::get().print(L"\n[" + dialog.text + L": hidden]");
    }

    void editorCommandEnds(Window& dialog, bool) override {
        if (!dialog.ended) CommandLine::get().print(L"\n[" + dialog.text + L": shown again]");
    }

    void reportError(const std::wstring& message) override {
        CommandLine::get().print(L"\n** " + message);
    }

private:
    Window* control(Window& dialog, const std::wstring& ref, bool quoted, std::wstring& why) {
        int id = 0;
        Window* c = (!quoted && toInt(ref, id)) ? actions::findControl(dialog, id) : actions::findControlByCaption(dialog, ref);
        if (!c) why = L"the dialog has no control " + (quoted ? L"\"" + ref + L"\"" : ref);
        return c;
    }

    std::wstring perform(Window& dialog, const std::wstring& line) {
        size_t pos = 0;
        std::wstring verb, ref, arg;
        bool quoted = false, refQuoted = false;
        if (!nextWord(line, pos, verb, quoted)) return L"a dialog action is expected (click, set, check, choose, tick, cell, select, enter, escape, close, show)";
        verb = lower(verb);
        if (verb == L"show") {
            CommandLine::get().print(printDialog(dialog));
            return L"";
        }
        if (verb == L"close") { actions::closeBox(dialog); return L""; }
        if (verb == L"escape" || verb == L"esc") { actions::pressEscape(dialog); return L""; }
        if (verb == L"enter") return actions::pressEnter(dialog);
        static const wchar_t* const verbs[] = {L"click", L"set", L"check", L"choose", L"tick", L"cell", L"select"};
        bool known = false;
        for (const wchar_t* v : verbs) known = known || verb == v;
        if (!known) return L"unknown dialog action \"" + verb + L"\"";
        if (!nextWord(line, pos, ref, refQuoted)) return verb + L" needs a control id";
        std::wstring why;
        Window* c = control(dialog, ref, refQuoted, why);
        if (!c) return why;
        if (verb == L"click") return actions::click(*c);
        if (verb == L"set") return actions::setText(*c, restText(line, pos));
        std::vector<std::wstring> words;
        size_t afterFirst = pos;
        for (std::wstring w; nextWord(line, pos, w, quoted);) words.push_back(w);
        bool on = false;
        int row = 0, col = 0;
        if (verb == L"check") {
            if (words.size() != 1 || !onOff(words[0], on)) return L"check needs on or off";
            return actions::check(*c, on);
        }
        if (verb == L"choose") {
            std::wstring item = restText(line, afterFirst);
            if (item.size() > 1 && item[0] == L'#' && toInt(item.substr(1), row)) return actions::choose(*c, L"", row);
            if (item.empty()) return L"choose needs an item (\"text\" or #n)";
            return actions::choose(*c, item, -1);
        }
        if (verb == L"tick") {
            if (words.size() != 2 || !toInt(words[0], row) || !onOff(words[1], on)) return L"tick needs a row and on or off";
            return actions::tick(*c, row, on);
        }
        if (verb == L"select") {
            if (words.size() != 1 || !toInt(words[0], row)) return L"select needs a row";
            return actions::selectRow(*c, row);
        }
        // cell ID ROW COL text
        size_t p = afterFirst;
        std::wstring r, k;
        if (!nextWord(line, p, r, quoted) || !toInt(r, row) || !nextWord(line, p, k, quoted) || !toInt(k, col))
            return L"cell needs a row, a column and the text";
        return actions::editCell(*c, row, col, restText(line, p));
    }
};

std::unique_ptr<Backend>& slot() {
    static std::unique_ptr<Backend> b;
    return b;
}

}  // namespace

std::unique_ptr<Backend> makeScriptBackend() { return std::make_unique<ScriptBackend>(); }

Backend& backend() {
    if (!slot()) slot() = makeScriptBackend();
    return *slot();
}

void setBackend(std::unique_ptr<Backend> b) { slot() = b ? std::move(b) : makeScriptBackend(); }

}  // namespace vx::ui
