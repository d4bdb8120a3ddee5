#include "text/strings.h"

#include <cwctype>

namespace vx::text {

bool isBlank(wchar_t c) {
    if (c < 0x80) return c == L' ' || (c >= L'\t' && c <= L'\r');
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}

std::wstring_view trim(std::wstring_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::wstring_view trimLeft(std::wstring_view s, std::wstring_view blanks) {
    const size_t b = s.find_first_not_of(blanks);
    return b == std::wstring_view::npos ? s.substr(s.size()) : s.substr(b);
}

std::wstring_view trimRight(std::wstring_view s, std::wstring_view blanks) {
    const size_t e = s.find_last_not_of(blanks);
    return e == std::wstring_view::npos ? s.substr(0, 0) : s.substr(0, e + 1);
}

std::wstring_view trim(std::wstring_view s, std::wstring_view blanks) {
    return trimRight(trimLeft(s, blanks), blanks);
}

std::string_view trim(std::string_view s, std::string_view blanks) {
    const size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return s.substr(s.size());
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

wchar_t foldCase(wchar_t c) {
    if (c < 0x80) return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
}

bool equalNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

bool startsWithNoCase(std::wstring_view s, std::wstring_view prefix) {
    return s.size() >= prefix.size() && equalNoCase(s.substr(0, prefix.size()), prefix);
}

int compareNoCase(std::wstring_view a, std::wstring_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = foldCase(a[i]), y = foldCase(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace vx::text
