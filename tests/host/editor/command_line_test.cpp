#include <filesystem>
#include <fstream>

#include "aced.h"
#include "editor_fixture.h"
#include "text/encoding.h"

namespace vx::editor::test {

class CommandLineTest : public EditorTest {
protected:
    std::wstring read() {
        std::wstring line;
        EXPECT_TRUE(CommandLine::get().readLine(L"", line));
        return line;
    }
};

TEST_F(CommandLineTest, PostedCommandsRunInTheOrderTheyWerePosted) {
    answers({L"typed"});
    acedPostCommand(L"VXFENAME\n");
    acedPostCommand(L"VXSET\n");
    EXPECT_EQ(read(), L"VXFENAME");
    // A post made while earlier posted lines wait joins the end of their queue.
    acedPostCommand(L"THIRD\n");
    EXPECT_EQ(read(), L"VXSET");
    EXPECT_EQ(read(), L"THIRD");
    EXPECT_EQ(read(), L"typed");
}

TEST_F(CommandLineTest, PostedLinesComeBeforeASourcePushedEarlierAndCommentsAreSkipped) {
    answers({L"# a comment", L"second"});
    acedPostCommand(L"first\nfirst-answer\n");
    EXPECT_EQ(read(), L"first");
    EXPECT_EQ(read(), L"first-answer");
    EXPECT_EQ(read(), L"second");
    std::wstring line;
    EXPECT_FALSE(CommandLine::get().readLine(L"", line));
    // Once the queue is exhausted a new post starts a fresh one.
    acedPostCommand(L"again\n");
    EXPECT_EQ(read(), L"again");
}

TEST_F(CommandLineTest, AScriptFileIsDecodedAsAWholeByTheTextFileRule) {
    char folder[] = "/tmp/vx-script-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string gbk = std::string(folder) + "/gbk.scr";
    const std::string utf8 = std::string(folder) + "/utf8.scr";
    // GBK 暖通 (C5 AF CD A8) is valid UTF-8 on its own line; the file is GBK throughout.
    std::ofstream(gbk, std::ios::binary) << "VXSET\r\n\xC5\xAF\xCD\xA8\r\n\xCD\xBC\xBF\xF2\r\n";
    std::ofstream(utf8, std::ios::binary) << "\xEF\xBB\xBFVXSET\n" << vx::text::toUtf8(L"暖通") << "\nlast";
    bool opened = false;
    CommandLine::get().pushSource(fileSource(utf8, &opened));
    ASSERT_TRUE(opened);
    CommandLine::get().pushSource(fileSource(gbk, &opened));
    ASSERT_TRUE(opened);
    for (const wchar_t* want : {L"VXSET", L"暖通", L"图框", L"VXSET", L"暖通", L"last"}) EXPECT_EQ(read(), want);
    fileSource(std::string(folder) + "/missing.scr", &opened);
    EXPECT_FALSE(opened);
    std::filesystem::remove_all(folder);
}

}  // namespace vx::editor::test
