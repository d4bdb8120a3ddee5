// vxhost: the console CAD host. Opens a drawing, loads the module, then reads commands from
// the terminal or a script; everything it prints is the session's transcript.
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>

#include "aced.h"
#include "console/options.h"
#include "editor/builtin_commands.h"
#include "editor/command_line.h"
#include "editor/command_loop.h"
#include "editor/db_bridge.h"
#include "editor/documents.h"
#include "editor/dynamic_linker.h"
#include "text/encoding.h"

namespace fs = std::filesystem;
using namespace vx;

namespace {

fs::path executableFolder() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

// Build layout: bin/vxhost beside module/VorlixDesign.arx.
std::string defaultModule() {
    fs::path p = executableFolder().parent_path() / "module" / "VorlixDesign.arx";
    return fs::exists(p) ? p.string() : std::string();
}

std::string defaultDrawing() {
    for (fs::path base : {fs::path(VX_SOURCE_DIR), executableFolder().parent_path().parent_path().parent_path()}) {
        fs::path p = base / "samples" / "drawings" / "project.dxf";
        if (fs::exists(p)) return p.string();
    }
    return std::string();
}

bool openFirstDrawing(const std::string& path) {
    editor::DocumentManager& dm = editor::documentManager();
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

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");
    console::Options opt;
    std::string why;
    if (!console::parseOptions(argc, argv, opt, why)) {
        std::fprintf(stderr, "vxhost: %s\n%s", why.c_str(), console::kUsage);
        return 2;
    }
    if (opt.help) {
        std::fputs(console::kUsage, stdout);
        return 0;
    }
    editor::CommandLine& cl = editor::CommandLine::get();
    editor::registerBuiltinCommands();
    acutPrintf(L"vxhost %s - type HELP for the host's commands, COMMANDS for the module's.",
               L"18.0");

    const std::string drawing = opt.drawing.empty() ? defaultDrawing() : opt.drawing;
    // A drawing named on the command line that cannot be read ends the run: working on an
    // empty drawing instead would let a script "succeed" on the wrong data.
    if ((!openFirstDrawing(drawing) && !opt.drawing.empty()) ||
        (!editor::documentManager().current() && !openFirstDrawing(""))) {
        acutPrintf(L"\n");  // the refusal is the transcript's last line: it ends like any other
        return 1;
    }

    // The input is there before the module loads: a question the module asks while it loads
    // (the update check's) is answered by the script's first lines or at the terminal.
    if (!opt.script.empty()) {
        bool opened = false;
        cl.pushSource(editor::fileSource(opt.script, &opened));
        if (!opened) {
            std::fprintf(stderr, "vxhost: cannot read script %s\n", opt.script.c_str());
            return 2;
        }
    } else {
        cl.pushSource(editor::stdinSource());
    }

    const std::string module = opt.noModule ? std::string() : (opt.module.empty() ? defaultModule() : opt.module);
    if (!module.empty() && !editor::dynamicLinker().loadModule(text::fromUtf8(module).c_str(), true, false) &&
        !opt.module.empty())
        cl.noteUnusableLine();
    const int unusable = editor::runCommandLoop();
    editor::dynamicLinker().unloadAll();
    // QUIT asked already; at the end of the input nobody was asked.
    for (auto& d : editor::documentManager().documents())
        if (!editor::quitRequested() && editor::isModified(d->database()))
            acutPrintf(L"\nChanges to %s were not saved.", d->docTitle());
    editor::documentManager().closeAll();
    acutPrintf(L"\n");
    if (!opt.script.empty() && unusable > 0) {
        std::fprintf(stderr, "vxhost: %d script line(s) could not be used\n", unusable);
        return 1;
    }
    return 0;
}
