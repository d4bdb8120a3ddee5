#include "aced.h"
#include "editor_fixture.h"

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

}  // namespace vx::editor::test
