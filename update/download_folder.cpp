#include "update/download_folder.h"

#include <cwchar>
#include <memory>

#include "afx.h"
#include "sddl.h"
#include "win32.h"

namespace vorlix {
namespace {

// Full control for the folder's owner, nobody else; files made inside inherit it.
constexpr const wchar_t* kOwnerOnly = L"D:P(A;OICI;FA;;;OW)";

struct LocalMemory {
    void operator()(void* p) const { LocalFree(p); }
};

bool createOwnerOnlyFolder(const std::wstring& folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kOwnerOnly, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    std::unique_ptr<void, LocalMemory> owned(descriptor);
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor, TRUE};
    return CreateDirectoryW(folder.c_str(), &attributes) != FALSE;
}

// One allowing entry "(A;flags;rights;;;trustee)" of a descriptor's text.
bool grantsWrite(const std::wstring& rights) {
    if (rights.size() > 2 && rights[0] == L'0' && (rights[1] == L'x' || rights[1] == L'X'))
        return (std::wcstoul(rights.c_str() + 2, nullptr, 16) & 0x500C0006UL) != 0;
    for (size_t i = 0; i + 1 < rights.size(); i += 2) {
        const std::wstring code = rights.substr(i, 2);
        if (code == L"FA" || code == L"GA" || code == L"FW" || code == L"GW" || code == L"WD" || code == L"WO")
            return true;
    }
    return false;
}

// True when the access list lets anyone but the folder's owner write into it, or cannot be read.
bool othersMayWrite(const std::wstring& folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return true;
    std::unique_ptr<void, LocalMemory> ownedDescriptor(descriptor);
    LPWSTR text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                                              &text, nullptr))
        return true;
    std::unique_ptr<void, LocalMemory> ownedText(text);
    const std::wstring sddl(text);
    std::wstring owner;
    if (sddl.compare(0, 2, L"O:") == 0) owner = sddl.substr(2, sddl.find(L"D:") - 2);
    const size_t dacl = sddl.find(L"D:");
    if (dacl == std::wstring::npos || sddl.compare(dacl, 19, L"D:NO_ACCESS_CONTROL") == 0) return true;
    for (size_t open = sddl.find(L'(', dacl); open != std::wstring::npos; open = sddl.find(L'(', open + 1)) {
        const size_t close = sddl.find(L')', open);
        if (close == std::wstring::npos) return true;
        const std::wstring entry = sddl.substr(open + 1, close - open - 1);
        // type;flags;rights;object;inherited object;trustee
        size_t f[5], at = 0;
        bool complete = true;
        for (size_t& pos : f) {
            pos = entry.find(L';', at);
            if (pos == std::wstring::npos) complete = false;
            at = pos == std::wstring::npos ? entry.size() : pos + 1;
        }
        if (!complete) return true;
        const std::wstring type = entry.substr(0, f[0]);
        const std::wstring rights = entry.substr(f[1] + 1, f[2] - f[1] - 1);
        const std::wstring trustee = entry.substr(f[4] + 1);
        const bool theOwner = trustee == owner || trustee == L"OW" || trustee == L"CO";
        if (type == L"A" && !theOwner && grantsWrite(rights)) return true;
    }
    return false;
}

// A name from the listing that stays a file name in the module folder.
bool staysInFolder(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:") == std::wstring::npos;
}

}  // namespace

DownloadFolder prepareDownloadFolder(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return createOwnerOnlyFolder(folder) ? DownloadFolder::Ready : DownloadFolder::Absent;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return DownloadFolder::Unsafe;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DownloadFolder::Absent;
    return othersMayWrite(folder) ? DownloadFolder::Unsafe : DownloadFolder::Ready;
}

int moveDownloadedFiles(const std::wstring& folder, const std::wstring& moduleFolder) {
    CFileFind finder;
    int moved = 0;
    BOOL more = finder.FindFile((folder + L"\\*.*").c_str());
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots() ||
            finder.MatchesMask(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))
            continue;
        const std::wstring name = finder.GetFileName().str();
        if (!staysInFolder(name)) continue;
        const std::wstring source = folder + L"\\" + name;
        const std::wstring target = moduleFolder + L"\\" + name;
        if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileW(target.c_str());
        if (MoveFileW(source.c_str(), target.c_str())) ++moved;
    }
    return moved;
}

}  // namespace vorlix
