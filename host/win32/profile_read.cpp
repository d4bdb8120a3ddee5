// GetPrivateProfileStringW / GetPrivateProfileIntW: one read of the file per call, parsed in
// place over the decoded text without copying lines.
#include <string>
#include <unordered_set>
#include <vector>

#include "text/encoding.h"
#include "text/strings.h"
#include "win32.h"
#include "win32/file_io.h"
#include "win32/paths.h"
#include "win32/profile_format.h"

namespace {

using vx::win32::ini::Line;
using vx::win32::ini::LineKind;
namespace ini = vx::win32::ini;

bool loadText(LPCWSTR fileName, std::wstring& text) {
    std::string bytes;
    if (!fileName || !*fileName || !vx::win32::readWholeFile(vx::win32::nativePath(fileName), bytes))
        return false;
    vx::text::Encoding enc;
    text = vx::text::decode(bytes, enc);
    return true;
}

// Copies at most size-1 characters and a NUL; returns the number copied.
DWORD copyValue(std::wstring_view s, LPWSTR buf, DWORD size) {
    if (!buf || size == 0) return 0;
    size_t n = s.size() < size - 1 ? s.size() : size - 1;
    s.copy(buf, n);
    buf[n] = L'\0';
    return static_cast<DWORD>(n);
}

// Names one after another, each NUL-terminated, then a final NUL. When they do not fit, the
// buffer is filled up to size-2, ends in two NULs, and size-2 is returned.
DWORD copyList(const std::vector<std::wstring_view>& names, LPWSTR buf, DWORD size) {
    if (!buf || size == 0) return 0;
    if (size == 1) {
        buf[0] = L'\0';
        return 0;
    }
    size_t need = 1;
    for (auto n : names) need += n.size() + 1;
    const size_t room = need <= size ? need - 1 : size - 2;
    size_t pos = 0;
    for (auto n : names) {
        for (size_t i = 0; i < n.size() && pos < room; ++i) buf[pos++] = n[i];
        if (pos < room) buf[pos++] = L'\0';
    }
    buf[pos] = L'\0';
    if (need > size) {
        buf[size - 2] = L'\0';
        buf[size - 1] = L'\0';
        return size - 2;
    }
    if (names.empty()) buf[1] = L'\0';
    return static_cast<DWORD>(pos);
}

std::wstring folded(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out) c = vx::text::foldCase(c);
    return out;
}

// Sections that occur more than once are one section: their keys are read in file order and
// the first occurrence of a key wins. Listings name each section / key once.
std::vector<std::wstring_view> listNames(std::wstring_view text, LPCWSTR section) {
    std::vector<std::wstring_view> names;
    std::unordered_set<std::wstring> seen;
    bool inSection = false;
    ini::forEachLine(text, [&](std::wstring_view raw) {
        Line l = ini::parseLine(raw);
        if (l.kind == LineKind::Section) {
            if (!section) {
                if (seen.insert(folded(l.name)).second) names.push_back(l.name);
            } else {
                inSection = ini::sameName(l.name, section);
            }
        } else if (l.kind == LineKind::Key && section && inSection) {
            if (seen.insert(folded(l.name)).second) names.push_back(l.name);
        }
        return true;
    });
    return names;
}

bool findValue(std::wstring_view text, std::wstring_view section, std::wstring_view key,
               std::wstring_view& value) {
    bool inSection = false, found = false;
    ini::forEachLine(text, [&](std::wstring_view raw) {
        Line l = ini::parseLine(raw);
        if (l.kind == LineKind::Section) {
            inSection = ini::sameName(l.name, section);
        } else if (inSection && l.kind == LineKind::Key && ini::sameName(l.name, key)) {
            value = ini::unquote(l.value);
            found = true;
        }
        return !found;
    });
    return found;
}

}  // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                               LPWSTR buffer, DWORD size, LPCWSTR fileName) {
    std::wstring text;
    const bool loaded = loadText(fileName, text);
    if (!section || !key) {
        if (!loaded) SetLastError(ERROR_FILE_NOT_FOUND);
        const std::wstring trimmed = section ? std::wstring(ini::trim(section)) : std::wstring();
        return copyList(loaded ? listNames(text, section ? trimmed.c_str() : nullptr)
                               : std::vector<std::wstring_view>(),
                        buffer, size);
    }
    std::wstring_view value;
    if (loaded && findValue(text, ini::trim(section), ini::trim(key), value)) {
        DWORD n = copyValue(value, buffer, size);
        if (n < value.size()) SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return n;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    // Trailing blanks of the default are not part of it.
    std::wstring_view def = defaultValue ? defaultValue : L"";
    while (!def.empty() && (def.back() == L' ' || def.back() == L'\t')) def.remove_suffix(1);
    return copyValue(def, buffer, size);
}

UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName) {
    if (!section || !key) return static_cast<UINT>(defaultValue);
    wchar_t buf[30];
    if (GetPrivateProfileStringW(section, key, L"", buf, 30, fileName) == 0)
        return static_cast<UINT>(defaultValue);
    // Leading decimal digits with an optional sign; anything else reads as 0. Overflow wraps
    // as the 32-bit arithmetic of the platform does.
    const wchar_t* p = buf;
    while (*p == L' ' || *p == L'\t') ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
    uint32_t v = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) v = v * 10u + static_cast<uint32_t>(*p - L'0');
    return negative ? 0u - v : v;
}
