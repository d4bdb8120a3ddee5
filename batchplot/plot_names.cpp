#include "batchplot/plot_names.h"

#include <cwctype>

#include "frames/text_split.h"

namespace vorlix {
namespace {

// Sheets that are never drawn on a size of their own, whatever their block is called.
const wchar_t* const kA4Sheets[] = {L"目录", L"变更", L"联系", L"计算书"};

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

void replaceAll(std::wstring& text, const std::wstring& what, const std::wstring& with) {
    if (what.empty()) return;
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

std::wstring trimmed(const std::wstring& text) {
    size_t b = 0, e = text.size();
    while (b < e && std::iswspace(static_cast<wint_t>(text[b]))) ++b;
    while (e > b && std::iswspace(static_cast<wint_t>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

}  // namespace

std::vector<std::wstring> plotNameFields(const std::wstring& format) {
    std::vector<std::wstring> fields;
    for (const std::wstring& piece : splitList(format, L">")) {
        const std::vector<std::wstring> parts = splitList(piece, L"<");
        if (parts.size() == 1) fields.push_back(parts[0]);
        else if (parts.size() == 2) fields.push_back(parts[1]);
    }
    return fields;
}

std::wstring sizeSuffix(const std::wstring& blockName) {
    const size_t dash = blockName.rfind(L'-');
    if (dash == std::wstring::npos) return blockName;
    const std::wstring tail = blockName.substr(dash + 1);
    bool denominator = !tail.empty();
    for (wchar_t c : tail) denominator = denominator && isDigit(c);
    if (denominator && dash >= 2 && isDigit(blockName[dash - 1]) && blockName[dash - 2] == L'+') {
        const size_t before = dash >= 3 ? blockName.rfind(L'-', dash - 3) : std::wstring::npos;
        return before == std::wstring::npos ? blockName : blockName.substr(before + 1);
    }
    return tail;
}

std::wstring paperSizeOf(const std::wstring& suffix) {
    if (suffix.find(L'A') == std::wstring::npos) return L"A4";
    for (const wchar_t* word : kA4Sheets)
        if (suffix.find(word) != std::wstring::npos) return L"A4";
    return suffix;
}

std::wstring plotFileName(const std::wstring& format, const std::vector<std::wstring>& fields,
                          const AttributeMap& attributes, const std::wstring& suffix, int position) {
    std::wstring name = format;
    for (const std::wstring& field : fields) replaceAll(name, L"<" + field + L">", attributeText(attributes, field));
    name = trimmed(name);
    if (name.size() == 1) name = suffix + L"(" + std::to_wstring(position) + L")";
    std::wstring out;
    for (wchar_t c : name)
        if (c != L'\r' && c != L'\n') out += c;
    return out;
}

int drawingNumberKey(const std::wstring& number) {
    const std::wstring text = trimmed(number);
    std::wstring last = text.size() > 2 ? text.substr(text.size() - 2) : text;
    if (!last.empty() && (last[0] == L'-' || last[0] == L'+')) last.erase(0, 1);
    return decimalInteger(last);
}

}  // namespace vorlix
