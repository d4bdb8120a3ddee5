#include "update/version_answer.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

using Fields = std::vector<std::wstring>;

TEST(VersionAnswer, NoUpdateForFailuresMinusOneZeroAndGarbage) {
    for (const char* body : {"-1", "0", "0\r\n", " -1 ", "\x01\x02&x", "a\tb"})
        EXPECT_FALSE(interpretAnswer(0, body).update) << body;
    EXPECT_FALSE(interpretAnswer(1, "\"a.zip\"&\"2.4\"").update) << "a failed request";
    EXPECT_FALSE(interpretAnswer(2, "\"a.zip\"&\"2.4\"").update) << "a timed-out request";
    VersionAnswer empty = interpretAnswer(0, "");
    EXPECT_TRUE(empty.update);
    EXPECT_TRUE(empty.fields.empty()) << "an empty answer has no field, so nothing is offered";
}

TEST(VersionAnswer, QuotedFieldsJoinedByAmpersandsBecomeTheUpdatersParameters) {
    VersionAnswer a = interpretAnswer(0, "\"a.zip\"&\"2.4\"&\"1\"");
    ASSERT_TRUE(a.update);
    EXPECT_EQ(a.fields, (Fields{L"a.zip", L"2.4", L"1"}));
    EXPECT_EQ(updaterParameters(a.fields), L"a.zip 2.4") << "one-character fields are left out";
    VersionAnswer single = interpretAnswer(0, "only.zip");
    EXPECT_EQ(single.fields, (Fields{L"only.zip"}));
    EXPECT_EQ(updaterParameters(single.fields), L"only.zip");
    EXPECT_EQ(interpretAnswer(0, "a&&bc&").fields, (Fields{L"a", L"", L"bc"}));
    EXPECT_EQ(updaterParameters({L"x", L"", L"y", L"zz"}), L"x zz") << "field 0 is kept whatever its length";
    EXPECT_EQ(updaterParameters({}), L"");
    // The body is in the ANSI code page (GBK here).
    EXPECT_EQ(interpretAnswer(0, "\xC9\xFD\xBC\xB6.zip").fields, (Fields{L"升级.zip"}));
}

TEST(VersionAnswer, TheQueryAsksAboutThisVersion) {
    EXPECT_EQ(versionQueryAddress(L"http://127.0.0.1:8080/"), L"http://127.0.0.1:8080/Vorlix/GetVersionInfo?Verson=2.3");
}

}  // namespace
}  // namespace vorlix
