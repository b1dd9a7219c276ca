// The whole numbers of dialog fields and the framework's messages for them.
#include <gtest/gtest.h>

#include "platform/number_text.h"

namespace {

TEST(NumberText, SignedAndUnsignedNumbersMayHaveBlanksAroundAndNothingElse)
{
    const struct {
        const char* text;
        bool isSigned, isUnsigned;
        long long value;
    } rows[] = {
        {" -1 ", true, false, -1},
        {"+42", true, true, 42},
        {" 1998 ", true, true, 1998},
        {"-2147483648", true, false, -2147483648LL},
        {"4294967295", false, true, 4294967295LL},
        {"", false, false, 0},
        {" ", false, false, 0},
        {"abc", false, false, 0},
        {"12a", false, false, 0},
        {"1 2", false, false, 0},
        {"-", false, false, 0},
        {"0x10", false, false, 0},
        {"2147483648", false, true, 2147483648LL},
        {"4294967296", false, false, 0},
        {"99999999999999999999", false, false, 0},
    };
    for (const auto& row : rows) {
        int signedValue = 7;
        unsigned unsignedValue = 7;
        EXPECT_EQ(number_text::parseSigned(row.text, signedValue), row.isSigned) << row.text;
        EXPECT_EQ(number_text::parseUnsigned(row.text, unsignedValue), row.isUnsigned) << row.text;
        EXPECT_EQ(signedValue, row.isSigned ? row.value : 7) << row.text;  // a refused text leaves the value
        EXPECT_EQ(unsignedValue, row.isUnsigned ? row.value : 7) << row.text;
    }
    EXPECT_EQ(number_text::rangeMessage(1900, 3000), "Please enter an integer between 1900 and 3000.");
}

}  // namespace
