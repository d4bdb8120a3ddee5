// The resource-script parser: DIALOG/DIALOGEX templates with their controls, STRINGTABLE and
// BITMAP; other resource kinds are skipped whole. Keywords are case-insensitive, as for the
// resource compiler.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "text/encoding.h"
#include "text/strings.h"
#include "ui/rc_lexer.h"
#include "ui/rc_symbols.h"
#include "winuser.h"

namespace vx::ui::rc {
namespace {

enum class Shape { TextFirst, NoText, Control, Icon };

struct ControlKind {
    const wchar_t* keyword;
    Shape shape;
    const wchar_t* className;
    uint32_t defaultStyle;
    uint32_t typeMask;  // bits of the default that a given type replaces (CBS_DROPDOWN ...)
};

const ControlKind kControls[] = {
    {L"PUSHBUTTON", Shape::TextFirst, L"Button", BS_PUSHBUTTON | WS_TABSTOP, BS_TYPEMASK},
    {L"DEFPUSHBUTTON", Shape::TextFirst, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, BS_TYPEMASK},
    {L"CHECKBOX", Shape::TextFirst, L"Button", BS_CHECKBOX | WS_TABSTOP, BS_TYPEMASK},
    {L"AUTOCHECKBOX", Shape::TextFirst, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, BS_TYPEMASK},
    {L"RADIOBUTTON", Shape::TextFirst, L"Button", BS_RADIOBUTTON, BS_TYPEMASK},
    {L"AUTORADIOBUTTON", Shape::TextFirst, L"Button", BS_AUTORADIOBUTTON, BS_TYPEMASK},
    {L"STATE3", Shape::TextFirst, L"Button", BS_3STATE | WS_TABSTOP, BS_TYPEMASK},
    {L"AUTO3STATE", Shape::TextFirst, L"Button", BS_AUTO3STATE | WS_TABSTOP, BS_TYPEMASK},
    {L"GROUPBOX", Shape::TextFirst, L"Button", BS_GROUPBOX, BS_TYPEMASK},
    {L"LTEXT", Shape::TextFirst, L"Static", SS_LEFT | WS_GROUP, SS_TYPEMASK},
    {L"RTEXT", Shape::TextFirst, L"Static", SS_RIGHT | WS_GROUP, SS_TYPEMASK},
    {L"CTEXT", Shape::TextFirst, L"Static", SS_CENTER | WS_GROUP, SS_TYPEMASK},
    {L"EDITTEXT", Shape::NoText, L"Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, 0x3u},
    {L"COMBOBOX", Shape::NoText, L"ComboBox", CBS_SIMPLE | WS_TABSTOP, 0x3u},
    {L"LISTBOX", Shape::NoText, L"ListBox", LBS_NOTIFY | WS_BORDER, 0},
    {L"SCROLLBAR", Shape::NoText, L"ScrollBar", 0, 0},
    {L"ICON", Shape::Icon, L"Static", SS_ICON, SS_TYPEMASK},
    {L"CONTROL", Shape::Control, L"", 0, 0},
};

const wchar_t* const kMemoryOptions[] = {L"PRELOAD", L"LOADONCALL", L"FIXED", L"MOVEABLE", L"DISCARDABLE",
                                         L"PURE", L"IMPURE", L"SHARED", L"NONSHARED"};

bool sameWord(const std::wstring& a, const wchar_t* b) { return vx::text::equalNoCase(a, b); }

// One argument of a statement: a string, or the token range of an expression.
struct Arg {
    bool isString = false;
    std::wstring text;
    size_t begin = 0, end = 0;
    int line = 0;
};

class Parser {
public:
    Parser(const Preprocessed& p, const FileReader& r, Script& s, ParseError& e) : pp(p), reader(r), out(s), err(e) {}

    bool run() {
        out.symbols = pp.symbols;
        while (cur().kind != Tok::End) {
            if (word(L"LANGUAGE")) {
                ++pos;
                if (!skipNumbers(2)) return false;
            } else if (word(L"STRINGTABLE")) {
                if (!stringTable()) return false;
            } else if (!resource()) {
                return false;
            }
        }
        return true;
    }

private:
    const Preprocessed& pp;
    const FileReader& reader;
    Script& out;
    ParseError& err;
    size_t pos = 0;

    const Token& cur() const { return pp.tokens[std::min(pos, pp.tokens.size() - 1)]; }
    const Token& at(size_t i) const { return pp.tokens[std::min(i, pp.tokens.size() - 1)]; }
    bool word(const wchar_t* w) const { return cur().kind == Tok::Ident && sameWord(cur().text, w); }
    bool punct(const wchar_t* p) const { return cur().kind == Tok::Punct && cur().text == p; }
    bool isBegin() const { return word(L"BEGIN") || punct(L"{"); }
    bool isEnd() const { return word(L"END") || punct(L"}"); }

    bool fail(const Token& t, const std::string& msg) {
        err.file = t.file >= 0 && size_t(t.file) < pp.files.size() ? pp.files[size_t(t.file)] : "";
        err.line = t.line;
        err.message = msg;
        return false;
    }
    bool fail(const std::string& msg) { return fail(cur(), msg); }
    static std::string show(const Token& t) {
        if (t.kind == Tok::End) return "end of file";
        if (t.kind == Tok::Number) return std::to_string(t.value);
        if (t.kind == Tok::String) return "\"" + vx::text::toUtf8(t.text) + "\"";
        return "'" + vx::text::toUtf8(t.text) + "'";
    }

    bool resolve(const std::wstring& name, long long& v) const {
        std::string n = vx::text::toUtf8(name);
        auto it = pp.symbols.find(n);
        if (it != pp.symbols.end()) { v = it->second; return true; }
        return builtinSymbol(n, v);
    }

    bool isResolvable(const Token& t) const {
        long long v;
        return t.kind == Tok::Ident && resolve(t.text, v);
    }

    // Moves past one expression without evaluating it (NOT and unknown names included).
    bool scanExpression() {
        bool operand = true;
        size_t start = pos;
        for (;;) {
            const Token& t = cur();
            if (operand) {
                if (t.kind == Tok::Punct && (t.text == L"-" || t.text == L"+" || t.text == L"~" || t.text == L"!")) { ++pos; continue; }
                if (t.kind == Tok::Ident && sameWord(t.text, L"NOT")) { ++pos; continue; }
                if (t.kind == Tok::Number || (t.kind == Tok::Ident && !isBegin() && !isEnd())) { ++pos; operand = false; continue; }
                if (t.kind == Tok::Punct && t.text == L"(") {
                    int depth = 0;
                    do {
                        if (cur().kind == Tok::End) return fail("')' expected");
                        if (punct(L"(")) ++depth;
                        if (punct(L")")) --depth;
                        ++pos;
                    } while (depth > 0);
                    operand = false;
                    continue;
                }
                return fail(pos == start ? "value expected, found " + show(t) : "value expected after operator");
            }
            static const wchar_t* const ops[] = {L"|", L"&", L"+", L"-", L"*", L"/", L"%", L"^", L"<<", L">>"};
            bool isOp = false;
            for (const wchar_t* o : ops) isOp = isOp || (t.kind == Tok::Punct && t.text == o);
            if (!isOp) return true;
            ++pos;
            operand = true;
        }
    }

    // Reads comma-separated arguments until a token that cannot continue the statement.
    bool args(std::vector<Arg>& list) {
        for (;;) {
            Arg a;
            a.line = cur().line;
            if (cur().kind == Tok::String) {
                a.isString = true;
                a.text = cur().text;
                ++pos;
            } else {
                a.begin = pos;
                if (!scanExpression()) return false;
                a.end = pos;
            }
            list.push_back(a);
            if (list.size() > 64) return fail("too many arguments");
            if (!punct(L",")) return true;
            ++pos;
        }
    }

    bool value(const Arg& a, long long& v) {
        if (a.isString) return fail(at(a.begin), "number expected, found a string");
        std::vector<Token> toks(pp.tokens.begin() + long(a.begin), pp.tokens.begin() + long(a.end));
        size_t p = 0;
        std::string msg;
        auto res = [this](const std::wstring& n, long long& out) { return resolve(n, out); };
        if (toks.empty() || !evalExpression(toks, p, res, v, msg)) return fail(at(a.begin), msg.empty() ? "number expected" : msg);
        if (p != toks.size()) return fail(toks[p], "unexpected " + show(toks[p]));
        return true;
    }

    bool intValue(const Arg& a, int& v) {
        long long x = 0;
        if (!value(a, x)) return false;
        v = static_cast<int>(x);
        return true;
    }

    // A style: terms joined by '|', where "NOT term" clears bits of what came before.
    bool style(const Arg& a, uint32_t& v) {
        if (a.isString) return fail(at(a.begin), "style expected, found a string");
        std::vector<Token> toks(pp.tokens.begin() + long(a.begin), pp.tokens.begin() + long(a.end));
        auto res = [this](const std::wstring& n, long long& out) { return resolve(n, out); };
        size_t p = 0;
        for (;;) {
            bool negate = p < toks.size() && toks[p].kind == Tok::Ident && sameWord(toks[p].text, L"NOT");
            if (negate) ++p;
            long long term = 0;
            std::string msg;
            if (!evalExpression(toks, p, res, term, msg, 4)) return fail(p < toks.size() ? toks[p] : at(a.begin), msg);
            if (negate) v &= ~static_cast<uint32_t>(term);
            else v |= static_cast<uint32_t>(term);
            if (p == toks.size()) return true;
            if (toks[p].kind != Tok::Punct || toks[p].text != L"|") return fail(toks[p], "unexpected " + show(toks[p]));
            ++p;
        }
    }

    bool skipNumbers(int n) {
        std::vector<Arg> list;
        if (!args(list)) return false;
        if (int(list.size()) != n) return fail("expected " + std::to_string(n) + " numbers");
        return true;
    }

    void skipMemoryOptions() {
        for (bool again = true; again;) {
            again = false;
            for (const wchar_t* m : kMemoryOptions)
                if (word(m)) { ++pos; again = true; }
        }
    }

    bool stringTable() {
        ++pos;
        while (!isBegin()) {
            if (cur().kind == Tok::End) return fail("BEGIN expected after STRINGTABLE");
            ++pos;
        }
        ++pos;
        while (!isEnd()) {
            if (cur().kind == Tok::End) return fail("END expected: STRINGTABLE is not closed");
            Arg id;
            id.begin = pos;
            if (!scanExpression()) return false;
            id.end = pos;
            int n = 0;
            if (!intValue(id, n)) return false;
            if (punct(L",")) ++pos;
            if (cur().kind != Tok::String) return fail("string expected for string " + std::to_string(n));
            out.strings[n] = cur().text;
            ++pos;
        }
        ++pos;
        return true;
    }

    bool resource() {
        const Token nameTok = cur();
        int id = -1;
        std::wstring name;
        if (nameTok.kind == Tok::String || (nameTok.kind == Tok::Ident && !isResolvable(nameTok))) {
            name = nameTok.text;
            ++pos;
        } else if (nameTok.kind == Tok::Number || nameTok.kind == Tok::Ident || nameTok.kind == Tok::Punct) {
            Arg a;
            a.begin = pos;
            if (!scanExpression()) return false;
            a.end = pos;
            if (!intValue(a, id)) return false;
        } else {
            return fail("resource name expected, found " + show(nameTok));
        }
        const Token typeTok = cur();
        if (typeTok.kind == Tok::Ident && (sameWord(typeTok.text, L"DIALOG") || sameWord(typeTok.text, L"DIALOGEX"))) {
            ++pos;
            return dialog(id, name, sameWord(typeTok.text, L"DIALOGEX"), nameTok);
        }
        if (typeTok.kind == Tok::Ident && sameWord(typeTok.text, L"BITMAP")) {
            ++pos;
            return bitmap(id, name);
        }
        if (typeTok.kind != Tok::Ident && typeTok.kind != Tok::Number)
            return fail("resource type expected after the resource name, found " + show(typeTok));
        ++pos;
        return skipResource();
    }

    // Another kind of resource: a file name, or a BEGIN ... END block after its statements.
    bool skipResource() {
        for (;;) {
            if (cur().kind == Tok::End) return fail("unexpected end of file in a resource");
            if (cur().kind == Tok::String) { ++pos; return true; }
            if (isBegin()) break;
            ++pos;
        }
        int depth = 0;
        do {
            if (cur().kind == Tok::End) return fail("END expected: a resource block is not closed");
            if (isBegin()) ++depth;
            else if (isEnd()) --depth;
            ++pos;
        } while (depth > 0);
        return true;
    }

    bool bitmap(int id, const std::wstring& name) {
        skipMemoryOptions();
        if (cur().kind != Tok::String) return fail("file name expected for BITMAP");
        const Token& t = cur();
        Bitmap b;
        b.id = id;
        b.name = name;
        b.path = vx::text::toUtf8(t.text);
        std::string resolved;
        if (!reader || !reader(pp.files[size_t(t.file)], b.path, resolved, b.bytes))
            return fail("cannot open bitmap file \"" + b.path + "\"");
        out.bitmaps.push_back(std::move(b));
        ++pos;
        return true;
    }

    bool dialog(int id, const std::wstring& name, bool ex, const Token& at0) {
        Dialog d;
        d.id = id;
        d.name = name;
        d.extended = ex;
        d.file = pp.files[size_t(at0.file)];
        d.line = at0.line;
        if (id >= 0 && out.dialog(id)) return fail(at0, "dialog " + std::to_string(id) + " is defined twice");
        skipMemoryOptions();
        std::vector<Arg> list;
        if (!args(list)) return false;
        if (list.size() < 4 || list.size() > 5) return fail(at0, "dialog needs x, y, width and height");
        if (!intValue(list[0], d.x) || !intValue(list[1], d.y) || !intValue(list[2], d.cx) || !intValue(list[3], d.cy))
            return false;
        bool hasStyle = false;
        while (!isBegin()) {
            if (word(L"CAPTION")) {
                ++pos;
                if (cur().kind != Tok::String) return fail("string expected after CAPTION");
                d.caption = cur().text;
                ++pos;
            } else if (word(L"STYLE") || word(L"EXSTYLE")) {
                bool exStyle = word(L"EXSTYLE");
                ++pos;
                Arg a;
                a.begin = pos;
                if (!scanExpression()) return false;
                a.end = pos;
                uint32_t v = 0;
                if (!style(a, v)) return false;
                (exStyle ? d.exStyle : d.style) = v;
                hasStyle = hasStyle || !exStyle;
            } else if (word(L"FONT")) {
                ++pos;
                std::vector<Arg> f;
                if (!args(f)) return false;
                int pts = 0;
                if (f.size() < 2 || !f[1].isString) return fail("FONT needs a size and a typeface");
                if (!intValue(f[0], pts)) return false;
                d.fontPoints = pts;
                d.fontFace = f[1].text;
                if (f.size() > 2 && !intValue(f[2], d.fontWeight)) return false;
                int italic = 0;
                if (f.size() > 3 && !intValue(f[3], italic)) return false;
                d.italic = italic != 0;
            } else if (word(L"MENU") || word(L"CLASS")) {
                ++pos;
                ++pos;
            } else if (word(L"LANGUAGE")) {
                ++pos;
                if (!skipNumbers(2)) return false;
            } else if (word(L"CHARACTERISTICS") || word(L"VERSION")) {
                ++pos;
                if (!skipNumbers(1)) return false;
            } else {
                return fail("unexpected " + show(cur()) + " in the dialog header (BEGIN expected)");
            }
        }
        if (!hasStyle) d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        if (!d.caption.empty()) d.style |= WS_CAPTION;
        if (!d.fontFace.empty()) d.style |= DS_SETFONT;
        ++pos;
        while (!isEnd()) {
            if (cur().kind == Tok::End) return fail("END expected: dialog " + describe(d) + " is not closed");
            Control c;
            if (!control(c)) return false;
            d.controls.push_back(std::move(c));
        }
        ++pos;
        out.dialogs.push_back(std::move(d));
        return true;
    }

    static std::string describe(const Dialog& d) {
        return d.id >= 0 ? std::to_string(d.id) : vx::text::toUtf8(d.name);
    }

    bool control(Control& c) {
        const ControlKind* kind = nullptr;
        for (const ControlKind& k : kControls)
            if (word(k.keyword)) kind = &k;
        if (!kind) return fail("unknown control statement " + show(cur()));
        c.statement = kind->keyword;
        c.line = cur().line;
        ++pos;
        std::vector<Arg> a;
        if (!args(a)) return false;
        size_t i = 0;
        auto need = [&](size_t n) { return a.size() >= n || fail(at(pos - 1), vx::text::toUtf8(c.statement) + " needs more arguments"); };
        auto text = [&](const Arg& x) {
            if (x.isString) { c.text = x.text; return true; }
            long long v = 0;
            if (!value(x, v)) return false;
            c.text = std::to_wstring(v);
            return true;
        };
        c.style = WS_CHILD | WS_VISIBLE | kind->defaultStyle;
        c.className = kind->className;
        switch (kind->shape) {
        case Shape::TextFirst:
        case Shape::Icon:
            if (!need(kind->shape == Shape::Icon ? 4 : 6) || !text(a[0]) || !intValue(a[1], c.id)) return false;
            i = 2;
            break;
        case Shape::NoText:
            if (!need(5) || !intValue(a[0], c.id)) return false;
            i = 1;
            break;
        case Shape::Control: {
            if (!need(8) || !text(a[0]) || !intValue(a[1], c.id)) return false;
            const Arg& cls = a[2];
            if (cls.isString) c.className = cls.text;
            else if (cls.end == cls.begin + 1 && at(cls.begin).kind == Tok::Ident) c.className = at(cls.begin).text;
            else return fail(at(cls.begin), "class name expected");
            if (!style(a[3], c.style)) return false;
            i = 4;
            break;
        }
        }
        if (!intValue(a[i], c.x) || !intValue(a[i + 1], c.y)) return false;
        size_t rest = i + 2;
        if (rest + 1 < a.size() || kind->shape != Shape::Icon) {
            if (!need(rest + 2) || !intValue(a[rest], c.cx) || !intValue(a[rest + 1], c.cy)) return false;
            rest += 2;
        }
        if (kind->shape == Shape::Control) {
            if (rest < a.size() && !style(a[rest++], c.exStyle)) return false;
        } else {
            if (rest < a.size()) {
                // A style that names a type of its own (CBS_DROPDOWN, ES_RIGHT ...) replaces
                // the statement's default type; the other default bits stay.
                uint32_t given = 0;
                if (!style(a[rest], given)) return false;
                if (given & kind->typeMask) c.style &= ~kind->typeMask;
                if (!style(a[rest++], c.style)) return false;
            }
            if (rest < a.size() && !style(a[rest++], c.exStyle)) return false;
        }
        if (rest < a.size()) return fail(at(a[rest].begin), "too many arguments for " + vx::text::toUtf8(c.statement));
        return true;
    }
};

}  // namespace

const Dialog* Script::dialog(int id) const {
    for (const Dialog& d : dialogs)
        if (d.id == id) return &d;
    return nullptr;
}

const Bitmap* Script::bitmap(int id) const {
    for (const Bitmap& b : bitmaps)
        if (b.id == id) return &b;
    return nullptr;
}

bool parseText(const std::string& fileName, const std::string& bytes, const FileReader& reader, Script& out,
               ParseError& error) {
    Preprocessed pp;
    if (!preprocess(fileName, &bytes, reader, pp, error)) return false;
    Script s;
    Parser p(pp, reader, s, error);
    if (!p.run()) return false;
    out = std::move(s);
    return true;
}

bool parse(const std::string& mainFile, const FileReader& reader, Script& out, ParseError& error) {
    Preprocessed pp;
    if (!preprocess(mainFile, nullptr, reader, pp, error)) return false;
    Script s;
    Parser p(pp, reader, s, error);
    if (!p.run()) return false;
    out = std::move(s);
    return true;
}

FileReader diskReader() {
    return [](const std::string& from, const std::string& path, std::string& resolved, std::string& bytes) {
        std::string p = path;
        std::replace(p.begin(), p.end(), '\\', '/');
        if (!p.empty() && p[0] != '/' && !from.empty()) {
            size_t k = from.find_last_of('/');
            if (k != std::string::npos) p = from.substr(0, k + 1) + p;
        }
        std::ifstream in(p, std::ios::binary);
        if (!in) return false;
        std::ostringstream ss;
        ss << in.rdbuf();
        bytes = ss.str();
        resolved = p;
        return true;
    };
}

}  // namespace vx::ui::rc
