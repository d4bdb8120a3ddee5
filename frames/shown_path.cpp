#include "frames/shown_path.h"

namespace vorlix {

std::wstring shownPath(const std::wstring& folder, const std::wstring& file) {
    const size_t last = folder.find_last_of(L"/\\");
    const wchar_t separator = last == std::wstring::npos ? L'\\' : folder[last];
    if (folder.empty() || last == folder.size() - 1) return folder + file;
    return folder + separator + file;
}

}  // namespace vorlix
