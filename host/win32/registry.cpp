// RegOpenKeyW / RegQueryValueExW / RegCloseKey over the host's profile (registry_store.h).
#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include "win32/registry_store.h"
#include "winreg.h"

// What an HKEY points to: the key's path below HKEY_CURRENT_USER.
struct VxRegistryKey {
    std::wstring path;
};

namespace {

std::mutex g_keysMutex;
std::set<HKEY> g_openKeys;

// The path of an open or predefined key; false for a handle the host never gave out.
bool pathOf(HKEY key, std::wstring& path) {
    if (key == HKEY_CURRENT_USER) {
        path.clear();
        return true;
    }
    std::lock_guard<std::mutex> lock(g_keysMutex);
    if (!g_openKeys.count(key)) return false;
    path = key->path;
    return true;
}

std::wstring join(const std::wstring& parent, LPCWSTR sub) {
    std::wstring child = sub ? sub : L"";
    if (parent.empty()) return child;
    if (child.empty()) return parent;
    return parent + L"\\" + child;
}

}  // namespace

LONG RegOpenKeyW(HKEY key, LPCWSTR subKey, PHKEY result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::wstring parent;
    if (!pathOf(key, parent)) return ERROR_INVALID_HANDLE;
    vx::win32::ensureHostProfile();
    const std::wstring path = join(parent, subKey);
    if (!vx::win32::registryKeyExists(path)) return ERROR_FILE_NOT_FOUND;
    auto* opened = new VxRegistryKey{path};
    std::lock_guard<std::mutex> lock(g_keysMutex);
    g_openKeys.insert(opened);
    *result = opened;
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) { return RegOpenKeyW(key, subKey, result); }

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
    std::wstring path;
    if (!pathOf(key, path)) return ERROR_INVALID_HANDLE;
    std::wstring value;
    if (!vx::win32::readRegistryValue(path, valueName && *valueName ? valueName : L"@", value))
        return ERROR_FILE_NOT_FOUND;
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (type) *type = REG_SZ;
    if (!data) {
        if (dataSize) *dataSize = bytes;
        return ERROR_SUCCESS;
    }
    if (*dataSize < bytes) {
        *dataSize = bytes;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value.c_str(), bytes);
    *dataSize = bytes;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    std::lock_guard<std::mutex> lock(g_keysMutex);
    if (!g_openKeys.erase(key)) return ERROR_INVALID_HANDLE;
    delete key;
    return ERROR_SUCCESS;
}
