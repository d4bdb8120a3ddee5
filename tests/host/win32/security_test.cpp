// Security descriptors as permission bits, links and other non-files seen through the file
// functions, code-page conversions and the environment.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "afx.h"
#include "sddl.h"
#include "temp_folder.h"

namespace {

using vx::test::TempFolder;

mode_t modeOf(const std::string& path) {
    struct stat st{};
    EXPECT_EQ(0, stat(path.c_str(), &st));
    return st.st_mode & 07777;
}

// CreateDirectoryW with the descriptor of `sddl`; the folder's mode, or -1 when refused.
int createWith(const TempFolder& dir, const std::string& name, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr)) return -1;
    SECURITY_ATTRIBUTES sa{sizeof sa, sd, TRUE};
    const BOOL made = CreateDirectoryW(dir.windows(name).c_str(), &sa);
    LocalFree(sd);
    return made ? static_cast<int>(modeOf(dir.native(name))) : -1;
}

std::wstring descriptorText(const std::wstring& path, SECURITY_INFORMATION info) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, info, nullptr, nullptr, nullptr, nullptr, &sd));
    LPWSTR text = nullptr;
    EXPECT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorW(sd, SDDL_REVISION_1, info, &text, nullptr));
    std::wstring out = text ? text : L"";
    LocalFree(text);
    LocalFree(sd);
    return out;
}

TEST(Security, AnAccessListGivesExactlyItsBitsWhateverTheUmask) {
    TempFolder dir;
    const mode_t old = umask(022);
    EXPECT_EQ(0700, createWith(dir, "own", L"D:P(A;OICI;FA;;;OW)"));
    EXPECT_EQ(0777, createWith(dir, "everyone", L"D:NO_ACCESS_CONTROL"));
    EXPECT_EQ(0750, createWith(dir, "group", (L"D:(A;;FA;;;OW)(A;;FRFX;;;S-1-22-2-" + std::to_wstring(getegid()) + L")").c_str()));
    EXPECT_EQ(0744, createWith(dir, "hex", L"D:P(A;;0x1F01FF;;;CO)(A;;0x80000000;;;WD)"));
    umask(old);
    // No descriptor: the default, which the umask narrows.
    ASSERT_TRUE(CreateDirectoryW(dir.windows("plain").c_str(), nullptr));
    EXPECT_EQ(0777 & ~old, modeOf(dir.native("plain")));
}

TEST(Security, TextsTheFolderCannotHonourAreRefused) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    for (const wchar_t* bad : {L"D:P(D;;FA;;;WD)", L"D:P(A;;FA;;;BA)", L"D:P(A;;FA;;OW)", L"D:P(A;;ZZ;;;OW)",
                               L"X:P", L"D:Q(A;;FA;;;OW)", L"D:P(A;;FA;;;OW"}) {
        SetLastError(0);
        EXPECT_FALSE(ConvertStringSecurityDescriptorToSecurityDescriptorW(bad, SDDL_REVISION_1, &sd, nullptr))
            << std::string(bad, bad + wcslen(bad));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
        EXPECT_EQ(nullptr, sd);
    }
    // Memory that no conversion made is no descriptor.
    int notADescriptor[8] = {};
    SECURITY_ATTRIBUTES sa{sizeof sa, notADescriptor, FALSE};
    TempFolder dir;
    EXPECT_FALSE(CreateDirectoryW(dir.windows("x").c_str(), &sa));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST(Security, AFoldersDescriptorNamesOwnerGroupAndEveryoneWithTheirRights) {
    TempFolder dir;
    ASSERT_EQ(0, mkdir(dir.native("f").c_str(), 0700));
    ASSERT_EQ(0, chmod(dir.native("f").c_str(), 0751));
    const std::wstring owner = L"S-1-22-1-" + std::to_wstring(geteuid());
    const std::wstring group = L"S-1-22-2-" + std::to_wstring(getegid());
    EXPECT_EQ(L"O:" + owner + L"D:P(A;;FA;;;" + owner + L")(A;;FRFX;;;" + group + L")(A;;FX;;;WD)",
              descriptorText(dir.windows("f"), OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION));
    ASSERT_EQ(0, chmod(dir.native("f").c_str(), 0777));
    EXPECT_EQ(L"D:P(A;;FA;;;" + owner + L")(A;;FA;;;" + group + L")(A;;FA;;;WD)",
              descriptorText(dir.windows("f"), DACL_SECURITY_INFORMATION));
    // What the text says comes back as the same bits.
    PSECURITY_DESCRIPTOR sd = nullptr;
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND),
              GetNamedSecurityInfoW(dir.windows("no\\f").c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                    nullptr, nullptr, nullptr, &sd));
    EXPECT_EQ(nullptr, sd);
}

TEST(Security, LinksPipesAndFoldersAreToldApartFromFiles) {
    TempFolder dir;
    dir.write("file.txt", "x");
    ASSERT_EQ(0, mkdir(dir.native("sub").c_str(), 0700));
    ASSERT_EQ(0, symlink(dir.native("file.txt").c_str(), dir.native("link.txt").c_str()));
    ASSERT_EQ(0, symlink(dir.native("sub").c_str(), dir.native("linkdir").c_str()));
    ASSERT_EQ(0, symlink(dir.native("gone").c_str(), dir.native("dangling").c_str()));
    ASSERT_EQ(0, mkfifo(dir.native("pipe").c_str(), 0600));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), GetFileAttributesW(dir.windows("file.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT), GetFileAttributesW(dir.windows("link.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesW(dir.windows("linkdir").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT), GetFileAttributesW(dir.windows("dangling").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DEVICE), GetFileAttributesW(dir.windows("pipe").c_str()));

    CFileFind finder;
    std::wstring seen;
    BOOL more = finder.FindFile((dir.windows("") + L"*.*").c_str());
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) continue;
        seen += finder.GetFileName().str() + L":";
        seen += finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT) ? L"L" : L"";
        seen += finder.MatchesMask(FILE_ATTRIBUTE_DIRECTORY) ? L"D" : L"";
        seen += finder.MatchesMask(FILE_ATTRIBUTE_DEVICE) ? L"P" : L"";
        seen += finder.MatchesMask(FILE_ATTRIBUTE_NORMAL) ? L"F" : L"";
        seen += L" ";
    }
    EXPECT_EQ(L"dangling:L file.txt:F link.txt:L linkdir:LD pipe:P sub:D ", seen);
}

TEST(CodePages, Utf8AndTheAnsiCodePageBothWays) {
    const std::string utf8 = "a.zip&版本";
    wchar_t wide[32];
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide, 32);
    EXPECT_EQ(L"a.zip&版本", std::wstring(wide, static_cast<size_t>(n)));
    EXPECT_EQ(n, MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0));
    char ansi[32];
    const int m = WideCharToMultiByte(CP_ACP, 0, wide, n, ansi, 32, nullptr, nullptr);
    EXPECT_EQ(std::string("a.zip&\xB0\xE6\xB1\xBE"), std::string(ansi, static_cast<size_t>(m)));
    BOOL usedDefault = FALSE;
    const int k = WideCharToMultiByte(CP_ACP, 0, L"中\u0e01", 2, ansi, 32, "#", &usedDefault);
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(std::string("\xD6\xD0#"), std::string(ansi, static_cast<size_t>(k)));
    // Bytes that are not UTF-8 fail only when asked to.
    const std::string bad = "\xFF\xFE";
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad.data(), 2, wide, 32));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION), GetLastError());
    EXPECT_GT(MultiByteToWideChar(CP_UTF8, 0, bad.data(), 2, wide, 32), 0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide, 2));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
}

TEST(Environment, UnsetEmptyAndSetAreThreeDifferentAnswers) {
    wchar_t buffer[8];
    unsetenv("VX_TEST_VARIABLE");
    EXPECT_EQ(0u, GetEnvironmentVariableW(L"VX_TEST_VARIABLE", buffer, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND), GetLastError());
    setenv("VX_TEST_VARIABLE", "", 1);
    EXPECT_EQ(0u, GetEnvironmentVariableW(L"VX_TEST_VARIABLE", buffer, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    setenv("VX_TEST_VARIABLE", "http://服务/", 1);
    EXPECT_EQ(11u, GetEnvironmentVariableW(L"VX_TEST_VARIABLE", buffer, 8)) << "too small: the size needed";
    wchar_t big[16];
    EXPECT_EQ(10u, GetEnvironmentVariableW(L"VX_TEST_VARIABLE", big, 16));
    EXPECT_EQ(std::wstring(L"http://服务/"), big);
    unsetenv("VX_TEST_VARIABLE");
    const unsigned long long before = GetTickCount64();
    usleep(20000);
    EXPECT_GE(GetTickCount64() - before, 20u);
}

}  // namespace
