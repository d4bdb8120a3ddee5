// Splitting texts at a delimiter, and the integer reading of one piece.
#include "frames/text_split.h"

#include <climits>

#include "actext.h"

namespace vorlix {

std::vector<std::wstring> splitList(const std::wstring& text, const std::wstring& delimiter) {
    std::vector<std::wstring> pieces;
    if (delimiter.empty()) {
        // Searching for an empty delimiter finds it at every position and would never advance.
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    AcString rest(text);
    const int step = static_cast<int>(delimiter.size());
    for (int at = rest.find(delimiter.c_str()); at >= 0; at = rest.find(delimiter.c_str())) {
        pieces.push_back(rest.substr(0, at).str());
        rest = rest.mid(at + step);
    }
    if (!rest.isEmpty()) pieces.push_back(rest.str());
    return pieces;
}

std::vector<int> splitIntegers(const std::wstring& text, const std::wstring& delimiter) {
    std::vector<int> values;
    for (const std::wstring& piece : splitList(text, delimiter)) values.push_back(decimalInteger(piece));
    return values;
}

int decimalInteger(const std::wstring& piece) {
    size_t i = 0;
    while (i < piece.size() && (piece[i] == L' ' || piece[i] == L'\t' || piece[i] == L'\r' ||
                                piece[i] == L'\n' || piece[i] == L'\v' || piece[i] == L'\f'))
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == L'+' || piece[i] == L'-')) negative = piece[i++] == L'-';
    // Accumulate in a wider type and stop at the bound, so that INT_MIN stays reachable.
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; i < piece.size() && piece[i] >= L'0' && piece[i] <= L'9'; ++i) {
        value = value * 10 + (piece[i] - L'0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace vorlix
