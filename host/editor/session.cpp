#include "editor/session.h"

#include <filesystem>

#include "aced.h"
#include "editor/builtin_commands.h"
#include "editor/command_line.h"
#include "editor/command_loop.h"
#include "editor/db_bridge.h"
#include "editor/documents.h"
#include "editor/dynamic_linker.h"
#include "text/encoding.h"

namespace fs = std::filesystem;

namespace vx::editor {
namespace {

fs::path executableFolder() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

bool openFirstDrawing(const std::string& path) {
    DocumentManager& dm = documentManager();
    if (!path.empty()) {
        std::wstring why;
        if (dm.open(text::fromUtf8(path), why)) {
            acutPrintf(L"\nOpened %s.", dm.current()->fileName());
            return true;
        }
        acutPrintf(L"\nUnable to open %s: %s", text::fromUtf8(path).c_str(), why.c_str());
        return false;
    }
    if (!dm.newDocument()) return false;
    acutPrintf(L"\nNew drawing %s.", dm.current()->fileName());
    return true;
}

}  // namespace

// Build layout: bin/<host> beside module/VorlixDesign.arx.
std::string defaultModulePath() {
    fs::path p = executableFolder().parent_path() / "module" / "VorlixDesign.arx";
    return fs::exists(p) ? p.string() : std::string();
}

std::string defaultDrawingPath(const std::string& sourceDir) {
    std::vector<fs::path> bases;
    if (!sourceDir.empty()) bases.emplace_back(sourceDir);
    bases.push_back(executableFolder().parent_path().parent_path().parent_path());
    for (const fs::path& base : bases) {
        fs::path p = base / "samples" / "drawings" / "project.dxf";
        if (fs::exists(p)) return p.string();
    }
    return std::string();
}

StartResult startSession(const SessionOptions& options) {
    registerBuiltinCommands();
    acutPrintf(L"vxhost %s - type HELP for the host's commands, COMMANDS for the module's.", L"18.0");

    const std::string drawing = options.drawing.empty() ? defaultDrawingPath(options.sourceDir) : options.drawing;
    // A drawing named on the command line that cannot be read ends the run: working on an
    // empty drawing instead would let a script "succeed" on the wrong data.
    if (!openFirstDrawing(drawing) && !options.drawing.empty()) return StartResult::kDrawingUnreadable;
    if (!documentManager().current() && !openFirstDrawing("")) return StartResult::kNoDrawing;
    return StartResult::kStarted;
}

void loadSessionModule(const SessionOptions& options) {
    const std::string module = options.noModule ? std::string() : (options.module.empty() ? defaultModulePath() : options.module);
    if (!module.empty() && !dynamicLinker().loadModule(text::fromUtf8(module).c_str(), true, false) &&
        !options.module.empty())
        CommandLine::get().noteUnusableLine();
}

int runSession() { return runCommandLoop(); }

void endSession() {
    dynamicLinker().unloadAll();
    // QUIT asked already; at the end of the input nobody was asked.
    for (auto& d : documentManager().documents())
        if (!quitRequested() && isModified(d->database()))
            acutPrintf(L"\nChanges to %s were not saved.", d->docTitle());
    documentManager().closeAll();
    acutPrintf(L"\n");
}

}  // namespace vx::editor
