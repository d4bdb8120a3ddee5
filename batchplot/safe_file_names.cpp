#include "batchplot/safe_file_names.h"

#include <cwchar>
#include <cwctype>

#include "win32.h"

namespace vorlix {
namespace {

// File systems take 255 bytes per name; room is kept for a run's "(NN)" suffix.
constexpr int kMaxNameBytes = 255;
constexpr int kSuffixRoom = 6;

const wchar_t* const kReservedNames[] = {L"CON", L"PRN", L"AUX", L"NUL"};
const wchar_t* const kNumberedReservedNames[] = {L"COM", L"LPT"};

bool forbidden(wchar_t c) { return c < 0x20 || c == 0x7f || std::wcschr(L"/\\:*?\"<>|", c) != nullptr; }

std::wstring upper(const std::wstring& text) {
    std::wstring out = text;
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return out;
}

bool reserved(const std::wstring& name) {
    const std::wstring stem = upper(name.substr(0, name.find(L'.')));
    for (const wchar_t* r : kReservedNames)
        if (stem == r) return true;
    for (const wchar_t* r : kNumberedReservedNames)
        if (stem.size() == 4 && stem.compare(0, 3, r) == 0 && stem[3] >= L'1' && stem[3] <= L'9') return true;
    return false;
}

int utf8Bytes(const std::wstring& text) {
    if (text.empty()) return 0;
    return WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
}

bool endTrimmable(wchar_t c) { return c == L'.' || std::iswspace(static_cast<wint_t>(c)) || c == 0x3000; }

}  // namespace

FileNameVerdict safeFileName(const std::wstring& name, const std::wstring& extension, std::wstring& safe) {
    std::wstring out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == L'.' && i + 1 < name.size() && name[i + 1] == L'.') {
            while (i + 1 < name.size() && name[i + 1] == L'.') ++i;
            out += L'_';
        } else {
            out += forbidden(name[i]) ? L'_' : name[i];
        }
    }
    size_t b = 0, e = out.size();
    while (b < e && endTrimmable(out[b])) ++b;
    while (e > b && endTrimmable(out[e - 1])) --e;
    out = out.substr(b, e - b);
    if (reserved(out)) out.insert(out.find(L'.') == std::wstring::npos ? out.size() : out.find(L'.'), 1, L'_');
    const int bytes = utf8Bytes(out + extension);
    if (out.empty() || bytes <= 0 || bytes + kSuffixRoom > kMaxNameBytes) {
        safe.clear();
        return FileNameVerdict::Refused;
    }
    safe = out;
    return out == name ? FileNameVerdict::Kept : FileNameVerdict::Changed;
}

std::wstring RunFileNames::claim(const std::wstring& name, bool& renamed) {
    std::wstring candidate = name;
    for (int n = 2; !m_taken.insert(upper(candidate)).second; ++n) candidate = name + L"(" + std::to_wstring(n) + L")";
    renamed = candidate != name;
    return candidate;
}

}  // namespace vorlix
