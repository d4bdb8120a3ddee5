// INI line grammar.
#include "win32/profile_format.h"

#include <cwctype>

namespace vx::win32::ini {
namespace {
bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }
wint_t fold(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wint_t>(c + 32) : static_cast<wint_t>(c);
    return std::towlower(static_cast<wint_t>(c));
}
}  // namespace

std::wstring_view trim(std::wstring_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::wstring_view unquote(std::wstring_view v) {
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && fold(a[i]) != fold(b[i])) return false;
    return true;
}

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
