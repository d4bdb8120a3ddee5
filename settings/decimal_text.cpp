// Locale-independent decimal reals.
#include "settings/decimal_text.h"

#include <charconv>
#include <string>

namespace vorlix {

namespace {
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
}  // namespace

double decimalReal(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    std::string ascii;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-') ascii += '-';
        ++i;
    }
    bool digits = false;
    for (; i < text.size() && isDigit(text[i]); ++i, digits = true) ascii += static_cast<char>(text[i]);
    if (i < text.size() && text[i] == L'.') {
        ascii += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, digits = true)
            ascii += static_cast<char>(text[i]);
    }
    if (!digits) return 0.0;
    if (ascii.back() == '.') ascii += '0';
    if (ascii[0] == '.' || (ascii[0] == '-' && ascii[1] == '.')) ascii.insert(ascii[0] == '-' ? 1 : 0, "0");
    double value = 0.0;
    auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value,
                                  std::chars_format::fixed);
    return result.ec == std::errc() ? value : 0.0;
}

}  // namespace vorlix
