// vxhost's command line: [DRAWING] [--script FILE] [--module PATH | --no-module].
#pragma once

#include <string>

namespace vx::console {

struct Options {
    std::string drawing;  // empty: the sample project drawing, else a new drawing
    std::string script;
    std::string module;   // empty: the module beside the executable
    bool noModule = false;
    bool help = false;
};

// False with a message for arguments that do not fit.
bool parseOptions(int argc, char** argv, Options& out, std::string& why);
extern const char* const kUsage;

}  // namespace vx::console
