// The host profile as the module reads it: the product key through RegOpenKeyW and
// RegQueryValueExW, the roamable root folder and its tree made on first use.
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "dbapserv.h"
#include "plot_profile_fixture.h"
#include "text/encoding.h"
#include "win32/paths.h"
#include "win32/registry_store.h"
#include "winreg.h"

namespace vx::plot {
namespace {

bool isFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

class HostProfile : public test::PlotProfile {
protected:
    // The module's reading of the value: open the product key, query into a buffer of `bytes`.
    LONG queryRoot(std::vector<wchar_t>& buffer, DWORD& size, DWORD bytes) {
        HKEY key = nullptr;
        const LONG opened = RegOpenKeyW(HKEY_CURRENT_USER, acdbHostApplicationServices()->getRegistryProductRootKey(), &key);
        if (opened != ERROR_SUCCESS) return opened;
        buffer.assign(bytes / sizeof(wchar_t) + 1, L'#');
        size = bytes;
        DWORD type = 0;
        const LONG rc = RegQueryValueExW(key, L"RoamableRootFolder", nullptr, &type,
                                         reinterpret_cast<LPBYTE>(buffer.data()), &size);
        EXPECT_EQ(rc != ERROR_SUCCESS || type == REG_SZ, true);
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        return rc;
    }
};

TEST_F(HostProfile, FirstUseStoresTheRootWithItsSeparatorAndMakesTheTree) {
    std::vector<wchar_t> buffer;
    DWORD size = 0;
    ASSERT_EQ(queryRoot(buffer, size, 4096), ERROR_SUCCESS);
    const std::wstring stored(buffer.data());
    EXPECT_EQ(stored, text::fromUtf8(root()));
    EXPECT_EQ(size, (stored.size() + 1) * sizeof(wchar_t));
    // What the module appends: the relative paths of its table, backslashes and all.
    for (const char* sub : {"Plotters", "Plotters/PMP Files", "Plot Styles"}) EXPECT_TRUE(isFolder(root() + sub)) << sub;
    EXPECT_EQ(win32::nativePath((stored + L"Plotters\\PMP Files").c_str()), root() + "Plotters/PMP Files");
    // The profile is a file of the user's configuration folder.
    EXPECT_TRUE(std::filesystem::exists(folder.file("config") + "/vxhost/registry.ini"));
}

TEST_F(HostProfile, SizesAreBytesAndASmallBufferIsRefusedWithTheSizeNeeded) {
    std::vector<wchar_t> buffer;
    DWORD size = 0;
    ASSERT_EQ(queryRoot(buffer, size, 4096), ERROR_SUCCESS);
    const DWORD needed = size;

    // Only the size.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, L"Software\\Vorlix\\vxhost\\R18.0", &key), ERROR_SUCCESS);
    DWORD asked = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"RoamableRootFolder", nullptr, nullptr, nullptr, &asked), ERROR_SUCCESS);
    EXPECT_EQ(asked, needed);
    RegCloseKey(key);

    // One byte short: refused, nothing written past the buffer, the size needed reported.
    EXPECT_EQ(queryRoot(buffer, size, needed - 1), ERROR_MORE_DATA);
    EXPECT_EQ(size, needed);
    // An exact fit is enough.
    EXPECT_EQ(queryRoot(buffer, size, needed), ERROR_SUCCESS);
}

TEST_F(HostProfile, MissingKeysValuesAndHandlesAreTheirOwnErrors) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, L"Software\\Nobody\\Nothing", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    // Parent keys of the product key exist, without regard to case.
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, L"software\\VORLIX", &key), ERROR_SUCCESS);
    HKEY product = nullptr;
    EXPECT_EQ(RegOpenKeyW(key, L"vxhost\\R18.0", &product), ERROR_SUCCESS);
    DWORD size = 64;
    wchar_t buf[16];
    EXPECT_EQ(RegQueryValueExW(product, L"NoSuchValue", nullptr, nullptr, reinterpret_cast<LPBYTE>(buf), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(product), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    // A closed handle is no handle.
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(key, L"RoamableRootFolder", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
}

TEST_F(HostProfile, AUsersRootIsKeptAndAFolderTheyRemovedStaysRemoved) {
    const std::string mine = folder.file("elsewhere") + "/";
    std::filesystem::create_directories(mine + "Plotters");
    ASSERT_TRUE(win32::writeRegistryValue(acdbHostApplicationServices()->getRegistryProductRootKey(),
                                          L"RoamableRootFolder", text::fromUtf8(mine)));
    EXPECT_EQ(win32::roamableRootFolder(), mine);
    // Not a first use: nothing is made, so "PMP Files" stays missing (the module's drivers then
    // install without their media files, as on the commercial host).
    EXPECT_FALSE(isFolder(mine + "Plotters/PMP Files"));
    EXPECT_FALSE(isFolder(mine + "Plot Styles"));
    EXPECT_FALSE(isFolder(root()));
}

}  // namespace
}  // namespace vx::plot
