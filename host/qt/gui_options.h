// vxhost-gui's command line: [DRAWING] [--script FILE] [--screenshot FILE.png]
// [--module PATH | --no-module].
#pragma once

#include <string>

namespace vx::qt {

struct GuiOptions {
    std::string drawing;     // empty: the sample project drawing, else a new drawing
    std::string script;      // run through the real widgets, then quit
    std::string screenshot;  // saved when the script ends (or at once without a script)
    std::string module;
    bool noModule = false;
    bool help = false;
};

// False with a message for arguments that do not fit.
bool parseGuiOptions(int argc, char** argv, GuiOptions& out, std::string& why);
extern const char* const kGuiUsage;

}  // namespace vx::qt
