#include "editor/wide_format.h"

#include <cwchar>
#include <vector>

#include "acutads.h"
#include "editor/command_line.h"

namespace vx::editor {
namespace {

bool isFlag(wchar_t c) { return c == L'-' || c == L'+' || c == L' ' || c == L'#' || c == L'0' || c == L'\''; }
bool isDigitOrStar(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'*' || c == L'$'; }

}  // namespace

std::wstring toPosixWideFormat(const wchar_t* format) {
    std::wstring out;
    if (!format) return out;
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        const size_t start = out.size();
        out += *p++;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        while (*p && isFlag(*p)) out += *p++;
        while (*p && isDigitOrStar(*p)) out += *p++;
        if (*p == L'.') {
            out += *p++;
            while (*p && isDigitOrStar(*p)) out += *p++;
        }
        // Length modifier, in the home platform's spelling.
        enum { kNone, kNarrow, kWide } width = kNone;
        std::wstring length;
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            length = L"ll";
            p += 3;
        } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
            p += 3;
        } else if (p[0] == L'I') {
            length = L"z";
            p += 1;
        } else if (p[0] == L'h' && (p[1] == L's' || p[1] == L'c')) {
            width = kNarrow;
            p += 1;
        } else if ((p[0] == L'l' || p[0] == L'w') && (p[1] == L's' || p[1] == L'c')) {
            width = kWide;
            p += 1;
        } else {
            while (*p == L'h' || *p == L'l' || *p == L'L' || *p == L'j' || *p == L'z' || *p == L't' ||
                   *p == L'q')
                length += *p++;
        }
        if (!*p) break;
        wchar_t conv = *p++;
        switch (conv) {
            case L's':
            case L'c':
                out += width == kNarrow ? L"" : L"l";
                out += conv;
                break;
            case L'S':
            case L'C':
                out += width == kWide ? L"l" : L"";
                out += static_cast<wchar_t>(conv == L'S' ? L's' : L'c');
                break;
            case L'n':  // a message never writes through its arguments: print it as text
                out.resize(start);
                out += L"%%n";
                break;
            default:
                out += length;
                out += conv;
        }
    }
    return out;
}

std::wstring vformat(const wchar_t* format, va_list args) {
    const std::wstring fmt = toPosixWideFormat(format);
    std::vector<wchar_t> buf(256);
    // vswprintf fails both when the buffer is short and on bad arguments; grow a bounded number
    // of times, then give up rather than allocate without end.
    for (int attempt = 0; attempt < 13; ++attempt) {
        va_list copy;
        va_copy(copy, args);
        int n = std::vswprintf(buf.data(), buf.size(), fmt.c_str(), copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
    return std::wstring();
}

}  // namespace vx::editor

int acutPrintf(const ACHAR* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring text = vx::editor::vformat(format, args);
    va_end(args);
    vx::editor::CommandLine::get().print(text);
    return RTNORM;
}

int acutSPrintf(ACHAR* buffer, size_t count, const ACHAR* format, ...) {
    if (!buffer || count == 0) return -1;
    va_list args;
    va_start(args, format);
    std::wstring text = vx::editor::vformat(format, args);
    va_end(args);
    size_t n = text.size() < count - 1 ? text.size() : count - 1;
    wmemcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}
