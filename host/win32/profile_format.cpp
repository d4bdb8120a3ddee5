// INI line grammar.
#include "win32/profile_format.h"

#include "text/strings.h"

namespace vx::win32::ini {

std::wstring_view trim(std::wstring_view s) { return text::trim(s, L" \t\r\v\f"); }

std::wstring_view unquote(std::wstring_view v) {
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

bool sameName(std::wstring_view a, std::wstring_view b) { return text::equalNoCase(a, b); }

Line parseLine(std::wstring_view text) {
    Line line;
    std::wstring_view t = trim(text);
    if (t.empty() || t[0] == L';') return line;
    if (t[0] == L'[') {
        size_t close = t.find(L']');
        if (close == std::wstring_view::npos) return line;
        line.kind = LineKind::Section;
        line.name = trim(t.substr(1, close - 1));
        return line;
    }
    size_t eq = t.find(L'=');
    if (eq == std::wstring_view::npos) return line;
    line.kind = LineKind::Key;
    line.name = trim(t.substr(0, eq));
    line.value = trim(t.substr(eq + 1));
    return line;
}

}  // namespace vx::win32::ini
