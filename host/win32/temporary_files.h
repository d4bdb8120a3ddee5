// Names of the temporary files that SafeFile writes beside a target: each says which target it
// stands for and which process (on which machine, since which boot) made it, so that the next
// save can tell a killed run's leftovers from another process's save in progress.
//
//     .NAME.vxtmp.<pid>.<machine>.<boot>.<random>
#pragma once

#include <string>

namespace vx::win32 {

struct TemporaryOrigin {
    long pid = 0;
    std::string machine;  // 8 hex digits of a hash of the host name
    std::string boot;     // 8 hex digits of a hash of the kernel's boot id
};

// The running process.
TemporaryOrigin thisProcess();

// A new name (full path) in the folder of `native`, with a random part; never the same twice.
std::string temporaryName(const std::string& native, const TemporaryOrigin& origin);

// What a name of the folder says when it is a temporary file of `prefix`'s target (the part
// after the prefix parses); false for every other name.
bool parseTemporaryName(const std::string& name, const std::string& prefix, TemporaryOrigin& origin);

}  // namespace vx::win32
