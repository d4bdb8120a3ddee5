// The resource-script preprocessor and tokenizer. Files are decoded by the host's text rule
// (UTF-16LE, UTF-8, else the ANSI code page). Header files (.h) contribute only their
// directives, as the resource compiler treats them.
#include "ui/rc_lexer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cwctype>
#include <map>
#include <set>

#include "text/encoding.h"

namespace vx::ui::rc {
namespace {

constexpr int kMaxIncludeDepth = 16;
// Far beyond any real script (the module's whole script is a few thousand tokens), and small
// enough that runaway macro expansion stops quickly.
constexpr size_t kMaxTokens = 200'000;
constexpr int kMaxExpansionDepth = 64;
constexpr size_t kMaxSymbolTokens = 256;
constexpr size_t kMaxConditionTokens = 65536;

// Headers of the platform SDK that scripts include for the constants we already know.
const char* const kSystemHeaders[] = {"windows.h", "winres.h", "afxres.h", "commctrl.h", "winuser.h",
                                      "richedit.h", "dlgs.h", "winver.h", "prsht.h", "afxres.rc",
                                      "verrsrc.h", "winresrc.h", "ntdef.h", "atlres.h"};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string baseName(const std::string& p) {
    size_t k = p.find_last_of("/\\");
    return k == std::string::npos ? p : p.substr(k + 1);
}

bool isHeaderFile(const std::string& p) {
    std::string l = lower(p);
    for (const char* ext : {".h", ".hpp", ".hh", ".c"})
        if (l.size() > std::strlen(ext) && l.compare(l.size() - std::strlen(ext), std::string::npos, ext) == 0)
            return true;
    return false;
}

struct Macro {
    std::vector<Token> body;
    bool functionLike = false;
};

struct Cond {
    bool parentActive;
    bool taken;   // some branch of this #if was active
    bool active;  // the current branch is active
    bool sawElse;
};

class Preprocessor {
public:
    Preprocessor(const FileReader& r, Preprocessed& o, ParseError& e) : reader(r), out(o), error(e) {}

    bool file(const std::string& name, const std::string& bytes, int depth) {
        if (depth > kMaxIncludeDepth) return fail(name, 0, "#include nested too deeply");
        int fileIndex = static_cast<int>(out.files.size());
        out.files.push_back(name);
        vx::text::Encoding enc;
        std::wstring text = vx::text::decode(bytes, enc);
        std::vector<std::wstring> lines;
        if (!stripComments(text, name, lines)) return false;
        bool headerOnly = isHeaderFile(name);
        size_t condBase = conds.size();
        for (size_t i = 0; i < lines.size(); ++i) {
            int lineNo = static_cast<int>(i) + 1;
            std::wstring line = lines[i];
            // Continuation lines (backslash at the end) join the next.
            while (!line.empty() && line.back() == L'\\' && i + 1 < lines.size()) {
                line.pop_back();
                line += lines[++i];
            }
            size_t k = line.find_first_not_of(L" \t\r\f\v");
            if (k != std::wstring::npos && line[k] == L'#') {
                if (!directive(line.substr(k + 1), name, fileIndex, lineNo, depth)) return false;
                continue;
            }
            if (!active() || headerOnly) continue;
            std::vector<Token> toks;
            if (!tokenize(line, fileIndex, lineNo, name, toks)) return false;
            for (const Token& t : toks)
                if (!emit(t, 0)) return false;
        }
        if (conds.size() != condBase) return fail(name, static_cast<int>(lines.size()), "#if without #endif");
        return true;
    }

    void finish() {
        Token end;
        end.kind = Tok::End;
        end.line = out.tokens.empty() ? 0 : out.tokens.back().line;
        end.file = out.tokens.empty() ? 0 : out.tokens.back().file;
        out.tokens.push_back(end);
        for (const auto& [name, m] : macros) {
            if (m.functionLike) continue;
            std::vector<Token> expanded;
            std::set<std::wstring> guard{name};
            // A symbol is one number: a body that expands to more than a few tokens is none.
            if (!expandInto(m.body, expanded, guard, 0, kMaxSymbolTokens)) continue;
            if (expanded.empty()) continue;
            size_t pos = 0;
            long long v = 0;
            std::string err;
            if (evalExpression(expanded, pos, nullptr, v, err) && pos == expanded.size())
                out.symbols[vx::text::toUtf8(name)] = v;
        }
    }

private:
    const FileReader& reader;
    Preprocessed& out;
    ParseError& error;
    std::map<std::wstring, Macro> macros;
    std::vector<Cond> conds;

    bool fail(const std::string& file, int line, const std::string& msg) {
        error.file = file;
        error.line = line;
        error.message = msg;
        return false;
    }
    bool active() const { return conds.empty() || conds.back().active; }

    // Removes /* */ and // comments outside strings, keeping line breaks.
    bool stripComments(const std::wstring& text, const std::string& name, std::vector<std::wstring>& lines) {
        std::wstring cur;
        int line = 1, commentStart = 0;
        bool inString = false, inBlock = false;
        for (size_t i = 0; i < text.size(); ++i) {
            wchar_t c = text[i];
            wchar_t n = i + 1 < text.size() ? text[i + 1] : 0;
            if (c == L'\n') {
                if (!cur.empty() && cur.back() == L'\r') cur.pop_back();
                lines.push_back(cur);
                cur.clear();
                ++line;
                inString = false;  // strings never span lines; the tokenizer reports them
                continue;
            }
            if (inBlock) {
                if (c == L'*' && n == L'/') { inBlock = false; ++i; cur += L' '; }
                continue;
            }
            if (inString) {
                if (c == L'\\' && n) { cur += c; cur += n; ++i; continue; }
                if (c == L'"') inString = false;
                cur += c;
                continue;
            }
            if (c == L'"') { inString = true; cur += c; continue; }
            if (c == L'/' && n == L'*') { inBlock = true; commentStart = line; ++i; continue; }
            if (c == L'/' && n == L'/') {
                while (i + 1 < text.size() && text[i + 1] != L'\n') ++i;
                continue;
            }
            cur += c;
        }
        if (inBlock) return fail(name, commentStart, "unterminated comment");
        if (!cur.empty()) lines.push_back(cur);
        return true;
    }

    bool tokenize(const std::wstring& s, int fileIndex, int line, const std::string& name, std::vector<Token>& toks) {
        size_t i = 0;
        while (i < s.size()) {
            wchar_t c = s[i];
            if (std::iswspace(c) || c == 0xFEFF) { ++i; continue; }
            Token t;
            t.file = fileIndex;
            t.line = line;
            bool wideString = (c == L'L' || c == L'l') && i + 1 < s.size() && s[i + 1] == L'"';
            if (c == L'"' || wideString) {
                if (wideString) ++i;
                ++i;
                t.kind = Tok::String;
                bool closed = false;
                while (i < s.size()) {
                    wchar_t d = s[i++];
                    if (d == L'"') {
                        if (i < s.size() && s[i] == L'"') { t.text += L'"'; ++i; continue; }
                        closed = true;
                        break;
                    }
                    if (d == L'\\' && i < s.size()) {
                        wchar_t e = s[i++];
                        switch (e) {
                        case L'n': t.text += L'\n'; break;
                        case L't': t.text += L'\t'; break;
                        case L'r': t.text += L'\r'; break;
                        case L'a': t.text += L'\a'; break;
                        case L'0': t.text += L'\0'; break;
                        case L'x': case L'X': {
                            unsigned v = 0;
                            int n = 0;
                            while (i < s.size() && n < 4 && std::iswxdigit(s[i])) {
                                v = v * 16 + static_cast<unsigned>(std::iswdigit(s[i]) ? s[i] - L'0' : (std::towlower(s[i]) - L'a' + 10));
                                ++i;
                                ++n;
                            }
                            t.text += static_cast<wchar_t>(v);
                            break;
                        }
                        default: t.text += e; break;
                        }
                        continue;
                    }
                    t.text += d;
                }
                if (!closed) return fail(name, line, "unterminated string");
            } else if (std::iswdigit(c)) {
                t.kind = Tok::Number;
                unsigned long long v = 0;
                if (c == L'0' && i + 1 < s.size() && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
                    i += 2;
                    size_t start = i;
                    while (i < s.size() && std::iswxdigit(s[i])) {
                        v = v * 16 + static_cast<unsigned>(std::iswdigit(s[i]) ? s[i] - L'0' : (std::towlower(s[i]) - L'a' + 10));
                        ++i;
                    }
                    if (i == start) return fail(name, line, "malformed number");
                } else {
                    while (i < s.size() && std::iswdigit(s[i])) v = v * 10 + static_cast<unsigned>(s[i++] - L'0');
                }
                while (i < s.size() && (s[i] == L'L' || s[i] == L'l' || s[i] == L'U' || s[i] == L'u')) ++i;
                if (i < s.size() && (std::iswalnum(s[i]) || s[i] == L'_')) return fail(name, line, "malformed number");
                t.value = static_cast<long long>(v);
            } else if (std::iswalpha(c) || c == L'_') {
                t.kind = Tok::Ident;
                while (i < s.size() && (std::iswalnum(s[i]) || s[i] == L'_')) t.text += s[i++];
            } else {
                t.kind = Tok::Punct;
                static const wchar_t* const twoChar[] = {L"&&", L"||", L"==", L"!=", L"<=", L">=", L"<<", L">>"};
                t.text = std::wstring(1, c);
                for (const wchar_t* op : twoChar)
                    if (i + 1 < s.size() && s[i] == op[0] && s[i + 1] == op[1]) t.text = op;
                i += t.text.size();
            }
            toks.push_back(std::move(t));
        }
        return true;
    }

    bool expandInto(const std::vector<Token>& in, std::vector<Token>& outToks, std::set<std::wstring>& guard,
                    int depth, size_t limit = kMaxTokens) {
        if (depth > kMaxExpansionDepth || outToks.size() > limit) return false;
        for (const Token& t : in) {
            auto it = t.kind == Tok::Ident ? macros.find(t.text) : macros.end();
            if (it == macros.end() || it->second.functionLike || guard.count(t.text)) {
                outToks.push_back(t);
                continue;
            }
            guard.insert(t.text);
            std::vector<Token> body = it->second.body;
            for (Token& b : body) { b.file = t.file; b.line = t.line; }
            bool ok = expandInto(body, outToks, guard, depth + 1, limit);
            guard.erase(t.text);
            if (!ok) return false;
        }
        return true;
    }

    bool emit(const Token& t, int) {
        std::vector<Token> expanded;
        std::set<std::wstring> guard;
        if (!expandInto({t}, expanded, guard, 0, kMaxTokens - out.tokens.size()) ||
            out.tokens.size() + expanded.size() > kMaxTokens)
            return fail(out.files[static_cast<size_t>(t.file)], t.line, "macro expansion too large or recursive");
        out.tokens.insert(out.tokens.end(), expanded.begin(), expanded.end());
        return true;
    }

    bool evalCondition(const std::vector<Token>& toks, const std::string& name, int line, bool& result) {
        std::vector<Token> replaced;
        for (size_t i = 0; i < toks.size(); ++i) {
            if (toks[i].kind == Tok::Ident && toks[i].text == L"defined") {
                size_t j = i + 1;
                bool paren = j < toks.size() && toks[j].kind == Tok::Punct && toks[j].text == L"(";
                if (paren) ++j;
                if (j >= toks.size() || toks[j].kind != Tok::Ident) return fail(name, line, "defined needs a name");
                Token n = toks[j];
                n.kind = Tok::Number;
                n.value = macros.count(toks[j].text) ? 1 : 0;
                if (paren) {
                    ++j;
                    if (j >= toks.size() || toks[j].text != L")") return fail(name, line, "')' expected");
                }
                replaced.push_back(n);
                i = j;
                continue;
            }
            replaced.push_back(toks[i]);
        }
        std::vector<Token> expanded;
        std::set<std::wstring> guard;
        if (!expandInto(replaced, expanded, guard, 0, kMaxConditionTokens))
            return fail(name, line, "macro expansion too large or recursive");
        if (expanded.empty()) return fail(name, line, "#if needs an expression");
        size_t pos = 0;
        long long v = 0;
        std::string err;
        // Names that are still left are not defined: they count as 0, as in C.
        auto zero = [](const std::wstring&, long long& value) { value = 0; return true; };
        if (!evalExpression(expanded, pos, zero, v, err)) return fail(name, line, err);
        if (pos != expanded.size()) return fail(name, line, "unexpected text after #if expression");
        result = v != 0;
        return true;
    }

    bool directive(const std::wstring& rest, const std::string& name, int fileIndex, int line, int depth) {
        std::vector<Token> toks;
        if (!tokenize(rest, fileIndex, line, name, toks)) return false;
        if (toks.empty()) return true;  // a lone '#'
        std::wstring d = toks[0].text;
        std::vector<Token> args(toks.begin() + 1, toks.end());
        if (d == L"if" || d == L"ifdef" || d == L"ifndef") {
            bool value = false;
            if (active()) {
                if (d == L"if") {
                    if (!evalCondition(args, name, line, value)) return false;
                } else {
                    if (args.empty() || args[0].kind != Tok::Ident) return fail(name, line, "#" + vx::text::toUtf8(d) + " needs a name");
                    value = macros.count(args[0].text) != 0;
                    if (d == L"ifndef") value = !value;
                }
            }
            conds.push_back({active(), value, active() && value, false});
            return true;
        }
        if (d == L"elif" || d == L"else" || d == L"endif") {
            if (conds.empty()) return fail(name, line, "#" + vx::text::toUtf8(d) + " without #if");
            Cond& c = conds.back();
            if (d == L"endif") { conds.pop_back(); return true; }
            if (c.sawElse) return fail(name, line, "#" + vx::text::toUtf8(d) + " after #else");
            if (d == L"else") {
                c.sawElse = true;
                c.active = c.parentActive && !c.taken;
                c.taken = c.taken || c.active;
                return true;
            }
            bool value = false;
            if (c.parentActive && !c.taken && !evalCondition(args, name, line, value)) return false;
            c.active = c.parentActive && !c.taken && value;
            c.taken = c.taken || c.active;
            return true;
        }
        if (!active()) return true;
        if (d == L"define") {
            if (args.empty() || args[0].kind != Tok::Ident) return fail(name, line, "#define needs a name");
            Macro m;
            size_t bodyStart = 1;
            // "NAME(" with no space between makes a function-like macro.
            size_t afterName = rest.find(args[0].text) + args[0].text.size();
            if (args.size() > 1 && args[1].text == L"(" && afterName < rest.size() && rest[afterName] == L'(') {
                m.functionLike = true;
                while (bodyStart < args.size() && args[bodyStart].text != L")") ++bodyStart;
                ++bodyStart;
            }
            if (bodyStart < args.size()) m.body.assign(args.begin() + static_cast<long>(bodyStart), args.end());
            macros[args[0].text] = std::move(m);
            return true;
        }
        if (d == L"undef") {
            if (!args.empty()) macros.erase(args[0].text);
            return true;
        }
        if (d == L"include") return include(rest, args, name, line, depth);
        if (d == L"error") {
            size_t k = rest.find(L"error");
            return fail(name, line, "#error" + vx::text::toUtf8(rest.substr(k + 5)));
        }
        if (d == L"pragma" || d == L"line") return true;
        return fail(name, line, "unknown directive #" + vx::text::toUtf8(d));
    }

    bool include(const std::wstring& rest, const std::vector<Token>& args, const std::string& name, int line,
                 int depth) {
        std::string path;
        if (!args.empty() && args[0].kind == Tok::String) {
            path = vx::text::toUtf8(args[0].text);
        } else {
            size_t a = rest.find(L'<'), b = rest.rfind(L'>');
            if (a == std::wstring::npos || b == std::wstring::npos || b <= a) return fail(name, line, "#include needs a file name");
            path = vx::text::toUtf8(rest.substr(a + 1, b - a - 1));
        }
        std::string resolved, bytes;
        if (reader && reader(name, path, resolved, bytes)) return file(resolved, bytes, depth + 1);
        std::string base = lower(baseName(path));
        for (const char* h : kSystemHeaders)
            if (base == h) return true;
        return fail(name, line, "cannot open include file \"" + path + "\"");
    }
};

}  // namespace

bool preprocess(const std::string& mainFile, const std::string* mainBytes, const FileReader& reader,
                Preprocessed& out, ParseError& error) {
    out = Preprocessed{};
    Preprocessor pp(reader, out, error);
    std::string bytes, resolved = mainFile;
    if (mainBytes) {
        bytes = *mainBytes;
    } else if (!reader || !reader("", mainFile, resolved, bytes)) {
        error.file = mainFile;
        error.line = 0;
        error.message = "cannot open resource script";
        return false;
    }
    if (!pp.file(resolved, bytes, 0)) return false;
    pp.finish();
    return true;
}

}  // namespace vx::ui::rc
