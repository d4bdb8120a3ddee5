// The MTEXT formatting codes: \P \N (paragraph), \~ (non-breaking space), \\ \{ \} (the
// characters), braces (formatting groups), \L \l \O \o \K \k, \f family|b|i|c|p; \F file;
// \H \W (x: relative), \Q oblique, \T tracking, \A alignment, \C index, \c true colour, \S
// stacks (a^b, a/b, a#b), \p paragraph settings (only the alignment is used), ^I tab, ^J line
// feed, and %%c %%d %%p. Unknown codes are dropped with their argument when they have one.
#include <cmath>
#include <cwctype>
#include <string>

#include "db/access.h"

#include "render/mtext.h"
#include "render/palette.h"
#include "render/tables.h"

namespace vx::render {

namespace {

constexpr size_t kMaxDepth = 64;

bool isCjk(wchar_t c) { return c >= 0x2E80 && !(c >= 0xFF61 && c <= 0xFF9F); }

class Parser {
public:
    Parser(std::wstring_view s, const MTextFormat& base, Tables& tables) : m_s(s), m_tables(tables) {
        m_stack.push_back(base);
    }

    std::vector<MTextAtom> run() {
        while (m_i < m_s.size()) step();
        flush();
        return std::move(m_out);
    }

private:
    MTextFormat& fmt() { return m_stack.back(); }

    void flush() {
        if (m_word.empty()) return;
        MTextAtom a;
        a.kind = MTextAtom::Word;
        a.text = std::move(m_word);
        a.format = m_wordFormat;
        m_out.push_back(std::move(a));
        m_word.clear();
    }
    void atom(MTextAtom::Kind k) {
        flush();
        MTextAtom a;
        a.kind = k;
        a.format = fmt();
        m_out.push_back(std::move(a));
    }
    void character(wchar_t c) {
        if (c == L' ') {
            atom(MTextAtom::Space);
            return;
        }
        if (!m_word.empty() && !sameFormat()) flush();
        if (m_word.empty()) m_wordFormat = fmt();
        // A line may break before and after a CJK character.
        if (isCjk(c)) {
            flush();
            m_wordFormat = fmt();
            m_word += c;
            flush();
            return;
        }
        m_word += c;
    }
    bool sameFormat() {
        const MTextFormat& a = m_wordFormat;
        const MTextFormat& b = fmt();
        return a.font == b.font && a.height == b.height && a.widthFactor == b.widthFactor && a.oblique == b.oblique &&
               a.tracking == b.tracking && a.underline == b.underline && a.overline == b.overline &&
               a.valign == b.valign && a.colorMode == b.colorMode && a.color == b.color;
    }
    // The argument of a code: up to ';' (consumed) or the end.
    std::wstring argument() {
        const size_t end = m_s.find(L';', m_i);
        std::wstring a(m_s.substr(m_i, end == std::wstring_view::npos ? std::wstring_view::npos : end - m_i));
        m_i = end == std::wstring_view::npos ? m_s.size() : end + 1;
        return a;
    }
    static double number(std::wstring a, double def) {
        // Locale-independent: only ASCII digits, sign, point and exponent are numbers here.
        while (!a.empty() && (a.back() == L'x' || a.back() == L'X' || a.back() == L' ')) a.pop_back();
        std::string ascii;
        for (wchar_t c : a) {
            if (c > 0x7F) return def;
            ascii += static_cast<char>(c);
        }
        double v = 0;
        return vx::db::parseDouble(ascii, v) && std::isfinite(v) ? v : def;
    }
    // \H and \W: "2.5" absolute, "0.5x" relative to the current value.
    static double scaled(const std::wstring& a, double current) {
        std::wstring digits = a;
        const bool relative = !digits.empty() && (digits.back() == L'x' || digits.back() == L'X');
        if (relative) digits.pop_back();
        const double v = number(digits, -1);
        const double out = relative ? current * v : v;
        return out > 0 && std::isfinite(out) ? out : current;
    }
    void fontSwitch(const std::wstring& a, bool byFile) {
        FontRequest req;
        size_t bar = a.find(L'|');
        const std::wstring name = a.substr(0, bar);
        if (byFile) req.fontFile = name;
        else req.family = name;
        while (bar != std::wstring::npos) {
            const size_t next = a.find(L'|', bar + 1);
            const std::wstring opt = a.substr(bar + 1, next == std::wstring::npos ? std::wstring::npos : next - bar - 1);
            if (opt.size() >= 2 && opt[0] == L'b') req.bold = opt[1] == L'1';
            if (opt.size() >= 2 && opt[0] == L'i') req.italic = opt[1] == L'1';
            bar = next;
        }
        if (name.empty()) return;
        fmt().font = m_tables.font(req);
        fmt().kind = fontLibrary().info(fmt().font).kind;
    }
    void stack() {
        const std::wstring a = argument();
        MTextAtom s;
        s.kind = MTextAtom::Stack;
        s.format = fmt();
        size_t split = std::wstring::npos;
        for (size_t k = 0; k < a.size(); ++k) {
            if (a[k] == L'\\' && k + 1 < a.size()) {
                ++k;  // an escaped ^ / # stays a character
                continue;
            }
            if (a[k] == L'^' || a[k] == L'/' || a[k] == L'#') {
                split = k;
                break;
            }
        }
        auto unescape = [](std::wstring_view v) {
            std::wstring out;
            for (size_t k = 0; k < v.size(); ++k) {
                if (v[k] == L'\\' && k + 1 < v.size()) ++k;
                out += v[k];
            }
            return out;
        };
        if (split == std::wstring::npos) {
            s.text = unescape(a);
        } else {
            s.stackType = a[split];
            s.text = unescape(std::wstring_view(a).substr(0, split));
            s.lower = unescape(std::wstring_view(a).substr(split + 1));
        }
        flush();
        m_out.push_back(std::move(s));
    }
    void paragraphSettings() {
        const std::wstring a = argument();
        const size_t q = a.find(L'q');
        if (q == std::wstring::npos || q + 1 >= a.size()) return;
        switch (a[q + 1]) {
        case L'l': fmt().paragraphAlign = 0; break;
        case L'c': fmt().paragraphAlign = 1; break;
        case L'r': fmt().paragraphAlign = 2; break;
        default: fmt().paragraphAlign = -1; break;
        }
    }

    void code(wchar_t k) {
        switch (k) {
        case L'P': case L'N': case L'X': atom(MTextAtom::Paragraph); break;
        case L'~': flush(), m_out.push_back(MTextAtom{MTextAtom::Space, {}, {}, L'/', fmt(), true}); break;
        case L'\\': case L'{': case L'}': character(k); break;
        case L'L': flush(), fmt().underline = true; break;
        case L'l': flush(), fmt().underline = false; break;
        case L'O': flush(), fmt().overline = true; break;
        case L'o': flush(), fmt().overline = false; break;
        case L'K': case L'k': break;
        case L'f': case L'F': flush(), fontSwitch(argument(), k == L'F'); break;
        case L'H': flush(), fmt().height = scaled(argument(), fmt().height); break;
        case L'W': flush(), fmt().widthFactor = scaled(argument(), fmt().widthFactor); break;
        case L'T': flush(), fmt().tracking = scaled(argument(), fmt().tracking); break;
        case L'Q': {
            flush();
            const double deg = number(argument(), 0);
            fmt().oblique = std::fabs(deg) < 85 ? deg * M_PI / 180 : fmt().oblique;
            break;
        }
        case L'A': {
            flush();
            const double a = number(argument(), 0);
            fmt().valign = a >= 0 && a <= 2 ? static_cast<int>(a) : 0;
            break;
        }
        case L'C': {
            flush();
            const double aci = number(argument(), 256);
            if (aci >= 1 && aci <= 255) fmt().colorMode = 1, fmt().color = aciColor(static_cast<int>(aci));
            else fmt().colorMode = aci == 0 ? 2 : 0;
            break;
        }
        case L'c': {
            flush();
            const double v = number(argument(), -1);
            if (v >= 0 && v <= 0xFFFFFF) {
                const uint32_t bgr = static_cast<uint32_t>(v);
                fmt().colorMode = 1;
                fmt().color = trueColor(((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF));
            }
            break;
        }
        case L'S': stack(); break;
        case L'p': flush(), paragraphSettings(); break;
        default:
            // Codes this host does not know end at ';' when they take an argument; a lone
            // letter is shown as written.
            character(k);
            break;
        }
    }

    void step() {
        const wchar_t c = m_s[m_i++];
        switch (c) {
        case L'\\':
            if (m_i < m_s.size()) code(m_s[m_i++]);
            return;
        case L'{':
            flush();
            if (m_stack.size() < kMaxDepth) m_stack.push_back(fmt());
            else ++m_lostPushes;
            return;
        case L'}':
            flush();
            if (m_lostPushes > 0) --m_lostPushes;
            else if (m_stack.size() > 1) m_stack.pop_back();
            return;
        case L'^':
            if (m_i < m_s.size()) {
                const wchar_t n = m_s[m_i++];
                if (n == L'I') atom(MTextAtom::Tab);
                else if (n == L'J') atom(MTextAtom::Paragraph);
                else if (n == L' ') character(L'^');
                else character(n);
            }
            return;
        case L'%':
            if (m_i + 1 < m_s.size() && m_s[m_i] == L'%') {
                const wchar_t k = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(m_s[m_i + 1])));
                const wchar_t sub = k == L'c' ? L'\u2300' : k == L'd' ? L'\u00B0' : k == L'p' ? L'\u00B1' : 0;
                if (sub) {
                    m_i += 2;
                    character(sub);
                    return;
                }
            }
            character(c);
            return;
        case L'\t': atom(MTextAtom::Tab); return;
        case L'\n': atom(MTextAtom::Paragraph); return;
        case L'\r': return;
        default: character(c); return;
        }
    }

    std::wstring_view m_s;
    Tables& m_tables;
    size_t m_i = 0;
    std::vector<MTextFormat> m_stack;
    size_t m_lostPushes = 0;
    std::vector<MTextAtom> m_out;
    std::wstring m_word;
    MTextFormat m_wordFormat;
};

}  // namespace

std::vector<MTextAtom> parseMText(std::wstring_view contents, const MTextFormat& base, Tables& tables) {
    return Parser(contents, base, tables).run();
}

}  // namespace vx::render
