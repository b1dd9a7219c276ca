// The whole numbers of dialog fields and the framework's messages for them.
#include <gtest/gtest.h>

#include "platform/number_text.h"

namespace {

TEST(NumberField, SignedNumbersMayHaveBlanksAround)
{
    int value = 0;
    EXPECT_TRUE(number_text::parseSigned(" -1 ", value));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(number_text::parseSigned("+42", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(number_text::parseSigned("-2147483648", value));
    EXPECT_EQ(value, -2147483647 - 1);
}

TEST(NumberField, AnythingElseIsRefusedAndLeavesTheValue)
{
    for (const char* text : {"", " ", "abc", "12a", "1 2", "-", "2147483648", "99999999999999999999", "0x10"}) {
        int value = 7;
        EXPECT_FALSE(number_text::parseSigned(text, value)) << text;
        EXPECT_EQ(value, 7) << text;
    }
}

TEST(NumberField, UnsignedRefusesASign)
{
    unsigned value = 0;
    EXPECT_TRUE(number_text::parseUnsigned(" 1998 ", value));
    EXPECT_EQ(value, 1998u);
    EXPECT_TRUE(number_text::parseUnsigned("4294967295", value));
    EXPECT_FALSE(number_text::parseUnsigned("-5", value));
    EXPECT_FALSE(number_text::parseUnsigned("4294967296", value));
}

TEST(NumberField, RangeMessageNamesTheBounds)
{
    EXPECT_EQ(number_text::rangeMessage(1900, 3000), "Please enter an integer between 1900 and 3000.");
    EXPECT_STREQ(number_text::ENTER_INTEGER, "Please enter an integer.");
    EXPECT_STREQ(number_text::ENTER_POSITIVE_INTEGER, "Please enter a positive integer.");
}

}  // namespace
