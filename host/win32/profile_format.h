// The line grammar of private-profile (INI) files, shared by the reader and the writer.
#pragma once

#include <string_view>

namespace vx::win32::ini {

enum class LineKind { Other, Section, Key };

// A line as the profile functions see it: a section header "[name]", a "key=value" line, or
// anything else (blank lines, ';' comments, lines without '='), which reads as nothing.
// Name and value are trimmed of surrounding blanks; the value keeps its quotes.
struct Line {
    LineKind kind = LineKind::Other;
    std::wstring_view name;
    std::wstring_view value;
};

Line parseLine(std::wstring_view text);

// Blanks dropped around names and values: space, tab, and the CR of a CRLF line ending.
std::wstring_view trim(std::wstring_view s);
// The value as read: one pair of matching surrounding quotes (" or ') removed.
std::wstring_view unquote(std::wstring_view value);
// Section and key names compare without regard to case.
bool sameName(std::wstring_view a, std::wstring_view b);

// Splits text into lines at '\n', dropping a '\r' before it; calls f(line) for each.
template <class F>
void forEachLine(std::wstring_view text, F&& f) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find(L'\n', pos);
        size_t end = nl == std::wstring_view::npos ? text.size() : nl;
        std::wstring_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        if (!f(line)) return;
        pos = end + 1;
    }
}

}  // namespace vx::win32::ini
