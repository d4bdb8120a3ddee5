// The host's own commands: drawings (OPEN, SAVE, SAVEAS, QSAVE, CLOSE, QUIT), modules (ARX,
// APPLOAD), and inspection (LIST, COMMANDS, SETVAR, HELP).
#include "editor/builtin_commands.h"

#include <sstream>

#include "aced.h"
#include "editor/command_line.h"
#include "editor/command_loop.h"
#include "editor/command_stack.h"
#include "editor/db_bridge.h"
#include "editor/documents.h"
#include "editor/dynamic_linker.h"
#include "editor/host_commands.h"
#include "editor/input.h"
#include "editor/sysvars.h"
#include "text/strings.h"

namespace vx::editor {
namespace {

// Answers come from the rest of the command's line first ("ARX Unload X"), then from prompts.
class Args {
public:
    explicit Args(const std::wstring& rest) {
        std::wstringstream in(rest);
        std::wstring w;
        while (in >> w) m_words.push_back(w);
    }
    // The next word, or the whole remaining line when `wholeLine` (file names with blanks).
    bool next(const std::wstring& prompt, std::wstring& out, bool wholeLine = false) {
        if (m_pos < m_words.size()) {
            if (!wholeLine) {
                out = m_words[m_pos++];
            } else {
                out.clear();
                for (; m_pos < m_words.size(); ++m_pos) out += (out.empty() ? L"" : L" ") + m_words[m_pos];
            }
            return true;
        }
        return readAnswer(prompt, out) == Answer::kText;
    }

private:
    std::vector<std::wstring> m_words;
    size_t m_pos = 0;
};

std::wstring trimmed(std::wstring_view s) {
    s = vx::text::trim(s);
    if (s.size() >= 2 && s.front() == L'"' && s.back() == L'"') s = s.substr(1, s.size() - 2);
    return std::wstring(s);
}

// Y/N question; the default (empty answer) is No so that nothing is dropped by accident.
bool askYes(const std::wstring& question) {
    for (;;) {
        std::wstring a;
        if (readAnswer(L"\n" + question + L" [Yes/No] <No>: ", a) == Answer::kCancel) return false;
        a = trimmed(a);
        if (a.empty() || equalNoCase(a, L"N") || equalNoCase(a, L"NO")) return false;
        if (equalNoCase(a, L"Y") || equalNoCase(a, L"YES")) return true;
        rejectAnswer(L"Answer Yes or No.");
    }
}

bool saveAs(Document* doc, const std::wstring& path) {
    std::wstring why;
    if (!saveDrawing(doc->database(), path, why)) {
        // The reason names the file it is about ("NAME is read-only"): the name is not repeated.
        if (why.compare(0, path.size(), path) == 0) acutPrintf(L"\nUnable to save: %s", why.c_str());
        else acutPrintf(L"\nUnable to save %s: %s", path.c_str(), why.c_str());
        // A script whose save was refused has not done its work: its run must not end as a success.
        CommandLine::get().noteUnusableLine();
        return false;
    }
    doc->setPath(path);
    acutPrintf(L"\nSaved %s.", path.c_str());
    return true;
}

void cmdSaveAs(const std::wstring& rest) {
    Document* doc = documentManager().current();
    if (!doc) {
        acutPrintf(L"\nNo drawing is open.");
        return;
    }
    Args args(rest);
    std::wstring path;
    const std::wstring prompt = L"\nSave drawing as <" + std::wstring(doc->fileName()) + L">: ";
    if (!args.next(prompt, path, true)) return;
    path = trimmed(path);
    if (path.empty()) path = doc->fileName();
    saveAs(doc, path);
}

void cmdQSave(const std::wstring& rest) {
    Document* doc = documentManager().current();
    if (!doc) {
        acutPrintf(L"\nNo drawing is open.");
        return;
    }
    if (!doc->named() || !rest.empty()) return cmdSaveAs(rest);
    saveAs(doc, doc->fileName());
}

// Whether the drawing may be closed: unchanged, or the user accepted losing the changes.
bool mayDrop(Document* doc) {
    if (!isModified(doc->database())) return true;
    return askYes(L"Discard the unsaved changes to " + std::wstring(doc->docTitle()) + L"?");
}

void cmdOpen(const std::wstring& rest) {
    Args args(rest);
    std::wstring path;
    if (!args.next(L"\nDrawing file to open: ", path, true)) return;
    path = trimmed(path);
    if (path.empty()) return;
    // A module that cannot work with several drawings keeps the host to one at a time.
    Document* previous = documentManager().current();
    const bool single = !dynamicLinker().allMdiAware();
    if (single && previous && !mayDrop(previous)) return;
    std::wstring why;
    Document* doc = documentManager().open(path, why);
    if (!doc) {
        acutPrintf(L"\nUnable to open %s: %s", path.c_str(), why.c_str());
        return;
    }
    if (single && previous) documentManager().close(previous);
    acutPrintf(L"\nOpened %s.", doc->fileName());
}

// Closes the current drawing; the host always keeps one, so the last one gives way to a new one.
void cmdClose(const std::wstring&) {
    Document* doc = documentManager().current();
    if (!doc || !mayDrop(doc)) return;
    const std::wstring title = doc->docTitle();
    documentManager().close(doc);
    acutPrintf(L"\nClosed %s.", title.c_str());
    if (!documentManager().current() && documentManager().newDocument())
        acutPrintf(L"\nNew drawing %s.", documentManager().current()->fileName());
}

void cmdQuit(const std::wstring&) {
    for (auto& d : documentManager().documents())
        if (!mayDrop(d.get())) return;
    requestQuit();
}

void cmdArx(const std::wstring& rest) {
    Args args(rest);
    std::wstring option;
    if (!args.next(L"\nEnter an option [?/Load/Unload/Commands]: ", option)) return;
    option = trimmed(option);
    if (option == L"?" || equalNoCase(option, L"LIST")) {
        for (auto& m : dynamicLinker().modules())
            acutPrintf(L"\n  %s%s%s", m->name.c_str(), m->unlocked ? L"" : L"  (locked)",
                       m->mdiAware ? L"" : L"  (single drawing)");
        if (dynamicLinker().modules().empty()) acutPrintf(L"\nNo modules are loaded.");
    } else if (equalNoCase(option, L"L") || equalNoCase(option, L"LOAD")) {
        std::wstring path;
        if (!args.next(L"\nModule file to load: ", path, true)) return;
        dynamicLinker().loadModule(trimmed(path).c_str(), true, true);
    } else if (equalNoCase(option, L"U") || equalNoCase(option, L"UNLOAD")) {
        std::wstring name;
        if (!args.next(L"\nModule to unload: ", name, true)) return;
        dynamicLinker().unloadModule(trimmed(name).c_str(), true, true);
    } else if (equalNoCase(option, L"C") || equalNoCase(option, L"COMMANDS")) {
        listCommands();
    } else {
        rejectAnswer(L"Options are ?, Load, Unload and Commands.");
    }
}

void cmdAppLoad(const std::wstring& rest) {
    Args args(rest);
    std::wstring path;
    if (!args.next(L"\nModule file to load: ", path, true)) return;
    dynamicLinker().loadModule(trimmed(path).c_str(), true, true);
}

void cmdSetVar(const std::wstring& rest) {
    Args args(rest);
    std::wstring name;
    if (!args.next(L"\nEnter variable name or [?]: ", name)) return;
    name = trimmed(name);
    if (name == L"?") {
        for (auto& [n, v] : sysVarValues()) acutPrintf(L"\n%-16s \"%s\"", n.c_str(), v.c_str());
        return;
    }
    std::wstring current;
    if (!getSysVarText(name, current)) {
        rejectAnswer(L"Unknown variable name.");
        return;
    }
    std::wstring value;
    const std::wstring prompt = L"\nEnter new value for " + toUpper(name) + L" <" + current + L">: ";
    if (!args.next(prompt, value, true)) return;
    value = trimmed(value);
    if (value.empty()) return;
    std::wstring why;
    if (!setSysVarText(name, value, why)) rejectAnswer(why);
}

void cmdList(const std::wstring&) {
    ads_name ss;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return;
    int32_t n = 0;
    acedSSLength(ss, &n);
    for (int32_t i = 0; i < n; ++i) {
        ads_name ent;
        if (acedSSName(ss, i, ent) != RTNORM) continue;
        auto* db = reinterpret_cast<AcDbDatabase*>(ent[0]);
        for (const std::wstring& line : describeEntity(db, static_cast<uint64_t>(ent[1])))
            acutPrintf(L"\n%s", line.c_str());
    }
    acedSSFree(ss);
}

void cmdHelp(const std::wstring&) {
    acutPrintf(L"\nHost commands:");
    for (const std::wstring& n : hostCommandNames()) acutPrintf(L" %s", n.c_str());
    acutPrintf(L"\nModule commands: see COMMANDS. Answers: ESC cancels; points are x,y[,z].");
}

}  // namespace

void listCommands() {
    const auto cmds = commandStack().commands();
    if (cmds.empty()) acutPrintf(L"\nNo module commands are registered.");
    for (const CommandInfo& c : cmds)
        acutPrintf(L"\n  %s  %s  %s%s", c.group.c_str(), c.globalName.c_str(), c.localName.c_str(),
                   (c.flags & ACRX_CMD_TRANSPARENT) ? L"  transparent" : L"");
}

void registerBuiltinCommands() {
    static const struct {
        const wchar_t* name;
        void (*fn)(const std::wstring&);
    } kCommands[] = {
        {L"OPEN", cmdOpen},       {L"SAVE", cmdQSave},     {L"QSAVE", cmdQSave},
        {L"SAVEAS", cmdSaveAs},   {L"CLOSE", cmdClose},    {L"QUIT", cmdQuit},
        {L"EXIT", cmdQuit},       {L"ARX", cmdArx},        {L"APPLOAD", cmdAppLoad},
        {L"LIST", cmdList},       {L"COMMANDS", [](const std::wstring&) { listCommands(); }},
        {L"SETVAR", cmdSetVar},   {L"HELP", cmdHelp},
    };
    for (auto& c : kCommands) registerHostCommand(c.name, c.fn);
}

}  // namespace vx::editor
