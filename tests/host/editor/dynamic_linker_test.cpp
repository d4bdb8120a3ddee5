#include <gtest/gtest.h>

#include <cwctype>

#include "editor/command_loop.h"
#include "editor/command_stack.h"
#include "editor/dynamic_linker.h"
#include "editor_fixture.h"

namespace vx::editor::test {
namespace {

class DynamicLinkerTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        commandStack().clear();
    }
    void TearDown() override {
        dynamicLinker().unloadAll();
        commandStack().clear();
        EditorTest::TearDown();
    }
    DynamicLinker& linker = dynamicLinker();
};

TEST_F(DynamicLinkerTest, LoadRunsInitAndUnloadRemovesTheCommands) {
    ASSERT_TRUE(linker.loadModule(VX_MOD_PLAIN, true, false));
    ASSERT_EQ(linker.modules().size(), 1u);
    EXPECT_TRUE(linker.modules()[0]->unlocked);
    EXPECT_TRUE(linker.modules()[0]->mdiAware);
    EXPECT_EQ(runCommandLine(L"HELLO_plain"), RunResult::kRan);
    EXPECT_NE(transcript.find(L"hello from plain"), std::wstring::npos);
    EXPECT_TRUE(linker.loadModule(VX_MOD_PLAIN, true, false));  // already loaded: no second copy
    EXPECT_EQ(linker.modules().size(), 1u);
    ASSERT_TRUE(linker.unloadModule(L"vx_mod_plain.arx", true, false));
    EXPECT_TRUE(linker.modules().empty());
    EXPECT_EQ(runCommandLine(L"HELLO_plain"), RunResult::kUnknown);
}

TEST_F(DynamicLinkerTest, AWindowsStylePathFindsTheModuleWhateverTheCase) {
    // As an office's script names it: backslashes, the file name in capitals.
    std::wstring windows = VX_MOD_PLAIN;
    const size_t slash = windows.rfind(L'/');
    for (size_t i = slash + 1; i < windows.size(); ++i) windows[i] = static_cast<wchar_t>(std::towupper(windows[i]));
    for (auto& c : windows)
        if (c == L'/') c = L'\\';
    ASSERT_TRUE(linker.loadModule(windows.c_str(), true, false)) << linker.lastError();
    ASSERT_EQ(linker.modules().size(), 1u);
    EXPECT_EQ(std::wstring(VX_MOD_PLAIN), linker.modules()[0]->path);
    EXPECT_TRUE(linker.loadModule(VX_MOD_PLAIN, true, false));  // the same file: no second copy
    EXPECT_EQ(linker.modules().size(), 1u);
}

TEST_F(DynamicLinkerTest, ALockedModuleStaysLoaded) {
    ASSERT_TRUE(linker.loadModule(VX_MOD_LOCKED, true, false));
    EXPECT_FALSE(linker.unloadModule(L"vx_mod_locked.arx", true, false));
    EXPECT_NE(transcript.find(L"is locked and cannot be unloaded"), std::wstring::npos);
    EXPECT_EQ(runCommandLine(L"HELLO_locked"), RunResult::kRan);
    EXPECT_TRUE(linker.isApplicationLocked(L"vx_mod_locked.arx"));
}

TEST_F(DynamicLinkerTest, ARefusingModuleIsUnloadedAndLeavesNoCommandBehind) {
    EXPECT_FALSE(linker.loadModule(VX_MOD_REFUSE, true, false));
    EXPECT_TRUE(linker.modules().empty());
    EXPECT_TRUE(commandStack().commands().empty());
    EXPECT_NE(linker.lastError().find(L"did not initialise"), std::wstring::npos);
}

TEST_F(DynamicLinkerTest, FilesThatAreNotModulesAreReportedWithTheReason) {
    EXPECT_FALSE(linker.loadModule(L"/nonexistent/x.arx", true, false));
    EXPECT_NE(linker.lastError().find(L"Unable to load /nonexistent/x.arx"), std::wstring::npos);
    EXPECT_FALSE(linker.loadModule(VX_MOD_NOVERSION, true, false));
    EXPECT_NE(linker.lastError().find(L"no acrxGetApiVersion"), std::wstring::npos);
    EXPECT_FALSE(linker.loadModule(VX_MOD_OLDVERSION, true, false));
    EXPECT_NE(linker.lastError().find(L"API version 17"), std::wstring::npos);
    EXPECT_TRUE(linker.modules().empty());
    EXPECT_FALSE(linker.unloadModule(L"never.arx", true, false));
}

}  // namespace
}  // namespace vx::editor::test
