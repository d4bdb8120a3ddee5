#include "batchplot/driver_files.h"

#include "aced.h"
#include "afx.h"
#include "dbapserv.h"
#include "winreg.h"

namespace vorlix {
namespace {

struct DriverFiles {
    DriverPair pair;
    const wchar_t* base;  // of the .pc3 and its .pmp
};

// In the order they are installed and exported.
const DriverFiles kDriverPairs[] = {
    {DriverPair::Dwf, L"DWG TO DWF"},
    {DriverPair::Pdf, L"DWG TO PDF"},
    {DriverPair::Plt, L"DWG TO PLT"},
};
// Below the roamable root folder, which the host stores with a trailing separator.
constexpr const wchar_t* kConfigFolder = L"Plotters\\";
constexpr const wchar_t* kMediaFolder = L"Plotters\\PMP Files\\";
constexpr const wchar_t* kUsageDocument = L"使用说明.doc";
constexpr const wchar_t* kRoamableRootValue = L"RoamableRootFolder";

std::wstring shipped(const std::wstring& moduleFolder, const std::wstring& name) {
    return moduleFolder + L"\\plotters\\" + name;
}

bool exists(const std::wstring& path) {
    CFileFind find;
    return find.FindFile(path.c_str()) != FALSE;
}

bool roamableRootFolder(std::wstring& root) {
    const ACHAR* productKey = acdbHostApplicationServices()->getRegistryProductRootKey();
    HKEY key = nullptr;
    if (!productKey || RegOpenKeyW(HKEY_CURRENT_USER, productKey, &key) != ERROR_SUCCESS) return false;
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = sizeof buffer;
    DWORD type = REG_NONE;
    const LONG read = RegQueryValueExW(key, kRoamableRootValue, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ) return false;
    buffer[MAX_PATH - 1] = L'\0';
    root = buffer;
    return !root.empty();
}

// A file copied only when the target is missing, so a user's own copy is never replaced.
bool copyWhenMissing(const std::wstring& source, const std::wstring& target) {
    if (exists(target)) return true;
    return exists(source) && CopyFileW(source.c_str(), target.c_str(), TRUE) != FALSE;
}

}  // namespace

void plotInForeground() {
    resbuf value{};
    value.restype = RTSHORT;
    value.resval.rint = 0;
    acedSetVar(L"BACKGROUNDPLOT", &value);
}

void installPlotDrivers(const std::wstring& moduleFolder) {
    std::wstring root;
    if (roamableRootFolder(root)) {
        for (const DriverFiles& d : kDriverPairs) {
            const std::wstring pc3 = std::wstring(d.base) + L".pc3", pmp = std::wstring(d.base) + L".pmp";
            copyWhenMissing(shipped(moduleFolder, pc3), root + kConfigFolder + pc3);
            copyWhenMissing(shipped(moduleFolder, pmp), root + kMediaFolder + pmp);
        }
    }
    plotInForeground();
}

std::vector<std::wstring> exportPlotDrivers(const std::wstring& moduleFolder, const std::vector<DriverPair>& pairs,
                                            const std::wstring& folder) {
    std::vector<std::wstring> missing;
    auto exportFile = [&](const std::wstring& name) {
        if (!copyWhenMissing(shipped(moduleFolder, name), folder + L"\\" + name)) missing.push_back(name);
    };
    for (const DriverFiles& d : kDriverPairs) {
        bool chosen = false;
        for (DriverPair p : pairs) chosen = chosen || p == d.pair;
        if (!chosen) continue;
        // Paper sizes first: a configuration that arrives without them would offer no media.
        exportFile(std::wstring(d.base) + L".pmp");
        exportFile(std::wstring(d.base) + L".pc3");
    }
    exportFile(kUsageDocument);
    return missing;
}

}  // namespace vorlix
