// The registry file: keys are sections, values are keys of the private-profile format.
#include "win32/registry_store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "dbapserv.h"
#include "text/encoding.h"
#include "win32.h"

namespace vx::win32 {

namespace {

constexpr const wchar_t* kRoamableValue = L"RoamableRootFolder";

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return std::string();
}

// An XDG base folder: the variable when it holds an absolute path, else HOME + fallback.
std::string xdgFolder(const char* variable, const char* fallback) {
    if (const char* v = std::getenv(variable); v && v[0] == '/') return v;
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/" + fallback;
}

std::wstring productKey() {
    const ACHAR* key = acdbHostApplicationServices()->getRegistryProductRootKey();
    return key ? key : L"";
}

// Reads a profile string of any length (the private-profile call truncates to its buffer).
std::wstring readProfile(const wchar_t* section, const wchar_t* key, const std::wstring& file, bool& found) {
    static const wchar_t kMissing[] = L"\x1\x2missing\x2\x1";
    for (DWORD size = 512;; size *= 4) {
        std::vector<wchar_t> buf(size);
        const DWORD n = GetPrivateProfileStringW(section, key, kMissing, buf.data(), size, file.c_str());
        const bool list = !section || !key;
        if (n + (list ? 2 : 1) < size || size > (1u << 24)) {
            std::wstring value(buf.data(), n);
            found = value != kMissing;
            return found ? value : std::wstring();
        }
    }
}

bool sameKey(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i] == L'/' ? L'\\' : a[i];
        wchar_t y = b[i] == L'/' ? L'\\' : b[i];
        if (std::towlower(x) != std::towlower(y)) return false;
    }
    return true;
}

std::wstring trimSeparators(std::wstring key) {
    while (!key.empty() && (key.back() == L'\\' || key.back() == L'/')) key.pop_back();
    size_t start = 0;
    while (start < key.size() && (key[start] == L'\\' || key[start] == L'/')) ++start;
    return key.substr(start);
}

void makeFolders(const std::string& root) {
    std::error_code ec;
    for (const char* folder : {kPlottersFolder, kPmpFolder, kPlotStylesFolder})
        std::filesystem::create_directories(std::filesystem::path(root) / folder, ec);
}

}  // namespace

std::string hostProfileFolder() {
    const std::string base = xdgFolder("XDG_CONFIG_HOME", ".config");
    return base.empty() ? std::string() : base + "/vxhost";
}

std::string registryFilePath() {
    const std::string folder = hostProfileFolder();
    return folder.empty() ? std::string() : folder + "/registry.ini";
}

bool registryKeyExists(const std::wstring& key) {
    const std::string path = registryFilePath();
    if (path.empty()) return false;
    const std::wstring wanted = trimSeparators(key);
    if (wanted.empty()) return true;
    bool found = false;
    const std::wstring names = readProfile(nullptr, nullptr, text::fromUtf8(path), found);
    for (size_t pos = 0; pos < names.size();) {
        const size_t end = names.find(L'\0', pos);
        const std::wstring name = trimSeparators(names.substr(pos, end == std::wstring::npos ? end : end - pos));
        if (sameKey(name, wanted)) return true;
        if (name.size() > wanted.size() && (name[wanted.size()] == L'\\' || name[wanted.size()] == L'/') &&
            sameKey(std::wstring_view(name).substr(0, wanted.size()), wanted))
            return true;
        if (end == std::wstring::npos) break;
        pos = end + 1;
    }
    return false;
}

bool readRegistryValue(const std::wstring& key, const std::wstring& name, std::wstring& value) {
    const std::string path = registryFilePath();
    if (path.empty()) return false;
    bool found = false;
    value = readProfile(trimSeparators(key).c_str(), name.c_str(), text::fromUtf8(path), found);
    return found;
}

bool writeRegistryValue(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    const std::string folder = hostProfileFolder();
    if (folder.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return WritePrivateProfileStringW(trimSeparators(key).c_str(), name.c_str(), value.c_str(),
                                      text::fromUtf8(registryFilePath()).c_str()) != FALSE;
}

void ensureHostProfile() {
    std::wstring root;
    if (readRegistryValue(productKey(), kRoamableValue, root) && !root.empty()) return;
    const std::string data = xdgFolder("XDG_DATA_HOME", ".local/share");
    if (data.empty()) return;
    const std::string folder = data + "/vxhost/";
    if (!writeRegistryValue(productKey(), kRoamableValue, text::fromUtf8(folder))) return;
    makeFolders(folder);
}

std::string roamableRootFolder() {
    std::wstring root;
    if (!readRegistryValue(productKey(), kRoamableValue, root) || root.empty()) {
        ensureHostProfile();
        if (!readRegistryValue(productKey(), kRoamableValue, root) || root.empty()) return std::string();
    }
    std::string native = text::toUtf8(root);
    for (char& c : native)
        if (c == '\\') c = '/';
    if (native.back() != '/') native += '/';
    return native;
}

}  // namespace vx::win32
