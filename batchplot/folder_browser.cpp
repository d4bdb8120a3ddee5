#include "batchplot/folder_browser.h"

#include "shlobj.h"

namespace vorlix {

bool browseForFolder(CWnd* owner, const wchar_t* title, UINT flags, std::wstring& folder) {
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    bi.pszDisplayName = display;
    bi.lpszTitle = title;
    bi.ulFlags = flags;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&bi);
    if (!chosen) return false;
    wchar_t path[MAX_PATH] = {};
    const bool resolved = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (resolved) folder = path;
    return resolved;
}

}  // namespace vorlix
