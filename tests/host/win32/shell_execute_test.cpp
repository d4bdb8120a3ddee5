// Starting a program: its own argument vector split by the Windows rules, no shell, and the
// failures a missing or unrunnable file gives.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "shellapi.h"
#include "temp_folder.h"
#include "win32/command_line_args.h"
#include "winuser.h"

namespace {

using vx::test::TempFolder;
using vx::win32::splitCommandLine;

intptr_t code(HINSTANCE h) { return reinterpret_cast<intptr_t>(h); }

// A program that writes its working folder and arguments, one per line, to `out`.
void recorder(const TempFolder& dir, const std::string& name, const std::string& out) {
    dir.write(name, "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" + out + ".part'\nmv '" +
                        out + ".part' '" + out + "'\n");
    ASSERT_EQ(0, chmod(dir.native(name).c_str(), 0755));
}

std::string waitFor(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(path);
        if (in) {
            std::stringstream s;
            s << in.rdbuf();
            return s.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return "(never written)";
}

TEST(CommandLine, TheWindowsRulesSplitArguments) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ((V{L"a.zip", L"2.4"}), splitCommandLine(L"a.zip 2.4"));
    EXPECT_EQ((V{L"a b", L"c"}), splitCommandLine(L"  \"a b\"\tc  "));
    EXPECT_EQ((V{L""}), splitCommandLine(L"\"\""));
    EXPECT_EQ((V{L"a\\\"b"}), splitCommandLine(L"a\\\\\\\"b"));
    EXPECT_EQ((V{L"a\\", L"b"}), splitCommandLine(L"\"a\\\\\" b"));
    EXPECT_EQ((V{L"C:\\dir\\x", L"say \"hi\""}), splitCommandLine(L"C:\\dir\\x \"say \"\"hi\"\"\""));
    EXPECT_EQ((V{L"$(rm", L"-rf", L"x);`id`"}), splitCommandLine(L"$(rm -rf x);`id`"));
    EXPECT_TRUE(splitCommandLine(L"   ").empty());
}

TEST(ShellExecute, TheProgramGetsEachParameterAsItsOwnArgumentAndNoShellSeesThem) {
    TempFolder dir;
    recorder(dir, "updatesoft.exe", dir.native("args.txt"));
    const HINSTANCE started = ShellExecuteW(nullptr, L"open", dir.windows("updatesoft.exe").c_str(),
                                            L"a.zip 2.4 \"two words\" $(touch${IFS}pwned);x", dir.windows("").c_str(),
                                            SW_SHOWNORMAL);
    ASSERT_GT(code(started), 32);
    EXPECT_EQ(dir.path() + "\na.zip\n2.4\ntwo words\n$(touch${IFS}pwned);x\n", waitFor(dir.native("args.txt")));
    EXPECT_NE(0, access(dir.native("pwned").c_str(), F_OK));
}

TEST(ShellExecute, FilesThatCannotRunAreRefusedWithTheirReason) {
    TempFolder dir;
    dir.write("doc.txt", "text");
    dir.write("prog", "#!/bin/sh\n");
    ASSERT_EQ(0, chmod(dir.native("prog").c_str(), 0755));
    EXPECT_EQ(SE_ERR_FNF, code(ShellExecuteW(nullptr, L"open", dir.windows("updatesoft.exe").c_str(), L"", nullptr, 1)));
    EXPECT_EQ(SE_ERR_PNF, code(ShellExecuteW(nullptr, L"open", dir.windows("no\\x.exe").c_str(), L"", nullptr, 1)));
    EXPECT_EQ(SE_ERR_NOASSOC, code(ShellExecuteW(nullptr, L"open", dir.windows("doc.txt").c_str(), nullptr, nullptr, 1)));
    EXPECT_EQ(SE_ERR_NOASSOC, code(ShellExecuteW(nullptr, L"open", dir.windows("").c_str(), nullptr, nullptr, 1)));
    EXPECT_EQ(SE_ERR_NOASSOC, code(ShellExecuteW(nullptr, L"print", dir.windows("prog").c_str(), nullptr, nullptr, 1)));
    EXPECT_EQ(SE_ERR_PNF, code(ShellExecuteW(nullptr, nullptr, dir.windows("prog").c_str(), nullptr,
                                             dir.windows("missing").c_str(), 1)));
    dir.write("binary.exe", std::string("\x7f" "ELF garbage", 12));
    ASSERT_EQ(0, chmod(dir.native("binary.exe").c_str(), 0755));
    EXPECT_EQ(ERROR_BAD_FORMAT, code(ShellExecuteW(nullptr, L"open", dir.windows("binary.exe").c_str(), nullptr, nullptr, 1)));
}

}  // namespace
