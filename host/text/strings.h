// Trimming and comparison without regard to case: the one way host code does either.
#pragma once

#include <string_view>

namespace vx::text {

// What trim() drops unless told otherwise: ASCII white space and, beyond ASCII, what the
// locale calls space (U+3000 in C.UTF-8, as a Chinese input method types it).
bool isBlank(wchar_t c);

// Views into the argument, which must outlive them.
std::wstring_view trim(std::wstring_view s);
// Only the given characters, for formats that define their own blanks.
std::wstring_view trim(std::wstring_view s, std::wstring_view blanks);
std::wstring_view trimLeft(std::wstring_view s, std::wstring_view blanks);
std::wstring_view trimRight(std::wstring_view s, std::wstring_view blanks);
std::string_view trim(std::string_view s, std::string_view blanks = " \t\n\v\f\r");

// The folding rule for names (commands, keywords, symbol tables, INI sections and keys, file
// names): ASCII letters by themselves, so that it never depends on the locale, anything else
// by towupper.
wchar_t foldCase(wchar_t c);
bool equalNoCase(std::wstring_view a, std::wstring_view b);
bool startsWithNoCase(std::wstring_view s, std::wstring_view prefix);
// <0, 0, >0 by the folded characters, a prefix first.
int compareNoCase(std::wstring_view a, std::wstring_view b);
inline bool lessNoCase(std::wstring_view a, std::wstring_view b) { return compareNoCase(a, b) < 0; }

}  // namespace vx::text
