// Character advances and MTEXT formatting codes.
#include "db/text_metrics.h"

#include <cwctype>

#include "text/strings.h"

namespace vx::db {

namespace {
double charWidth(wchar_t c) {
    if (c >= 0x2E80) return 1.0;  // CJK and other full-width characters
    if (c == L' ') return 0.5;
    if (std::wstring_view(L"il.,'!|:;`").find(c) != std::wstring_view::npos) return 0.3;
    if (std::iswupper(static_cast<wint_t>(c)) || std::iswdigit(static_cast<wint_t>(c))) return 0.7;
    return 0.6;
}
}  // namespace

double textAdvance(std::wstring_view s, double height, double widthFactor) {
    double w = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'%' && i + 2 < s.size() && s[i + 1] == L'%') {
            const wchar_t k = vx::text::foldCase(s[i + 2]);
            if (k == L'U' || k == L'O') { i += 2; continue; }  // underline / overline toggles
            if (std::iswdigit(static_cast<wint_t>(k))) {
                size_t j = i + 2;
                while (j < s.size() && j < i + 5 && std::iswdigit(static_cast<wint_t>(s[j]))) ++j;
                i = j - 1;
            } else {
                i += 2;
            }
            w += 0.7;
            continue;
        }
        w += charWidth(s[i]);
    }
    return w * height * widthFactor;
}

std::wstring mtextPlain(std::wstring_view s) {
    std::wstring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        wchar_t c = s[i];
        if (c == L'{' || c == L'}') continue;
        if (c != L'\\' || i + 1 >= s.size()) {
            out += c;
            continue;
        }
        wchar_t k = s[++i];
        switch (k) {
        case L'P': case L'N': case L'X': out += L'\n'; break;
        case L'~': out += L' '; break;
        case L'\\': case L'{': case L'}': out += k; break;
        case L'L': case L'l': case L'O': case L'o': case L'K': case L'k': break;
        case L'S': {
            // Stacked text "a^b;" / "a/b;" / "a#b;" reads "a/b".
            size_t end = s.find(L';', i + 1);
            std::wstring_view body = s.substr(i + 1, end == std::wstring_view::npos ? std::wstring_view::npos : end - i - 1);
            for (wchar_t b : body) out += (b == L'^' || b == L'#') ? L'/' : b;
            i = end == std::wstring_view::npos ? s.size() : end;
            break;
        }
        case L'f': case L'F': case L'H': case L'h': case L'W': case L'w': case L'T': case L't': case L'Q':
        case L'q': case L'A': case L'a': case L'C': case L'c': case L'p': {
            size_t end = s.find(L';', i + 1);
            i = end == std::wstring_view::npos ? s.size() : end;
            break;
        }
        default:
            out += L'\\';
            out += k;
            break;
        }
    }
    return out;
}

}  // namespace vx::db
