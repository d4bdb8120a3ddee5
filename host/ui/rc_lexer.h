// Resource-script tokens after preprocessing: #include, #define/#undef, conditional sections
// and macro expansion are done here, so the parser sees one stream of located tokens.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/rc_model.h"

namespace vx::ui::rc {

enum class Tok { Ident, Number, String, Punct, End };

struct Token {
    Tok kind = Tok::End;
    std::wstring text;  // identifier, punctuation, or the string's value
    long long value = 0;
    int file = 0;  // index into Preprocessed::files
    int line = 0;
};

struct Preprocessed {
    std::vector<Token> tokens;  // ends with one Tok::End
    std::vector<std::string> files;
    std::map<std::string, long long> symbols;
};

// Throws nothing; false with `error` set on a malformed directive, an unterminated string or
// comment, a missing include file, or input beyond the safety limits.
bool preprocess(const std::string& mainFile, const std::string* mainBytes, const FileReader& reader,
                Preprocessed& out, ParseError& error);

// Gives the value of an identifier in an expression; false when it has none.
using SymbolResolver = std::function<bool(const std::wstring& name, long long& value)>;

// Evaluates a constant expression of C operators over numbers (used by #if and by the parser),
// starting at `pos` and stopping before the first token that cannot continue it (a comma, a
// keyword, the end; with minPrecedence 4, also before '|'). False on a syntax error, an unknown identifier or a division by zero.
bool evalExpression(const std::vector<Token>& toks, size_t& pos, const SymbolResolver& resolve,
                    long long& value, std::string& error, int minPrecedence = 0);

}  // namespace vx::ui::rc
