// The Windows rules that turn one command-line text into separate arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx::win32 {

// Blanks and tabs separate arguments; double quotes group (a doubled quote inside quotes is one
// literal quote); 2n backslashes before a quote give n backslashes and the quote groups, 2n+1
// give n backslashes and a literal quote; other backslashes stay as they are.
std::vector<std::wstring> splitCommandLine(std::wstring_view line);

}  // namespace vx::win32
