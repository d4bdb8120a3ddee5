// Constant expressions of resource scripts and #if lines: C operators over 64-bit integers,
// evaluated with wrap-around arithmetic so that no input can cause undefined behaviour.
#include "ui/rc_lexer.h"

namespace vx::ui::rc {
namespace {

struct BinOp {
    const wchar_t* text;
    int precedence;
};
const BinOp kBinOps[] = {{L"||", 1}, {L"&&", 2}, {L"|", 3},  {L"^", 4},  {L"&", 5},  {L"==", 6},
                         {L"!=", 6}, {L"<", 7},  {L">", 7},  {L"<=", 7}, {L">=", 7}, {L"<<", 8},
                         {L">>", 8}, {L"+", 9},  {L"-", 9},  {L"*", 10}, {L"/", 10}, {L"%", 10}};
constexpr int kMaxDepth = 200;

class Evaluator {
public:
    Evaluator(const std::vector<Token>& t, size_t& p, const SymbolResolver& r, std::string& e)
        : toks(t), pos(p), resolve(r), error(e) {}

    bool expr(int minPrec, long long& v, int depth) {
        if (depth > kMaxDepth) return fail("expression nested too deeply");
        if (!unary(v, depth + 1)) return false;
        for (;;) {
            int prec = binaryPrecedence();
            if (prec < 0 || prec < minPrec) return true;
            std::wstring op = toks[pos].text;
            ++pos;
            long long rhs = 0;
            if (!expr(prec + 1, rhs, depth + 1)) return false;
            if (!apply(op, v, rhs)) return false;
        }
    }

private:
    const std::vector<Token>& toks;
    size_t& pos;
    const SymbolResolver& resolve;
    std::string& error;

    bool fail(const std::string& m) {
        error = m;
        return false;
    }
    const Token& cur() const { return toks[pos < toks.size() ? pos : toks.size() - 1]; }
    bool isPunct(const wchar_t* p) const { return cur().kind == Tok::Punct && cur().text == p; }

    int binaryPrecedence() const {
        if (pos >= toks.size() || cur().kind != Tok::Punct) return -1;
        for (const BinOp& b : kBinOps)
            if (cur().text == b.text) return b.precedence;
        return -1;
    }

    bool unary(long long& v, int depth) {
        if (depth > kMaxDepth) return fail("expression nested too deeply");
        if (pos >= toks.size()) return fail("expression expected");
        const Token& t = cur();
        if (t.kind == Tok::Punct && (t.text == L"-" || t.text == L"+" || t.text == L"!" || t.text == L"~")) {
            std::wstring op = t.text;
            ++pos;
            if (!unary(v, depth + 1)) return false;
            unsigned long long u = static_cast<unsigned long long>(v);
            if (op == L"-") v = static_cast<long long>(0ull - u);
            else if (op == L"!") v = (v == 0);
            else if (op == L"~") v = static_cast<long long>(~u);
            return true;
        }
        if (t.kind == Tok::Punct && t.text == L"(") {
            ++pos;
            if (!expr(0, v, depth + 1)) return false;
            if (!isPunct(L")")) return fail("')' expected");
            ++pos;
            return true;
        }
        if (t.kind == Tok::Number) {
            v = t.value;
            ++pos;
            return true;
        }
        if (t.kind == Tok::Ident) {
            if (!resolve || !resolve(t.text, v)) {
                std::string name(t.text.begin(), t.text.end());
                for (char& c : name)
                    if (static_cast<unsigned char>(c) > 0x7e) c = '?';
                return fail("undefined symbol " + name);
            }
            ++pos;
            return true;
        }
        return fail("expression expected");
    }

    bool apply(const std::wstring& op, long long& a, long long b) {
        unsigned long long ua = static_cast<unsigned long long>(a), ub = static_cast<unsigned long long>(b);
        if (op == L"||") a = (a || b);
        else if (op == L"&&") a = (a && b);
        else if (op == L"|") a = static_cast<long long>(ua | ub);
        else if (op == L"^") a = static_cast<long long>(ua ^ ub);
        else if (op == L"&") a = static_cast<long long>(ua & ub);
        else if (op == L"==") a = (a == b);
        else if (op == L"!=") a = (a != b);
        else if (op == L"<") a = (a < b);
        else if (op == L">") a = (a > b);
        else if (op == L"<=") a = (a <= b);
        else if (op == L">=") a = (a >= b);
        else if (op == L"<<") a = static_cast<long long>(ua << (ub & 63));
        else if (op == L">>") a = static_cast<long long>(ua >> (ub & 63));
        else if (op == L"+") a = static_cast<long long>(ua + ub);
        else if (op == L"-") a = static_cast<long long>(ua - ub);
        else if (op == L"*") a = static_cast<long long>(ua * ub);
        else {
            if (b == 0) return fail("division by zero");
            if (b == -1) a = (op == L"/") ? static_cast<long long>(0ull - ua) : 0;
            else a = (op == L"/") ? a / b : a % b;
        }
        return true;
    }
};

}  // namespace

bool evalExpression(const std::vector<Token>& toks, size_t& pos, const SymbolResolver& resolve, long long& value,
                    std::string& error, int minPrecedence) {
    Evaluator e(toks, pos, resolve, error);
    return e.expr(minPrecedence, value, 0);
}

}  // namespace vx::ui::rc
