// Plot files replace their target whole or not at all, and refuse what must not be written.
#include <sys/stat.h>
#include <unistd.h>

#include "plot/output_file.h"
#include "plot_test_support.h"

namespace vx::plot {
namespace {

TEST(OutputFile, ReplacesContentAndKeepsTheModeAndLinks) {
    test::TempFolder folder;
    const std::string path = folder.file("plan.pdf");
    std::string error;
    ASSERT_TRUE(writeOutputFile(path, "first", error)) << error;
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(writeOutputFile(path, "second", error)) << error;
    EXPECT_EQ(test::readFile(path), "second");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // A link to the plot stays a link; the file it names gets the content.
    const std::string link = folder.file("latest.pdf");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(writeOutputFile(link, "third", error)) << error;
    EXPECT_EQ(test::readFile(path), "third");
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    // Nothing but the plot and the link is left in the folder (no temporary files).
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.path())) (void)e, ++entries;
    EXPECT_EQ(entries, 2u);
}

TEST(OutputFile, RefusesFoldersReadOnlyFilesAndMissingFoldersWithAReason) {
    test::TempFolder folder;
    std::string error;
    EXPECT_FALSE(writeOutputFile(folder.path(), "x", error));
    EXPECT_NE(error.find("is not a file"), std::string::npos) << error;

    const std::string locked = folder.file("locked.plt");
    ASSERT_TRUE(writeOutputFile(locked, "keep", error));
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    EXPECT_FALSE(writeOutputFile(locked, "lost", error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(test::readFile(locked), "keep");

    EXPECT_FALSE(writeOutputFile(folder.file("no/such/plan.pdf"), "x", error));
    EXPECT_NE(error.find("no/such/plan.pdf"), std::string::npos) << error;
    EXPECT_FALSE(writeOutputFile("", "x", error));
}

}  // namespace
}  // namespace vx::plot
