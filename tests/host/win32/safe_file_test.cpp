// Replacing files: the target holds its old or its new content at every moment, keeps its mode,
// owner and links, read-only files are refused, and temporaries never outlive their run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "win32/paths.h"
#include "win32/safe_file.h"
#include "win32/temporary_files.h"

namespace {

using vx::test::TempFolder;
using vx::win32::FileError;
using vx::win32::SafeFile;
using vx::win32::Sink;

// A pid that no process has: a child that has already ended and been reaped.
long deadPid() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return static_cast<long>(child);
}

mode_t modeOf(const std::string& path) {
    struct stat st{};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Names in the folder that start with the target's temporary prefix.
std::vector<std::string> temporariesOf(const TempFolder& dir, const std::string& name) {
    const std::string prefix = vx::win32::temporaryPrefix(dir.native(name));
    std::vector<std::string> found;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        const std::string n = e.path().filename().string();
        if (n.compare(0, prefix.size(), prefix) == 0) found.push_back(n);
    }
    return found;
}

// Leaves a temporary file as a killed run of `origin` would have left it.
std::string plantTemporary(const TempFolder& dir, const std::string& target, const vx::win32::TemporaryOrigin& origin,
                           time_t age = 0) {
    const std::string path = vx::win32::temporaryName(dir.native(target), origin);
    std::ofstream(path, std::ios::binary) << std::string(4096, 'x');
    if (age) {
        const struct timespec t[2] = {{std::time(nullptr) - age, 0}, {std::time(nullptr) - age, 0}};
        utimensat(AT_FDCWD, path.c_str(), t, 0);
    }
    return path;
}

bool exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

TEST(SafeFile, StreamsIntoAPrivateTemporaryAndReplacesOnlyOnCommit) {
    TempFolder dir;
    dir.write("plot.pdf", "old");
    const std::string target = dir.native("plot.pdf");
    {
        SafeFile out(target);
        ASSERT_TRUE(out.ok());
        EXPECT_TRUE(out.write(std::string(100000, 'a')));  // past the gathering buffer
        EXPECT_TRUE(out.write("tail"));
        auto temps = temporariesOf(dir, "plot.pdf");
        ASSERT_EQ(1u, temps.size());
        EXPECT_EQ(0600u, modeOf(dir.native(temps[0])));
        EXPECT_EQ("old", dir.read("plot.pdf"));
        FileError error;
        ASSERT_TRUE(out.commit(error)) << vx::text::toUtf8(error.message);
    }
    EXPECT_EQ(std::string(100000, 'a') + "tail", dir.read("plot.pdf"));
    EXPECT_TRUE(temporariesOf(dir, "plot.pdf").empty());

    {
        SafeFile abandoned(target);
        abandoned.write("never committed");
    }
    EXPECT_EQ(std::string(100000, 'a') + "tail", dir.read("plot.pdf"));
    EXPECT_EQ(1u, dir.entryCount());
}

TEST(SafeFile, NewFilesFollowTheUmaskAndExistingOnesKeepTheirMode) {
    TempFolder dir;
    const mode_t old = umask(027);
    FileError error;
    bool written = vx::win32::writeFileSafely(dir.native("new.plt"), [](Sink& s) { return s.write("IN;"); }, error);
    umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ(0640u, modeOf(dir.native("new.plt")));

    dir.write("shared.dxf", "x");
    ASSERT_EQ(0, chmod(dir.native("shared.dxf").c_str(), 02664));
    ASSERT_TRUE(vx::win32::writeFileSafely(dir.native("shared.dxf"), [](Sink& s) { return s.write("y"); }, error));
    EXPECT_EQ(02664u, modeOf(dir.native("shared.dxf")));
    EXPECT_EQ("y", dir.read("shared.dxf"));
}

TEST(SafeFile, AFileOfAnotherUserStaysTheirs) {
    if (geteuid() != 0) GTEST_SKIP() << "only a privileged process can keep another user's ownership";
    TempFolder dir;
    dir.write("theirs.dxf", "x");
    ASSERT_EQ(0, chown(dir.native("theirs.dxf").c_str(), 65534, 65534));
    ASSERT_EQ(0, chmod(dir.native("theirs.dxf").c_str(), 04640));
    FileError error;
    ASSERT_TRUE(vx::win32::writeFileSafely(dir.native("theirs.dxf"), [](Sink& s) { return s.write("y"); }, error));
    struct stat st;
    ASSERT_EQ(0, stat(dir.native("theirs.dxf").c_str(), &st));
    EXPECT_EQ(65534u, st.st_uid);
    EXPECT_EQ(65534u, st.st_gid);
    EXPECT_EQ(04640u, st.st_mode & 07777);  // the change of owner must not cost the set-uid bit
}

TEST(SafeFile, WritesThroughSymbolicLinksWhichStayLinks) {
    TempFolder dir;
    std::filesystem::create_directories(dir.native("office"));
    dir.write("office/real.dxf", "old");
    ASSERT_EQ(0, symlink("office/real.dxf", dir.native("link.dxf").c_str()));
    ASSERT_EQ(0, symlink("link.dxf", dir.native("chain.dxf").c_str()));
    FileError error;
    SafeFile out(dir.native("chain.dxf"));
    EXPECT_EQ(std::filesystem::canonical(dir.native("office/real.dxf")).string(), out.target());
    out.write("new");
    ASSERT_TRUE(out.commit(error));
    struct stat st;
    ASSERT_EQ(0, lstat(dir.native("link.dxf").c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(0, lstat(dir.native("chain.dxf").c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ("new", dir.read("office/real.dxf"));
}

TEST(SafeFile, RefusesReadOnlyFilesFoldersAndSpecialFilesWithoutCreatingAnything) {
    TempFolder dir;
    dir.write("ro.dxf", "keep");
    ASSERT_EQ(0, chmod(dir.native("ro.dxf").c_str(), 0444));
    std::filesystem::create_directories(dir.native("folder.dxf"));
    ASSERT_EQ(0, mkfifo(dir.native("pipe.plt").c_str(), 0644));
    struct Case {
        const char* name;
        const wchar_t* says;
    } cases[] = {{"ro.dxf", L" is read-only"}, {"folder.dxf", L" is not a file"}, {"pipe.plt", L" is not a file"}};
    for (const Case& c : cases) {
        SafeFile out(dir.native(c.name));
        EXPECT_FALSE(out.ok()) << c.name;
        EXPECT_FALSE(out.write("x")) << c.name;
        FileError error;
        EXPECT_FALSE(out.commit(error)) << c.name;
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), error.code) << c.name;
        EXPECT_EQ(vx::text::fromUtf8(dir.native(c.name)) + c.says, error.message);
    }
    EXPECT_EQ("keep", dir.read("ro.dxf"));
    EXPECT_EQ(0444u, modeOf(dir.native("ro.dxf")));
    EXPECT_EQ(3u, dir.entryCount());

    FileError error;
    EXPECT_FALSE(vx::win32::writeFileSafely(dir.native("no/such/x.pdf"), [](Sink& s) { return s.write("x"); }, error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), error.code);
}

TEST(SafeFile, AnInterruptedWriteLeavesTheTargetAndNoTemporary) {
    TempFolder dir;
    dir.write("d.dxf", "previous");
    FileError error;
    // The producer gives up halfway (the writer met a fault).
    EXPECT_FALSE(vx::win32::writeFileSafely(
        dir.native("d.dxf"),
        [](Sink& s) { return s.write(std::string(300000, 'p')) && false; }, error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_GEN_FAILURE), error.code);
    EXPECT_EQ("previous", dir.read("d.dxf"));
    EXPECT_EQ(1u, dir.entryCount());

    // The file system refuses more bytes (a file size limit stands in for a full disk).
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 1 << 20;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    bool sinkSawFailure = false;
    bool written = vx::win32::writeFileSafely(
        dir.native("d.dxf"),
        [&](Sink& s) {
            for (int i = 0; i < 64; ++i)
                if (!s.write(std::string(256 * 1024, 'q'))) return !(sinkSawFailure = true);
            return true;
        },
        error);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_TRUE(sinkSawFailure);
    EXPECT_EQ(EFBIG, error.err);
    EXPECT_NE(std::wstring::npos, error.message.find(L"cannot write the file"));
    EXPECT_EQ("previous", dir.read("d.dxf"));
    EXPECT_EQ(1u, dir.entryCount());
}

TEST(SafeFile, LongNamesStillGetATemporaryBesideThem) {
    TempFolder dir;
    const std::string name = std::string(80, 'a') + std::string("图纸目录图纸目录图纸目录图纸目录图纸目录图纸目录图纸目录图纸目录图纸目录图纸") +
                             std::string(56, 'b') + ".dxf";  // 254 bytes; a name may hold 255
    ASSERT_LE(name.size(), 255u);
    ASSERT_GT(name.size(), 240u);
    FileError error;
    ASSERT_TRUE(vx::win32::writeFileSafely(dir.native(name), [](Sink& s) { return s.write("x"); }, error))
        << vx::text::toUtf8(error.message);
    EXPECT_EQ("x", dir.read(name));
    // A killed save of it is recognised as its own.
    vx::win32::TemporaryOrigin dead = vx::win32::thisProcess();
    dead.pid = deadPid();
    plantTemporary(dir, name, dead);
    EXPECT_EQ(1u, vx::win32::removeStaleTemporaries(dir.native(name)));
}

TEST(SafeFile, RemovesTheLeftoversOfEndedRunsButNeverALiveProcesssTemporary) {
    TempFolder dir;
    dir.write("d.dxf", "x");
    const vx::win32::TemporaryOrigin me = vx::win32::thisProcess();
    auto with = [&](long pid, const char* machine, const char* boot) {
        vx::win32::TemporaryOrigin o = me;
        o.pid = pid;
        if (machine) o.machine = machine;
        if (boot) o.boot = boot;
        return o;
    };
    const long dead = deadPid();
    const std::vector<std::string> stale = {
        plantTemporary(dir, "d.dxf", with(dead, nullptr, nullptr)),                   // killed here
        plantTemporary(dir, "d.dxf", with(static_cast<long>(getppid()), nullptr, "0badb007")),  // before a reboot
        plantTemporary(dir, "d.dxf", with(4242, "0badc0de", nullptr), 2 * 24 * 3600),  // abandoned elsewhere
    };
    const std::vector<std::string> kept = {
        plantTemporary(dir, "d.dxf", with(static_cast<long>(getppid()), nullptr, nullptr)),  // a live process
        plantTemporary(dir, "d.dxf", with(static_cast<long>(getpid()), nullptr, nullptr)),   // this one
        plantTemporary(dir, "d.dxf", with(4242, "0badc0de", nullptr), 600),  // another machine, recent
        plantTemporary(dir, "other.dxf", with(dead, nullptr, nullptr)),       // another drawing's
        dir.native(vx::win32::temporaryPrefix(dir.native("d.dxf")) + std::to_string(dead) + ".mine"),
    };
    dir.write(vx::win32::lastComponent(kept.back()), "a name SafeFile never makes");

    FileError error;
    ASSERT_TRUE(vx::win32::writeFileSafely(dir.native("d.dxf"), [](Sink& s) { return s.write("y"); }, error));
    for (const auto& p : stale) EXPECT_FALSE(exists(p)) << p;
    for (const auto& p : kept) EXPECT_TRUE(exists(p)) << p;
}

TEST(SafeFile, LinksPlantedAtTemporaryNamesNeverLeadAWriteElsewhere) {
    TempFolder dir;
    dir.write("victim.txt", "precious");
    dir.write("d.dxf", "x");
    vx::win32::TemporaryOrigin dead = vx::win32::thisProcess();
    dead.pid = deadPid();
    const std::string soft = vx::win32::temporaryName(dir.native("d.dxf"), dead);
    const std::string hard = vx::win32::temporaryName(dir.native("d.dxf"), dead);
    ASSERT_EQ(0, symlink(dir.native("victim.txt").c_str(), soft.c_str()));
    ASSERT_EQ(0, link(dir.native("victim.txt").c_str(), hard.c_str()));
    FileError error;
    ASSERT_TRUE(vx::win32::writeFileSafely(dir.native("d.dxf"), [](Sink& s) { return s.write("saved"); }, error));
    EXPECT_EQ("precious", dir.read("victim.txt"));
    EXPECT_EQ("saved", dir.read("d.dxf"));
    EXPECT_TRUE(exists(soft));   // not a file we make: left alone
    EXPECT_FALSE(exists(hard));  // only the planted name goes
}

TEST(SafeFile, CopiesStreamWithTheSourcesModeAndTime) {
    TempFolder dir;
    std::string big(3 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    dir.write("src.pc3", big);
    ASSERT_EQ(0, chmod(dir.native("src.pc3").c_str(), 0751));
    const struct timespec t[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(0, utimensat(AT_FDCWD, dir.native("src.pc3").c_str(), t, 0));
    struct stat src;
    ASSERT_EQ(0, stat(dir.native("src.pc3").c_str(), &src));
    vx::win32::SafeFileOptions like;
    like.like = &src;
    FileError error;
    ASSERT_TRUE(vx::win32::copyFileSafely(dir.native("src.pc3"), dir.native("dst.pc3"), error, like));
    EXPECT_EQ(big, dir.read("dst.pc3"));
    struct stat dst;
    ASSERT_EQ(0, stat(dir.native("dst.pc3").c_str(), &dst));
    EXPECT_EQ(0751u, dst.st_mode & 07777);
    EXPECT_EQ(1000000000, dst.st_mtim.tv_sec);

    EXPECT_FALSE(vx::win32::copyFileSafely(dir.native("none.pc3"), dir.native("dst.pc3"), error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), error.code);
    EXPECT_EQ(big, dir.read("dst.pc3"));
}

}  // namespace
