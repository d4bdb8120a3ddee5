#include <gtest/gtest.h>

#include "acutads.h"
#include "editor/wide_format.h"
#include "editor_fixture.h"

namespace vx::editor::test {
namespace {

TEST(WideFormat, HomePlatformSpellingsBecomeThisLibrarysOnes) {
    EXPECT_EQ(toPosixWideFormat(L"%s|%c|%hs|%S|%ls|%ws"), L"%ls|%lc|%s|%s|%ls|%ls");
    EXPECT_EQ(toPosixWideFormat(L"%-10s %5.2f %I64d %d%%"), L"%-10ls %5.2f %lld %d%%");
    EXPECT_EQ(toPosixWideFormat(L"%n"), L"%%n");
}

class PrintfTest : public EditorTest {};

TEST_F(PrintfTest, WideStringsNumbersAndLongTextsArePrinted) {
    acutPrintf(L"\n%s=%d <%-4s>%c", L"图号", 42, L"ab", L'号');
    EXPECT_EQ(transcript, L"\n图号=42 <ab  >号");
    transcript.clear();
    std::wstring big(5000, L'x');
    acutPrintf(L"%s!", big.c_str());
    EXPECT_EQ(transcript, big + L"!");
}

TEST_F(PrintfTest, SPrintfCutsToTheBuffer) {
    ACHAR buf[6];
    EXPECT_EQ(acutSPrintf(buf, 6, L"%s-%d", L"AB", 1234), 5);
    EXPECT_STREQ(buf, L"AB-12");
    EXPECT_EQ(acutSPrintf(buf, 0, L"x"), -1);
}

}  // namespace
}  // namespace vx::editor::test
