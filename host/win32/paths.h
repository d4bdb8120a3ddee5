// The border between Windows-style paths that the module builds and the native file system.
#pragma once

#include <string>

#include "win32.h"

namespace vx::win32 {

// The native (UTF-8, '/'-separated) form of a path given through the Windows API: every '\'
// becomes '/', as Wine maps them, and when that path does not exist, each component that is
// missing as spelt is looked up without regard to case (files copied from a Windows office
// keep whatever case they had). Null gives an empty path. Every file-touching function of
// the Windows substitutes goes through this one function.
std::string nativePath(LPCWSTR path);
// The separator mapping alone, for a name that is to be created exactly as spelt.
std::string mappedPath(LPCWSTR path);
// The case lookup alone, on a native path.
std::string resolveCase(const std::string& native);

// The folder part of a native path ("." when it has none) and the last component.
std::string parentFolder(const std::string& native);
std::string lastComponent(const std::string& native);

// The Windows error code for a C library errno value; `path` tells a missing file from a
// missing folder for ENOENT.
DWORD errorFromErrno(int err, const std::string& path = std::string());
// Sets the thread's last error from errno and returns FALSE, for `return fail(path);`.
BOOL failFromErrno(const std::string& path = std::string());

}  // namespace vx::win32
