// The shell folder browser: the backend asks for a folder; the item list carries its path.
#include <cwchar>
#include <string>

#include "shlobj.h"
#include "ui/backend.h"

struct VxItemIdList {
    std::wstring path;
};

LPITEMIDLIST SHBrowseForFolderW(LPBROWSEINFOW bi) {
    if (!bi) return nullptr;
    std::wstring path;
    if (!vx::ui::backend().browseFolder(bi->lpszTitle ? bi->lpszTitle : L"", bi->ulFlags, path)) return nullptr;
    if (bi->pszDisplayName) {
        size_t k = path.find_last_of(L'/');
        std::wstring name = (k == std::wstring::npos || k + 1 == path.size()) ? path : path.substr(k + 1);
        size_t n = std::min(name.size(), size_t(MAX_PATH - 1));
        std::wmemcpy(bi->pszDisplayName, name.c_str(), n);
        bi->pszDisplayName[n] = 0;
    }
    return new VxItemIdList{path};
}

BOOL SHGetPathFromIDListW(LPCITEMIDLIST pidl, LPWSTR out) {
    if (!pidl || !out) return FALSE;
    if (pidl->path.size() >= size_t(MAX_PATH)) {
        out[0] = 0;
        return FALSE;
    }
    std::wmemcpy(out, pidl->path.c_str(), pidl->path.size() + 1);
    return TRUE;
}

void ILFree(LPITEMIDLIST pidl) { delete pidl; }

// Only item lists come from this allocator in the host, so freeing means deleting one.
void CoTaskMemFree(void* pv) { delete static_cast<VxItemIdList*>(pv); }
