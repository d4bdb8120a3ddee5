// Status texts: every status has its own name, and the values modules were built with stay.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "acadstrc.h"

namespace {

TEST(ErrorStatus, EveryStatusHasItsOwnName) {
    std::set<std::wstring> seen;
    for (int i = Acad::eOk; i <= Acad::eUnsupportedFileFormat; ++i) {
        const std::wstring name = acadErrorStatusText(static_cast<Acad::ErrorStatus>(i));
        EXPECT_EQ(L'e', name[0]) << i;
        EXPECT_NE(L"eUnknownStatus", name) << i;
        EXPECT_TRUE(seen.insert(name).second) << "twice: " << std::string(name.begin(), name.end());
    }
    EXPECT_STREQ(L"eFileAccessErr", acadErrorStatusText(Acad::eFileAccessErr));
    EXPECT_STREQ(L"eUnknownStatus", acadErrorStatusText(static_cast<Acad::ErrorStatus>(Acad::eUnsupportedFileFormat + 1)));
}

TEST(ErrorStatus, ValuesAreThoseModulesWereBuiltWith) {
    EXPECT_EQ(0, Acad::eOk);
    EXPECT_EQ(3, Acad::eInvalidInput);
    EXPECT_EQ(26, Acad::eOutOfDisk);
    EXPECT_EQ(45, Acad::eNotThatKindOfClass);
    EXPECT_EQ(69, Acad::eFileAccessErr);
    EXPECT_EQ(70, Acad::eFileNotFound);
    EXPECT_EQ(75, Acad::eWasErased);
    EXPECT_EQ(128, Acad::eUnsupportedFileFormat);
}

}  // namespace
