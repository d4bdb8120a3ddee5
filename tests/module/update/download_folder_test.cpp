#include "update/download_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorlix {
namespace {

namespace fs = std::filesystem;

class DownloadFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vx-downloads-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::create_directories(root / "module");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::wstring windows(const fs::path& p) const {
        std::wstring w = p.wstring();
        for (wchar_t& c : w)
            if (c == L'/') c = L'\\';
        return w;
    }
    void write(const fs::path& p, const std::string& text) { std::ofstream(p) << text; }
    std::string read(const fs::path& p) {
        std::ifstream in(p);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    mode_t mode(const fs::path& p) {
        struct stat st{};
        stat(p.c_str(), &st);
        return st.st_mode & 0777;
    }
    fs::path module() const { return root / "module"; }
    fs::path downloads() const { return root / "module" / "downdir"; }
    fs::path root;
};

TEST_F(DownloadFolderTest, AMissingFolderIsMadeForItsOwnerAlone) {
    const mode_t old = umask(0);
    EXPECT_EQ(prepareDownloadFolder(windows(downloads())), DownloadFolder::Ready);
    umask(old);
    EXPECT_EQ(mode(downloads()), 0700u) << "not even a zero umask opens it to others";
    EXPECT_EQ(prepareDownloadFolder(windows(downloads())), DownloadFolder::Ready) << "an existing private folder";
    EXPECT_EQ(prepareDownloadFolder(windows(root / "no" / "downdir")), DownloadFolder::Absent);
}

TEST_F(DownloadFolderTest, AFolderOthersMayWriteIntoOrALinkIsUnsafe) {
    fs::create_directories(downloads());
    for (mode_t m : {0777, 0770, 0702, 0722}) {
        chmod(downloads().c_str(), m);
        EXPECT_EQ(prepareDownloadFolder(windows(downloads())), DownloadFolder::Unsafe) << std::oct << m;
    }
    chmod(downloads().c_str(), 0755);
    EXPECT_EQ(prepareDownloadFolder(windows(downloads())), DownloadFolder::Ready) << "others may read, not write";
    fs::create_directories(root / "elsewhere");
    chmod((root / "elsewhere").c_str(), 0700);
    fs::remove(downloads());
    fs::create_directory_symlink(root / "elsewhere", downloads());
    EXPECT_EQ(prepareDownloadFolder(windows(downloads())), DownloadFolder::Unsafe);
    fs::remove(downloads());
    write(downloads(), "a file");
    EXPECT_EQ(prepareDownloadFolder(windows(downloads())), DownloadFolder::Absent);
}

TEST_F(DownloadFolderTest, OnlyRegularFilesAreMovedAndTheyReplaceTheModuleFoldersCopies) {
    fs::create_directories(downloads() / "sub");
    write(module() / "a.arx", "old");
    write(module() / "locked.ini", "kept");
    chmod((module() / "locked.ini").c_str(), 0444);
    write(downloads() / "a.arx", "new");
    write(downloads() / "新文件.txt", "中文");
    write(downloads() / "locked.ini", "replacement");
    write(downloads() / "..\\up.txt", "escape");
    write(root / "target.txt", "target");
    fs::create_symlink(root / "target.txt", downloads() / "link.txt");
    mkfifo((downloads() / "pipe").c_str(), 0600);
    EXPECT_EQ(moveDownloadedFiles(windows(downloads()), windows(module())), 2);
    EXPECT_EQ(read(module() / "a.arx"), "new");
    EXPECT_EQ(read(module() / "新文件.txt"), "中文");
    EXPECT_EQ(read(module() / "locked.ini"), "kept") << "a read-only file is not deleted";
    EXPECT_TRUE(fs::exists(downloads() / "locked.ini"));
    EXPECT_FALSE(fs::exists(root / "up.txt"));
    EXPECT_TRUE(fs::exists(downloads() / "..\\up.txt"));
    EXPECT_TRUE(fs::is_symlink(downloads() / "link.txt"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(module() / "link.txt")));
    EXPECT_TRUE(fs::exists(downloads() / "pipe"));
    EXPECT_TRUE(fs::is_directory(downloads() / "sub"));
    EXPECT_FALSE(fs::exists(module() / "sub"));
    chmod((module() / "locked.ini").c_str(), 0644);
}

}  // namespace
}  // namespace vorlix
