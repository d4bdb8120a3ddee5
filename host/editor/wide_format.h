// The host's printf dialect is the wide printf of the module's home platform, where %s in a wide
// format means a wide string. The C library here reads %s as a narrow string, so formats are
// rewritten before they reach vswprintf.
#pragma once

#include <cstdarg>
#include <string>

namespace vx::editor {

// %s -> %ls, %c -> %lc, %hs/%S -> %s, %hc/%C -> %c, %ws/%wc -> %ls/%lc, %I64 -> %ll,
// %I32 -> nothing, %I -> %z; everything else is kept.
std::wstring toPosixWideFormat(const wchar_t* format);

// Formats with the rewritten format; an empty result when the arguments cannot be formatted.
std::wstring vformat(const wchar_t* format, va_list args);

}  // namespace vx::editor
