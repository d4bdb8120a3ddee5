// vxhost: the console CAD host. Opens a drawing, loads the module, then reads commands from
// the terminal or a script; everything it prints is the session's transcript.
#include <clocale>
#include <cstdio>
#include <string>

#include "aced.h"
#include "console/options.h"
#include "editor/command_line.h"
#include "editor/session.h"

using namespace vx;

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
    const editor::SessionOptions session{opt.drawing, opt.module, opt.noModule, VX_SOURCE_DIR};
    if (editor::startSession(session) != editor::StartResult::kStarted) {
        acutPrintf(L"\n");  // the refusal is the transcript's last line: it ends like any other
        return 1;
    }

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
    editor::loadSessionModule(session);
    const int unusable = editor::runSession();
    editor::endSession();
    if (!opt.script.empty() && unusable > 0) {
        std::fprintf(stderr, "vxhost: %d script line(s) could not be used\n", unusable);
        return 1;
    }
    return 0;
}
