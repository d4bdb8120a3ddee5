// Saving a drawing never writes through a planted link, never replaces a read-only drawing,
// keeps mode, owner and links, never loses the only copy of the previous version, and leaves
// no temporary file behind, not even after a killed run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "acdb.h"
#include "dxf/dxf.h"
#include "ezdxf_check.h"
#include "win32/safe_file.h"
#include "win32/temporary_files.h"

using namespace vxtest;

namespace {

struct stat statOf(const std::string& path) {
    struct stat st{};
    lstat(path.c_str(), &st);
    return st;
}

bool exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

size_t entriesIn(const std::string& dir) {
    size_t n = 0;
    for (auto it = std::filesystem::directory_iterator(dir); it != std::filesystem::directory_iterator(); ++it) ++n;
    return n;
}

Acad::ErrorStatus save(AcDbDatabase& db, const std::string& path) { return db.saveAs(wide(path).c_str()); }

bool isDxf(const std::string& path) { return readFile(path).compare(0, 12, "  0\nSECTION\n") == 0; }

// What a save that was killed while writing leaves beside the drawing.
std::string killedSaveOf(const std::string& drawing) {
    pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    vx::win32::TemporaryOrigin dead = vx::win32::thisProcess();
    dead.pid = child;
    const std::string temp = vx::win32::temporaryName(drawing, dead);
    writeFile(temp, std::string(1 << 20, '0'));
    return temp;
}

TEST(SafeSave, LinksPlantedAtTheOldTemporaryNameAreNeverWrittenThrough) {
    const std::string dir = tempDir("planted");
    writeFile(dir + "/victim.cfg", "precious\n");
    writeFile(dir + "/a.dxf", "old a\n");
    writeFile(dir + "/b.dxf", "old b\n");
    ASSERT_EQ(0, symlink((dir + "/victim.cfg").c_str(), (dir + "/a.dxf.vxtmp").c_str()));
    ASSERT_EQ(0, link((dir + "/victim.cfg").c_str(), (dir + "/b.dxf.vxtmp").c_str()));
    AcDbDatabase db;
    ASSERT_EQ(Acad::eOk, save(db, dir + "/a.dxf")) << db.lastReadMessage();
    ASSERT_EQ(Acad::eOk, save(db, dir + "/b.dxf")) << db.lastReadMessage();
    EXPECT_EQ("precious\n", readFile(dir + "/victim.cfg"));
    EXPECT_TRUE(isDxf(dir + "/a.dxf"));
    EXPECT_TRUE(isDxf(dir + "/b.dxf"));
}

TEST(SafeSave, AReadOnlyDrawingIsRefusedAndItsBackupLeftAlone) {
    const std::string dir = tempDir("readonly");
    writeFile(dir + "/ro.dxf", "the only copy\n");
    writeFile(dir + "/ro.bak", "older\n");
    ASSERT_EQ(0, chmod((dir + "/ro.dxf").c_str(), 0444));
    AcDbDatabase db;
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(Acad::eFileAccessErr, save(db, dir + "/ro.dxf"));
        EXPECT_EQ(wide(dir + "/ro.dxf") + L" is read-only", std::wstring(db.lastReadMessage()));
    }
    EXPECT_EQ("the only copy\n", readFile(dir + "/ro.dxf"));
    EXPECT_EQ(0444u, statOf(dir + "/ro.dxf").st_mode & 07777);
    EXPECT_EQ("older\n", readFile(dir + "/ro.bak"));
    EXPECT_EQ(2u, entriesIn(dir));
}

TEST(SafeSave, ModeOwnerAndSymbolicLinksAreKept) {
    const std::string dir = tempDir("keep");
    writeFile(dir + "/team.dxf", "old\n");
    ASSERT_EQ(0, chmod((dir + "/team.dxf").c_str(), 0640));
    std::filesystem::create_directories(dir + "/office");
    writeFile(dir + "/office/real.dxf", "old real\n");
    ASSERT_EQ(0, symlink("office/real.dxf", (dir + "/link.dxf").c_str()));
    AcDbDatabase db;
    ASSERT_EQ(Acad::eOk, save(db, dir + "/team.dxf")) << db.lastReadMessage();
    EXPECT_EQ(0640u, statOf(dir + "/team.dxf").st_mode & 07777);
    EXPECT_EQ(0640u, statOf(dir + "/team.bak").st_mode & 07777);

    ASSERT_EQ(Acad::eOk, save(db, dir + "/link.dxf")) << db.lastReadMessage();
    EXPECT_TRUE(S_ISLNK(statOf(dir + "/link.dxf").st_mode));
    EXPECT_TRUE(isDxf(dir + "/office/real.dxf"));
    EXPECT_EQ("old real\n", readFile(dir + "/office/real.bak"));  // the backup stays beside its file

    if (geteuid() != 0) return;  // only a privileged save can keep another user's ownership
    writeFile(dir + "/theirs.dxf", "old\n");
    ASSERT_EQ(0, chown((dir + "/theirs.dxf").c_str(), 65534, 65534));
    ASSERT_EQ(Acad::eOk, save(db, dir + "/theirs.dxf")) << db.lastReadMessage();
    EXPECT_EQ(65534u, statOf(dir + "/theirs.dxf").st_uid);
    EXPECT_EQ(65534u, statOf(dir + "/theirs.dxf").st_gid);
}

TEST(SafeSave, AKilledSavesTemporaryGoesAtTheNextSaveOrOpen) {
    const std::string dir = tempDir("killed");
    AcDbDatabase db;
    ASSERT_EQ(Acad::eOk, save(db, dir + "/d.dxf"));
    const std::string leftover = killedSaveOf(dir + "/d.dxf");
    ASSERT_EQ(Acad::eOk, save(db, dir + "/d.dxf"));
    EXPECT_FALSE(exists(leftover));

    const std::string again = killedSaveOf(dir + "/d.dxf");
    AcDbDatabase reader(false, false);
    ASSERT_EQ(Acad::eOk, reader.readDwgFile(wide(dir + "/d.dxf").c_str()));
    EXPECT_FALSE(exists(again));
    EXPECT_EQ(2u, entriesIn(dir));  // d.dxf and d.bak
}

TEST(SafeSave, SavingOverTheBackupNameKeepsTheFile) {
    const std::string dir = tempDir("overbak");
    writeFile(dir + "/plan.bak", "an older drawing\n");
    AcDbDatabase db;
    ASSERT_EQ(Acad::eOk, save(db, dir + "/plan.bak")) << db.lastReadMessage();
    EXPECT_TRUE(isDxf(dir + "/plan.bak"));
    EXPECT_EQ(1u, entriesIn(dir));
}

TEST(SafeSave, ABackupThatCannotBeKeptStopsTheSaveWithTheDrawingIntact) {
    const std::string dir = tempDir("nobak");
    writeFile(dir + "/d.dxf", "previous\n");
    std::filesystem::create_directories(dir + "/d.bak/inside");
    AcDbDatabase db;
    EXPECT_EQ(Acad::eFileAccessErr, save(db, dir + "/d.dxf"));
    EXPECT_NE(std::wstring::npos, std::wstring(db.lastReadMessage()).find(L"cannot keep the previous file"));
    EXPECT_EQ("previous\n", readFile(dir + "/d.dxf"));
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/d.bak/inside"));
    EXPECT_EQ(2u, entriesIn(dir));
}

TEST(SafeSave, AWriterThatFailsMidwayLeavesTargetBackupAndNoTemporary) {
    const std::string dir = tempDir("midway");
    writeFile(dir + "/d.dxf", "previous\n");
    writeFile(dir + "/d.bak", "older\n");
    std::wstring message;
    Acad::ErrorStatus es = vx::dxf::saveFile(
        dir + "/d.dxf",
        [](const vx::dxf::Sink& sink) {
            const std::string chunk(1 << 20, 'x');
            for (int i = 0; i < 3; ++i)
                if (!sink(chunk.data(), chunk.size())) return Acad::eFileAccessErr;
            return Acad::eDxfReadAborted;
        },
        message);
    EXPECT_EQ(Acad::eDxfReadAborted, es);
    EXPECT_NE(std::wstring::npos, message.find(L"the drawing could not be written (eDxfReadAborted)"));
    EXPECT_EQ("previous\n", readFile(dir + "/d.dxf"));
    EXPECT_EQ("older\n", readFile(dir + "/d.bak"));
    EXPECT_EQ(2u, entriesIn(dir));
}

TEST(SafeSave, AFullDiskIsReportedAsSuchAndCostsNothing) {
    const std::string dir = tempDir("full");
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=256k") != 0) GTEST_SKIP() << "cannot mount a small file system here";
    writeFile(dir + "/d.dxf", "previous\n");
    std::wstring message;
    Acad::ErrorStatus es = vx::dxf::saveFile(
        dir + "/d.dxf",
        [](const vx::dxf::Sink& sink) {
            const std::string chunk(1 << 20, 'x');
            return sink(chunk.data(), chunk.size()) ? Acad::eOk : Acad::eFileAccessErr;
        },
        message);
    const std::string content = readFile(dir + "/d.dxf");
    const size_t entries = entriesIn(dir);
    umount(dir.c_str());
    EXPECT_EQ(Acad::eOutOfDisk, es);
    EXPECT_NE(std::wstring::npos, message.find(L"cannot write the file"));
    EXPECT_EQ("previous\n", content);
    EXPECT_EQ(1u, entries);
}

}  // namespace
