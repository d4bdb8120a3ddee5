// Private-profile access with the buffer sizes of the settings formats.
#include "settings/profile.h"

#include <vector>

#include "win32.h"

namespace vorlix::profile {

std::wstring readText(const std::wstring& file, const wchar_t* section, const std::wstring& key,
                      const wchar_t* defaultValue, unsigned bufferSize) {
    std::vector<wchar_t> buffer(bufferSize + 1u, L'\0');
    DWORD n = GetPrivateProfileStringW(section, key.c_str(), defaultValue, buffer.data(),
                                       bufferSize, file.c_str());
    if (n >= bufferSize) n = bufferSize ? bufferSize - 1 : 0;
    return std::wstring(buffer.data(), n);
}

int readInt(const std::wstring& file, const wchar_t* section, const std::wstring& key,
            int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntW(section, key.c_str(), defaultValue, file.c_str()));
}

bool writeText(const std::wstring& file, const wchar_t* section, const std::wstring& key,
               const std::wstring& value) {
    return WritePrivateProfileStringW(section, key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

namespace {
bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool hasLineBreak(const std::wstring& s) { return s.find_first_of(L"\r\n") != std::wstring::npos; }
}  // namespace

bool isStorableKey(const std::wstring& key) {
    if (key.empty() || hasLineBreak(key) || key.find(L'=') != std::wstring::npos) return false;
    if (key.front() == L'[' || key.front() == L';') return false;
    return !isBlank(key.front()) && !isBlank(key.back());
}

bool isStorableValue(const std::wstring& value, unsigned bufferSize) {
    return !hasLineBreak(value) && value.size() < bufferSize;
}

}  // namespace vorlix::profile
