// File operations, last-error codes and the module path, as the module meets them.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <thread>

#include "temp_folder.h"
#include "win32.h"

namespace {

using vx::test::TempFolder;

TEST(Files, AttributesTellMissingFoldersFilesAndReadOnly) {
    TempFolder dir;
    dir.write("TK.dwg", "x");
    dir.write("ro.pc3", "x");
    ASSERT_EQ(0, chmod(dir.native("ro.pc3").c_str(), 0444));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), GetFileAttributesW(dir.windows("TK.dwg").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), GetFileAttributesW(dir.windows("ro.pc3").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesW(dir.windows("").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(dir.windows("none.dwg").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(dir.windows("no\\TK.dwg").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(nullptr));
}

TEST(Files, CopyKeepsContentAndModeAndHonoursFailIfExists) {
    TempFolder dir;
    dir.write("源.pc3", std::string("driver\0data", 11));
    ASSERT_EQ(0, chmod(dir.native("源.pc3").c_str(), 0750));
    ASSERT_TRUE(CopyFileW(dir.windows("源.pc3").c_str(), dir.windows("副本.pc3").c_str(), TRUE));
    EXPECT_EQ(std::string("driver\0data", 11), dir.read("副本.pc3"));
    struct stat st;
    ASSERT_EQ(0, stat(dir.native("副本.pc3").c_str(), &st));
    EXPECT_EQ(0750u, st.st_mode & 07777);

    dir.write("target.pc3", "user's own");
    EXPECT_FALSE(CopyFileW(dir.windows("源.pc3").c_str(), dir.windows("target.pc3").c_str(), TRUE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), GetLastError());
    EXPECT_EQ("user's own", dir.read("target.pc3"));
    ASSERT_TRUE(CopyFileW(dir.windows("源.pc3").c_str(), dir.windows("target.pc3").c_str(), FALSE));
    EXPECT_EQ(std::string("driver\0data", 11), dir.read("target.pc3"));
    ASSERT_TRUE(CopyFileW(dir.windows("源.pc3").c_str(), dir.windows("源.pc3").c_str(), FALSE));
    EXPECT_EQ(std::string("driver\0data", 11), dir.read("源.pc3"));

    EXPECT_FALSE(CopyFileW(dir.windows("none").c_str(), dir.windows("x").c_str(), FALSE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(CopyFileW(dir.windows("").c_str(), dir.windows("x").c_str(), FALSE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    dir.write("ro", "keep");
    ASSERT_EQ(0, chmod(dir.native("ro").c_str(), 0444));
    EXPECT_FALSE(CopyFileW(dir.windows("源.pc3").c_str(), dir.windows("ro").c_str(), FALSE));
    EXPECT_EQ("keep", dir.read("ro"));
    EXPECT_FALSE(CopyFileW(dir.windows("源.pc3").c_str(), dir.windows("no\\x").c_str(), FALSE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_FALSE(dir.exists("x"));
}

TEST(Files, CopiesThroughLinksStayInTheFolderNamed) {
    TempFolder dir;
    dir.write("TKATT.ini", "[TKATT]\n");
    ASSERT_EQ(0, mkdir(dir.native("tpl").c_str(), 0755));
    ASSERT_EQ(0, mkdir(dir.native("elsewhere").c_str(), 0755));
    // A dangling link takes the name: failIfExists refuses, as for any existing entry.
    ASSERT_EQ(0, symlink("../elsewhere/TKATT.ini", dir.native("tpl/TKATT.ini").c_str()));
    const std::wstring from = dir.windows("TKATT.ini"), to = dir.windows("tpl\\TKATT.ini");
    EXPECT_FALSE(CopyFileW(from.c_str(), to.c_str(), TRUE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), GetLastError());
    // Replacing through it would create a file outside the folder: refused.
    EXPECT_FALSE(CopyFileW(from.c_str(), to.c_str(), FALSE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_FALSE(dir.exists("elsewhere/TKATT.ini"));
    // A link to a file in the same folder (or below it) is written through, the link kept.
    dir.write("tpl/real.ini", "old");
    ASSERT_EQ(0, symlink("real.ini", dir.native("tpl/alias.ini").c_str()));
    ASSERT_TRUE(CopyFileW(from.c_str(), dir.windows("tpl\\alias.ini").c_str(), FALSE));
    EXPECT_EQ("[TKATT]\n", dir.read("tpl/real.ini"));
    struct stat st;
    ASSERT_EQ(0, lstat(dir.native("tpl/alias.ini").c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(Files, MoveNeverReplacesAndMovesFolders) {
    TempFolder dir;
    dir.write("new.arx", "new");
    dir.write("old.arx", "old");
    EXPECT_FALSE(MoveFileW(dir.windows("new.arx").c_str(), dir.windows("old.arx").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    EXPECT_EQ("new", dir.read("new.arx"));
    EXPECT_EQ("old", dir.read("old.arx"));
    ASSERT_TRUE(MoveFileW(dir.windows("new.arx").c_str(), dir.windows("moved.arx").c_str()));
    EXPECT_FALSE(dir.exists("new.arx"));
    EXPECT_EQ("new", dir.read("moved.arx"));
    ASSERT_EQ(0, mkdir(dir.native("downdir").c_str(), 0755));
    ASSERT_TRUE(MoveFileW(dir.windows("downdir").c_str(), dir.windows("done").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesW(dir.windows("done").c_str()));
    EXPECT_FALSE(MoveFileW(dir.windows("none").c_str(), dir.windows("other").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(Files, MoveAcrossFileSystemsCopiesThenRemoves) {
    TempFolder dir;
    char shmTemplate[] = "/dev/shm/vxw32-XXXXXX";
    if (!mkdtemp(shmTemplate)) GTEST_SKIP() << "no /dev/shm";
    const std::string shm = shmTemplate;
    struct stat a, b;
    ASSERT_EQ(0, stat(dir.path().c_str(), &a));
    ASSERT_EQ(0, stat(shm.c_str(), &b));
    if (a.st_dev == b.st_dev) {
        rmdir(shm.c_str());
        GTEST_SKIP() << "/dev/shm and /tmp are one file system here";
    }
    dir.write("plot.pmp", "media");
    ASSERT_EQ(0, chmod(dir.native("plot.pmp").c_str(), 0640));
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(0, chown(dir.native("plot.pmp").c_str(), 65534, 65534));
    }
    const std::wstring target = vx::text::fromUtf8(shm + "/plot.pmp");
    ASSERT_TRUE(MoveFileW(dir.windows("plot.pmp").c_str(), target.c_str()));
    EXPECT_FALSE(dir.exists("plot.pmp"));
    struct stat moved;
    ASSERT_EQ(0, stat((shm + "/plot.pmp").c_str(), &moved));
    EXPECT_EQ(0640u, moved.st_mode & 07777);
    if (root) {
        EXPECT_EQ(65534u, moved.st_uid);  // a move keeps the file's owner
    }
    EXPECT_EQ(0, unlink((shm + "/plot.pmp").c_str()));
    rmdir(shm.c_str());
}

TEST(Files, DeleteAndCreateDirectoryReportWindowsErrors) {
    TempFolder dir;
    dir.write("f", "x");
    dir.write("ro", "x");
    ASSERT_EQ(0, chmod(dir.native("ro").c_str(), 0444));
    EXPECT_TRUE(DeleteFileW(dir.windows("f").c_str()));
    EXPECT_FALSE(dir.exists("f"));
    EXPECT_FALSE(DeleteFileW(dir.windows("f").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(DeleteFileW(dir.windows("ro").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(dir.exists("ro"));

    EXPECT_TRUE(CreateDirectoryW(dir.windows("Plotters").c_str(), nullptr));
    EXPECT_FALSE(DeleteFileW(dir.windows("Plotters").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_FALSE(CreateDirectoryW(dir.windows("Plotters").c_str(), nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    EXPECT_FALSE(CreateDirectoryW(dir.windows("a\\b").c_str(), nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_TRUE(CreateDirectoryW(dir.windows("Plotters\\PMP Files").c_str(), nullptr));
}

TEST(Files, NamesMatchWithoutCaseWhenTheSpellingDoesNotExist) {
    TempFolder dir;
    ASSERT_EQ(0, mkdir(dir.native("Template").c_str(), 0755));
    dir.write("Template/tk.dwg", "frames");
    dir.write("Template/TKATT.ini", "[TZML]\nrowHeight=8\n");
    dir.write("exact.ini", "[S]\nK=lower\n");
    dir.write("EXACT.INI", "[S]\nK=upper\n");
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), GetFileAttributesW(dir.windows("TEMPLATE/TK.dwg").c_str()));
    EXPECT_EQ(8u, GetPrivateProfileIntW(L"TZML", L"rowHeight", 0, dir.windows("template/tkatt.INI").c_str()));
    // An exact spelling always wins over a case variant.
    wchar_t buf[16];
    GetPrivateProfileStringW(L"S", L"K", L"", buf, 16, dir.windows("EXACT.INI").c_str());
    EXPECT_STREQ(L"upper", buf);
    GetPrivateProfileStringW(L"S", L"K", L"", buf, 16, dir.windows("exact.ini").c_str());
    EXPECT_STREQ(L"lower", buf);

    // A write updates the file that is there instead of creating a second spelling of it.
    ASSERT_TRUE(WritePrivateProfileStringW(L"TZML", L"maxNUm", L"30", dir.windows("TEMPLATE/TkAtt.ini").c_str()));
    EXPECT_EQ("[TZML]\nrowHeight=8\nmaxNUm=30\n", dir.read("Template/TKATT.ini"));
    EXPECT_FALSE(dir.exists("Template/TkAtt.ini"));
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"K", L"v", dir.windows("TEMPLATE/new.ini").c_str()));
    EXPECT_TRUE(dir.exists("Template/new.ini"));

    EXPECT_FALSE(CreateDirectoryW(dir.windows("TEMPLATE").c_str(), nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    dir.write("Template/old.arx", "old");
    EXPECT_FALSE(MoveFileW(dir.windows("Template/tk.dwg").c_str(), dir.windows("Template/OLD.ARX").c_str()));
    EXPECT_EQ("old", dir.read("Template/old.arx"));
    // Changing only the case of a name is a rename, not a clash with itself.
    ASSERT_TRUE(MoveFileW(dir.windows("Template/tk.dwg").c_str(), dir.windows("Template/TK.dwg").c_str()));
    EXPECT_EQ("frames", dir.read("Template/TK.dwg"));
    EXPECT_FALSE(dir.exists("Template/tk.dwg"));
}

TEST(Files, LastErrorBelongsToEachThread) {
    SetLastError(ERROR_FILE_EXISTS);
    DWORD seen = 1;
    std::thread([&] {
        seen = GetLastError();
        SetLastError(ERROR_DISK_FULL);
    }).join();
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), seen);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), GetLastError());
}

std::wstring exePath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
    return vx::text::fromUtf8(std::string(buf, static_cast<size_t>(n)));
}

TEST(ModulePath, NamesTheExecutableOrTheLoadedLibraryThatHoldsAnAddress) {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    EXPECT_EQ(exePath(), std::wstring(buf, n));
    n = GetModuleFileNameW(vxThisModuleHandle(), buf, MAX_PATH);
    EXPECT_EQ(exePath(), std::wstring(buf, n));

    void* lib = dlopen(VX_PROBE_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, lib) << dlerror();
    auto probe = reinterpret_cast<HINSTANCE (*)()>(dlsym(lib, "vxProbeInstance"));
    ASSERT_NE(nullptr, probe);
    n = GetModuleFileNameW(probe(), buf, MAX_PATH);
    char real[PATH_MAX];
    ASSERT_NE(nullptr, realpath(VX_PROBE_MODULE, real));
    EXPECT_EQ(vx::text::fromUtf8(real), std::wstring(buf, n));
    dlclose(lib);

    int onStack = 0;
    EXPECT_EQ(0u, GetModuleFileNameW(&onStack, buf, MAX_PATH));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST(ModulePath, TruncatesLikeWindows) {
    const std::wstring full = exePath();
    wchar_t buf[8];
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(5u, GetModuleFileNameW(nullptr, buf, 5));
    EXPECT_EQ(full.substr(0, 4), std::wstring(buf));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(0u, GetModuleFileNameW(nullptr, buf, 0));
    std::wstring exact(full.size() + 1, L'#');
    EXPECT_EQ(full.size(), GetModuleFileNameW(nullptr, &exact[0], static_cast<DWORD>(exact.size())));
    std::wstring tight(full.size(), L'#');
    EXPECT_EQ(full.size(), GetModuleFileNameW(nullptr, &tight[0], static_cast<DWORD>(tight.size())));
    EXPECT_EQ(L'\0', tight.back());
}

}  // namespace
