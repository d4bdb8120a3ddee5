#include "qt/gui_options.h"

namespace vx::qt {

const char* const kGuiUsage =
    "usage: vxhost-gui [DRAWING] [--script FILE] [--screenshot FILE.png] [--module PATH | --no-module]\n"
    "  DRAWING       a DXF drawing to open (default: the sample project drawing, else a new one)\n"
    "  --script      run FILE through the windows (commands typed, buttons clicked, picks made\n"
    "                with the mouse), then quit; the exit status is 1 when a line could not be used\n"
    "  --screenshot  save the main window (or the dialog on top) as PNG when the script ends\n"
    "  --module      the module to load at start (default: VorlixDesign.arx of this build)\n";

bool parseGuiOptions(int argc, char** argv, GuiOptions& out, std::string& why) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                why = a + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--script") {
            if (!value(out.script)) return false;
        } else if (a == "--screenshot") {
            if (!value(out.screenshot)) return false;
        } else if (a == "--module") {
            if (!value(out.module)) return false;
        } else if (a == "--no-module") {
            out.noModule = true;
        } else if (!a.empty() && a[0] == '-') {
            // Qt's own options (-platform, -style ...) are taken by QApplication before this.
            why = "unknown option " + a;
            return false;
        } else if (out.drawing.empty()) {
            out.drawing = a;
        } else {
            why = "only one drawing can be given";
            return false;
        }
    }
    return true;
}

}  // namespace vx::qt
