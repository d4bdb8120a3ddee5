#include "console/options.h"

namespace vx::console {

const char* const kUsage =
    "usage: vxhost [DRAWING] [--script FILE] [--module PATH | --no-module]\n"
    "  DRAWING   a DXF drawing to open (default: the sample project drawing, else a new one)\n"
    "  --script  run FILE line by line, then exit; the exit status is 1 when a line could\n"
    "            not be used (unknown command, malformed answer, action on a missing control)\n"
    "  --module  the module to load at start (default: VorlixDesign.arx of this build)\n";

bool parseOptions(int argc, char** argv, Options& out, std::string& why) {
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
        } else if (a == "--module") {
            if (!value(out.module)) return false;
        } else if (a == "--no-module") {
            out.noModule = true;
        } else if (!a.empty() && a[0] == '-') {
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

}  // namespace vx::console
