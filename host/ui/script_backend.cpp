// The console's backend: a dialog is printed as text and driven by action lines read from the
// command line (click, set, check, choose, tick, cell, select, enter, escape, close, show).
// A line that cannot be used is reported, counted, and the dialog stays open.
#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "editor/command_line.h"
#include "gridctrl.h"
#include "text/encoding.h"
#include "text/strings.h"
#include "ui/backend.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_print.h"
#include "ui/dialog_script.h"

namespace vx::ui {
namespace {

using vx::editor::CommandLine;
using script::trim;

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
        const std::vector<script::Answer> answers = script::answersFor(type);
        if (answers.empty()) return IDOK;
        const std::wstring list = script::answerList(answers);
        const std::wstring prompt = L"\n(" + list + L")> ";
        for (;;) {
            std::wstring line;
            // The end of the input answers as Escape would.
            if (!cl.readLine(prompt, line)) return script::answerAtEnd(answers);
            const int id = script::answerId(answers, line);
            if (id >= 0) return id;
            cl.print(L"\n** answer with one of " + list);
            cl.noteUnusableLine();
        }
    }

    bool browseFolder(const std::wstring& title, UINT, std::wstring& path) override {
        CommandLine& cl = CommandLine::get();
        cl.print(L"\n[选择文件夹] " + title);
        for (;;) {
            std::wstring line;
            if (!cl.readLine(L"\nFolder (a path, or cancel)> ", line)) return false;
            std::wstring answer = script::restText(line, 0);
            if (script::answerId({{L"cancel", IDCANCEL}}, answer) == IDCANCEL) return false;
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
    std::wstring perform(Window& dialog, const std::wstring& line) {
        script::Action a;
        std::wstring why;
        if (!script::parseAction(line, a, why)) return why;
        switch (a.verb) {
        case script::Verb::kShow: CommandLine::get().print(printDialog(dialog)); return L"";
        case script::Verb::kClose: actions::closeBox(dialog); return L"";
        case script::Verb::kEscape: actions::pressEscape(dialog); return L"";
        case script::Verb::kEnter: return actions::pressEnter(dialog);
        default: break;
        }
        Window* c = script::controlOf(dialog, a, why);
        if (!c) return why;
        switch (a.verb) {
        case script::Verb::kClick: return actions::click(*c);
        case script::Verb::kSet: return actions::setText(*c, a.text);
        case script::Verb::kCheck: return actions::check(*c, a.on);
        case script::Verb::kChoose: return actions::choose(*c, a.text, a.index);
        case script::Verb::kTick: return actions::tick(*c, a.row, a.on);
        case script::Verb::kSelect: return actions::selectRow(*c, a.row);
        default: return actions::editCell(*c, a.row, a.column, a.text);
        }
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
