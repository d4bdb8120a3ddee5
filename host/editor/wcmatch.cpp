#include "editor/wcmatch.h"

#include <cwctype>
#include <vector>

#include "acutads.h"
#include "text/strings.h"

namespace vx::editor {
namespace {

wchar_t fold(wchar_t c, bool ignoreCase) { return ignoreCase ? vx::text::foldCase(c) : c; }

// [...] at p (p points after '['); advances p past ']'. A class without its ']' is literal '['.
bool classMatch(const std::wstring& pat, size_t& p, wchar_t c, bool ignoreCase, bool& ok) {
    size_t q = p;
    bool negate = q < pat.size() && pat[q] == L'~';
    if (negate) ++q;
    bool hit = false;
    bool first = true;
    while (q < pat.size() && (pat[q] != L']' || first)) {
        wchar_t lo = pat[q];
        if (lo == L'`' && q + 1 < pat.size()) lo = pat[++q];
        wchar_t hi = lo;
        if (q + 2 < pat.size() && pat[q + 1] == L'-' && pat[q + 2] != L']') {
            hi = pat[q + 2];
            q += 2;
        }
        if (fold(c, ignoreCase) >= fold(lo, ignoreCase) && fold(c, ignoreCase) <= fold(hi, ignoreCase)) hit = true;
        ++q;
        first = false;
    }
    if (q >= pat.size()) {
        ok = false;
        return false;
    }
    p = q + 1;
    ok = true;
    return hit != negate;
}

bool matchHere(const std::wstring& s, size_t i, const std::wstring& pat, size_t p, bool ignoreCase) {
    while (p < pat.size()) {
        wchar_t pc = pat[p];
        if (pc == L'*') {
            while (p < pat.size() && pat[p] == L'*') ++p;
            if (p == pat.size()) return true;
            for (size_t k = i; k <= s.size(); ++k)
                if (matchHere(s, k, pat, p, ignoreCase)) return true;
            return false;
        }
        if (i >= s.size()) return false;
        wchar_t c = s[i];
        switch (pc) {
            case L'?': break;
            case L'#':
                if (!std::iswdigit(c)) return false;
                break;
            case L'@':
                if (!std::iswalpha(c)) return false;
                break;
            case L'.':
                if (std::iswalnum(c)) return false;
                break;
            case L'[': {
                size_t q = p + 1;
                bool ok = false;
                bool hit = classMatch(pat, q, c, ignoreCase, ok);
                if (ok) {
                    if (!hit) return false;
                    p = q;
                    ++i;
                    continue;
                }
                if (c != L'[') return false;
                break;
            }
            case L'`':
                if (p + 1 < pat.size()) ++p;
                if (fold(c, ignoreCase) != fold(pat[p], ignoreCase)) return false;
                break;
            default:
                if (fold(c, ignoreCase) != fold(pc, ignoreCase)) return false;
        }
        ++p;
        ++i;
    }
    return i == s.size();
}

std::vector<std::wstring> alternatives(const std::wstring& pattern) {
    std::vector<std::wstring> out(1);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'`' && i + 1 < pattern.size()) {
            out.back() += pattern[i];
            out.back() += pattern[++i];
        } else if (pattern[i] == L',') {
            out.emplace_back();
        } else {
            out.back() += pattern[i];
        }
    }
    return out;
}

}  // namespace

bool wcMatch(const std::wstring& text, const std::wstring& pattern, bool ignoreCase) {
    for (const std::wstring& alt : alternatives(pattern)) {
        bool negate = !alt.empty() && alt[0] == L'~';
        const std::wstring body = negate ? alt.substr(1) : alt;
        if (matchHere(text, 0, body, 0, ignoreCase) != negate) return true;
    }
    return false;
}

}  // namespace vx::editor

int acutWcMatch(const ACHAR* string, const ACHAR* pattern) {
    if (!string || !pattern) return RTERROR;
    return vx::editor::wcMatch(string, pattern, false) ? RTNORM : RTERROR;
}
