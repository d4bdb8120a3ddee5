// Reals stored as text in the template description.
#include "settings/decimal_text.h"

#include <gtest/gtest.h>

using vorlix::decimalReal;

TEST(DecimalReal, SignDigitsAndFractionUpToTheFirstOtherCharacter) {
    const std::pair<const wchar_t*, double> cases[] = {
        {L"2634.3290", 2634.329}, {L"-750", -750.0}, {L"+0.25", 0.25}, {L".5", 0.5}, {L"-.5", -0.5},
        {L"12.", 12.0},           {L"  3.5 ", 3.5},  {L"1.5.6", 1.5},  {L"100mm", 100.0}, {L"1e3", 1.0}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(decimalReal(text), value) << "for " << text;
}

TEST(DecimalReal, TextThatIsNotANumberGivesZero) {
    for (const wchar_t* text : {L"", L"abc", L".", L"-", L"+.", L"- 1", L"inf", L"nan", L"，5"})
        EXPECT_EQ(decimalReal(text), 0.0) << "for \"" << text << "\"";
}
