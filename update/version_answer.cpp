#include "update/version_answer.h"

#include <vector>

#include "frames/text_split.h"
#include "win32.h"

namespace vorlix {
namespace {

std::wstring ansiToWide(const std::string& ansi) {
    if (ansi.empty()) return std::wstring();
    const int length = static_cast<int>(ansi.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::vector<wchar_t> wide(static_cast<size_t>(size));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), size);
    return std::wstring(wide.data(), wide.size());
}

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring trimmed(const std::wstring& s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

}  // namespace

std::wstring versionQueryAddress(const std::wstring& baseAddress) {
    return baseAddress + L"Vorlix/GetVersionInfo?Verson=" + kModuleVersion;
}

VersionAnswer interpretAnswer(int status, const std::string& ansiBody) {
    VersionAnswer answer;
    if (status != 0) return answer;
    const std::wstring text = trimmed(ansiToWide(ansiBody));
    if (text == L"-1" || text == L"0") return answer;
    std::wstring unquoted;
    for (wchar_t c : text) {
        if (c < 0x20 || c == 0x7F) return answer;
        if (c != L'"') unquoted += c;
    }
    answer.update = true;
    answer.fields = splitList(unquoted, L"&");
    return answer;
}

std::wstring updaterParameters(const std::vector<std::wstring>& fields) {
    if (fields.empty()) return std::wstring();
    std::wstring parameters = fields[0];
    for (size_t i = 1; i < fields.size(); ++i)
        if (fields[i].size() > 1) parameters += L" " + fields[i];
    return parameters;
}

}  // namespace vorlix
