// The whole numbers of dialog fields and the framework's messages for them.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/number_text.h"

TEST(NumberText, SignedAndUnsignedNumbersMayHaveBlanksAroundAndNothingElse)
{
    // A text, whether it reads as a signed and as an unsigned number, and the number; a refused text leaves the value.
    // clang-format off
    const std::tuple<const char*, bool, bool, long long> rows[] = {
        {" -1 ", true, false, -1}, {"+42", true, true, 42}, {" 1970 ", true, true, 1970},
        {"-2147483648", true, false, -2147483648LL}, {"2147483648", false, true, 2147483648LL},
        {"4294967295", false, true, 4294967295LL}, {"", false, false, 7}, {" ", false, false, 7},
        {"abc", false, false, 7}, {"12a", false, false, 7}, {"1 2", false, false, 7}, {"-", false, false, 7},
        {"0x10", false, false, 7}, {"4294967296", false, false, 7}, {"99999999999999999999", false, false, 7}};
    // clang-format on
    for (const auto& [text, isSigned, isUnsigned, value] : rows) {
        int signedValue = 7;
        unsigned unsignedValue = 7;
        EXPECT_EQ(number_text::parseSigned(text, signedValue), isSigned) << text;
        EXPECT_EQ(number_text::parseUnsigned(text, unsignedValue), isUnsigned) << text;
        EXPECT_EQ(signedValue, isSigned ? value : 7) << text;
        EXPECT_EQ(unsignedValue, isUnsigned ? value : 7) << text;
    }
    EXPECT_EQ(number_text::rangeMessage(1900, 3000), "Please enter an integer between 1900 and 3000.");
}
