// CString::Format: Windows printf conventions translated to the C library's wide printf.
// On Windows %s in a wide format is wide text; here %ls is, so each conversion is rewritten
// before vswprintf sees it.
#include "afx.h"

#include <cerrno>
#include <cwchar>
#include <vector>

namespace {

bool isFlag(wchar_t c) { return c == L'-' || c == L'+' || c == L' ' || c == L'#' || c == L'0'; }
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Rewrites one format string; unknown conversions are copied unchanged.
std::wstring toPosixFormat(const wchar_t* f) {
    std::wstring out;
    while (*f) {
        if (*f != L'%') {
            out += *f++;
            continue;
        }
        out += *f++;
        if (*f == L'%') {
            out += *f++;
            continue;
        }
        while (isFlag(*f)) out += *f++;
        while (isDigit(*f) || *f == L'*') out += *f++;
        if (*f == L'.') {
            out += *f++;
            while (isDigit(*f) || *f == L'*') out += *f++;
        }
        // Length: Windows' h (narrow for s/c), l, w (wide), I64, I32, I; C99's ll, hh, z, j, t, L.
        std::wstring length;
        bool narrow = false, wide = false;
        for (;;) {
            if (f[0] == L'I' && f[1] == L'6' && f[2] == L'4') { length = L"ll"; f += 3; }
            else if (f[0] == L'I' && f[1] == L'3' && f[2] == L'2') { length.clear(); f += 3; }
            else if (f[0] == L'I') { length = L"z"; f += 1; }
            else if (f[0] == L'w') { wide = true; f += 1; }
            else if (f[0] == L'h' || f[0] == L'l' || f[0] == L'z' || f[0] == L'j' ||
                     f[0] == L't' || f[0] == L'L') {
                if (f[0] == L'h') narrow = true;
                if (f[0] == L'l') wide = true;
                length += *f++;
            } else break;
        }
        wchar_t conv = *f;
        if (conv == L'\0') break;
        ++f;
        if (conv == L's' || conv == L'c') {
            out += narrow && !wide ? L"" : L"l";
            out += conv;
        } else if (conv == L'S' || conv == L'C') {
            out += wide ? L"l" : L"";
            out += static_cast<wchar_t>(conv == L'S' ? L's' : L'c');
        } else if (conv == L'n') {
            // Writing through an argument is never wanted from a display format.
            out.pop_back();
        } else {
            out += length;
            out += conv;
        }
    }
    return out;
}

// The formatted text, or nothing when the arguments cannot be formatted (an encoding error).
bool formatInto(std::wstring& out, const wchar_t* format, va_list args) {
    const std::wstring posix = toPosixFormat(format ? format : L"");
    constexpr size_t kLimit = size_t(1) << 26;
    std::vector<wchar_t> buf(256 + posix.size() * 2);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        errno = 0;
        int n = std::vswprintf(buf.data(), buf.size(), posix.c_str(), copy);
        va_end(copy);
        if (n >= 0) {
            out.append(buf.data(), static_cast<size_t>(n));
            return true;
        }
        // vswprintf does not tell the size it needs: grow until it fits, but stop on a
        // real error, which no buffer size would cure.
        if (errno == EILSEQ || errno == EINVAL || buf.size() >= kLimit) return false;
        buf.resize(buf.size() * 4);
    }
}

}  // namespace

void CString::FormatV(const wchar_t* format, va_list args) {
    std::wstring out;
    if (formatInto(out, format, args)) m_s.swap(out);
    else m_s.clear();
}

void CString::AppendFormatV(const wchar_t* format, va_list args) { formatInto(m_s, format, args); }

void CString::formatRaw(CString& out, bool append, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    if (append) out.AppendFormatV(format, args);
    else out.FormatV(format, args);
    va_end(args);
}
