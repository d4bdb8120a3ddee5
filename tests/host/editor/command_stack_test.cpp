#include <gtest/gtest.h>

#include "aced.h"
#include "editor/command_loop.h"
#include "editor/command_stack.h"
#include "editor_fixture.h"

namespace vx::editor::test {
namespace {

std::vector<std::wstring> g_calls;
void outerCommand() {
    g_calls.push_back(L"outer:start");
    ads_point p;
    g_calls.push_back(acedGetPoint(nullptr, L"\nPoint: ", p) == RTNORM ? L"outer:point" : L"outer:cancel");
}
void transparentCommand() { g_calls.push_back(acedIsTransparent() ? L"t:transparent" : L"t:plain"); }
void modalCommand() { g_calls.push_back(L"modal"); }
// A transparent command that waits at a prompt, as VXFENAME does while texts are picked.
void nestingCommand() {
    ads_point p;
    g_calls.push_back(acedGetPoint(nullptr, L"\nPoint: ", p) == RTNORM ? L"nest:point" : L"nest:cancel");
}

class CommandStackTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        commandStack().clear();
        g_calls.clear();
    }
    void TearDown() override {
        commandStack().clear();
        EditorTest::TearDown();
    }
    CommandStack& impl = commandStack();
    AcEdCommandStack& stack = impl;  // the interface modules see, with its defaults
};

TEST_F(CommandStackTest, DuplicateNamesInOneGroupAreRejectedButOtherGroupsMayReuseThem) {
    ASSERT_EQ(stack.addCommand(L"G1", L"Alpha", L"AL", 0, modalCommand), Acad::eOk);
    EXPECT_EQ(stack.addCommand(L"G1", L"ALPHA", L"OTHER", 0, modalCommand), Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand(L"g1", L"Beta", L"al", 0, modalCommand), Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand(L"G2", L"Alpha", L"AL", 0, transparentCommand), Acad::eOk);
    // The newest group is searched first.
    ASSERT_NE(stack.lookupLocalCmd(L"al"), nullptr);
    EXPECT_STREQ(stack.lookupLocalCmd(L"al")->groupName(), L"G2");
    EXPECT_EQ(stack.addCommand(L"G1", L"", L"X", 0, modalCommand), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(L"G1", L"Gamma", L"GA", 0, nullptr), Acad::eInvalidInput);
}

TEST_F(CommandStackTest, RemovalTakesOnlyTheNamedCommandAndEmptyGroupsDisappear) {
    stack.addCommand(L"G", L"One", L"ONE", 0, modalCommand);
    stack.addCommand(L"G", L"Two", L"TWO", 0, modalCommand);
    EXPECT_EQ(stack.removeCmd(L"G", L"one"), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd(L"One"), nullptr);
    EXPECT_NE(stack.lookupGlobalCmd(L"Two"), nullptr);
    EXPECT_EQ(stack.removeCmd(L"G", L"One"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd(L"Nope", L"Two"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd(L"G", L"Two"), Acad::eOk);
    EXPECT_EQ(stack.removeGroup(L"G"), Acad::eKeyNotFound);
    EXPECT_TRUE(impl.commands().empty());
}

TEST_F(CommandStackTest, CommandsAreListedInRegistrationOrder) {
    const wchar_t* names[] = {L"Zeta", L"Alpha", L"Mu"};
    for (auto n : names) stack.addCommand(L"G", n, n, 0, modalCommand);
    auto cmds = impl.commands();
    ASSERT_EQ(cmds.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(cmds[i].globalName, names[i]);
}

TEST_F(CommandStackTest, LocalNameAndUnderscoreGlobalNameBothRunTheCommand) {
    stack.addCommand(L"G", L"VxThing", L"VXT", 0, modalCommand);
    EXPECT_EQ(runCommandLine(L"vxt"), RunResult::kRan);
    EXPECT_EQ(runCommandLine(L"_VXTHING"), RunResult::kRan);
    EXPECT_EQ(runCommandLine(L"VxThing"), RunResult::kUnknown);  // global names need "_"
    EXPECT_EQ(g_calls.size(), 2u);
}

TEST_F(CommandStackTest, OnlyTransparentCommandsRunFromInsideAPrompt) {
    stack.addCommand(L"G", L"Outer", L"OUTER", 0, outerCommand);
    stack.addCommand(L"G", L"Trans", L"TR", ACRX_CMD_TRANSPARENT, transparentCommand);
    stack.addCommand(L"G", L"Modal", L"MO", 0, modalCommand);
    answers({L"'MO", L"'TR", L"1,2"});
    EXPECT_EQ(runCommandLine(L"OUTER"), RunResult::kRan);
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"outer:start", L"t:transparent", L"outer:point"}));
    EXPECT_NE(transcript.find(L"may not be invoked transparently"), std::wstring::npos);
    EXPECT_EQ(unusable(), 1);
    // At the command prompt the same command is not transparent.
    g_calls.clear();
    EXPECT_EQ(runCommandLine(L"TR"), RunResult::kRan);
    EXPECT_EQ(g_calls, std::vector<std::wstring>{L"t:plain"});
}

TEST_F(CommandStackTest, TransparentCommandsNestOnlyAFewDeep) {
    // A script of thousands of nested "'" lines once ended in a stack overflow.
    stack.addCommand(L"G", L"Nest", L"NEST", ACRX_CMD_TRANSPARENT, nestingCommand);
    std::vector<std::wstring> lines(3900, L"'NEST");
    for (int i = 0; i <= kMaxTransparentDepth; ++i) lines.push_back(L"1,1");
    answers(lines);
    EXPECT_EQ(runCommandLine(L"NEST"), RunResult::kRan);
    // The outer command and as many transparent ones as the limit allows each got their point.
    EXPECT_EQ(g_calls, std::vector<std::wstring>(kMaxTransparentDepth + 1, L"nest:point"));
    EXPECT_EQ(unusable(), 3900 - kMaxTransparentDepth);
    EXPECT_NE(transcript.find(L"** Transparent commands may be nested only 4 deep **"), std::wstring::npos);
    EXPECT_FALSE(acedIsTransparent());
}

TEST_F(CommandStackTest, PostedCommandsRunBeforeTheRestOfTheInput) {
    stack.addCommand(L"G", L"Modal", L"MO", 0, modalCommand);
    answers({L"UNKNOWNCMD"});
    acedPostCommand(L"MO\n");
    EXPECT_EQ(runCommandLoop(), 1);  // the unknown line counts, the posted one ran first
    EXPECT_EQ(g_calls, std::vector<std::wstring>{L"modal"});
    EXPECT_LT(transcript.find(L"MO"), transcript.find(L"UNKNOWNCMD"));
}

TEST_F(CommandStackTest, EndOfInputCancelsThePromptAndEndsTheLoop) {
    stack.addCommand(L"G", L"Outer", L"OUTER", 0, outerCommand);
    answers({L"OUTER"});
    EXPECT_EQ(runCommandLoop(), 0);
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"outer:start", L"outer:cancel"}));
}

}  // namespace
}  // namespace vx::editor::test
