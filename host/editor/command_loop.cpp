#include "editor/command_loop.h"

#include "aced.h"
#include "editor/command_line.h"
#include "editor/command_stack.h"
#include "editor/documents.h"
#include "editor/host_commands.h"
#include "editor/input.h"
#include "text/strings.h"

namespace vx::editor {
namespace {

bool g_quit = false;
int g_depth = 0;
int g_transparentDepth = 0;

using vx::text::trim;

// Runs a stack command in its document's context: the host locks the current document for
// the command (as the commercial host does) and unlocks it afterwards.
void runStackCommand(AcEdCommand* cmd, bool transparent) {
    const int32_t flags = cmd->commandFlags();
    DocumentContextScope context(flags);
    ++g_depth;
    if (transparent) ++g_transparentDepth;
    cmd->functionAddr()();
    if (transparent) --g_transparentDepth;
    --g_depth;
}

}  // namespace

RunResult runCommandLine(const std::wstring& rawLine, bool transparent) {
    std::wstring line(trim(rawLine));
    if (!line.empty() && line[0] == L'\'') line = trim(line.substr(1));
    std::wstring name = line, args;
    size_t blank = line.find_first_of(L" \t");
    if (blank != std::wstring::npos) {
        name = line.substr(0, blank);
        args = trim(line.substr(blank + 1));
    }
    if (name.empty()) return RunResult::kUnknown;

    AcEdCommand* cmd = nullptr;
    if (name[0] == L'_' && name.size() > 1)
        cmd = commandStack().lookupGlobalCmd(name.substr(1).c_str());
    if (!cmd) cmd = commandStack().lookupLocalCmd(name.c_str());
    if (cmd) {
        if (transparent && !(cmd->commandFlags() & ACRX_CMD_TRANSPARENT)) return RunResult::kNotTransparent;
        if (transparent && g_transparentDepth >= kMaxTransparentDepth) return RunResult::kTooDeep;
        runStackCommand(cmd, transparent);
        return RunResult::kRan;
    }
    const std::wstring hostName = name[0] == L'_' ? name.substr(1) : name;
    if (const HostCommandFn* fn = findHostCommand(hostName)) {
        // Host commands change documents and modules: not from inside another command.
        if (transparent) return RunResult::kNotTransparent;
        (*fn)(args);
        return RunResult::kRan;
    }
    return RunResult::kUnknown;
}

int runCommandLoop() {
    CommandLine& cl = CommandLine::get();
    while (!g_quit) {
        std::wstring line;
        if (!cl.readLine(L"\nCommand: ", line)) break;
        if (trim(line).empty() || isEscape(line)) continue;
        switch (runCommandLine(line)) {
            case RunResult::kRan: break;
            case RunResult::kNotTransparent: break;
            case RunResult::kTooDeep: break;
            case RunResult::kUnknown:
                acutPrintf(L"\nUnknown command \"%s\".  Type HELP for the host commands.", std::wstring(trim(line)).c_str());
                cl.noteUnusableLine();
                break;
        }
        if (inputEnded()) break;
    }
    return cl.unusableLines();
}

void postLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find(L'\n', start);
        if (nl == std::wstring::npos) nl = text.size();
        lines.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    CommandLine::get().post(std::move(lines));
}

void requestQuit() { g_quit = true; }
bool quitRequested() { return g_quit; }
void clearQuit() { g_quit = false; }
int commandDepth() { return g_depth; }

}  // namespace vx::editor

bool acedIsTransparent() { return vx::editor::g_transparentDepth > 0; }
int acedCmdActive() {
    return vx::editor::g_depth == 0 ? 0 : (vx::editor::g_transparentDepth > 0 ? 3 : 1);
}

bool acedPostCommand(const ACHAR* text) {
    if (!text) return false;
    vx::editor::postLines(text);
    return true;
}
