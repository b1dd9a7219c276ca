#include <gtest/gtest.h>

#include "scheduler/silence.h"

namespace {

constexpr int at(int hours, int minutes, int seconds)
{
    return hours * 3600 + minutes * 60 + seconds;
}

}  // namespace

TEST(SilenceTest, PeriodOverMidnightExcludesBothBounds)
{
    const SilencePeriod night{at(22, 0, 0), at(7, 0, 0)};
    EXPECT_FALSE(isSilent(night, at(22, 0, 0)));
    EXPECT_TRUE(isSilent(night, at(22, 0, 1)));
    EXPECT_TRUE(isSilent(night, at(23, 30, 0)));
    EXPECT_TRUE(isSilent(night, 0));
    EXPECT_TRUE(isSilent(night, at(6, 59, 59)));
    EXPECT_FALSE(isSilent(night, at(7, 0, 0)));
    EXPECT_FALSE(isSilent(night, at(12, 0, 0)));
}

TEST(SilenceTest, PeriodWithinOneDayExcludesBothBounds)
{
    const SilencePeriod day{at(9, 0, 0), at(17, 0, 0)};
    EXPECT_FALSE(isSilent(day, at(9, 0, 0)));
    EXPECT_TRUE(isSilent(day, at(9, 0, 1)));
    EXPECT_TRUE(isSilent(day, at(16, 59, 59)));
    EXPECT_FALSE(isSilent(day, at(17, 0, 0)));
    EXPECT_FALSE(isSilent(day, at(8, 59, 59)));
    EXPECT_FALSE(isSilent(day, at(23, 0, 0)));
}

TEST(SilenceTest, EqualBoundsAndMissingSettingSilenceNothing)
{
    const SilencePeriod equal{at(8, 0, 0), at(8, 0, 0)};
    const SilencePeriod unset;
    for (const int t : {0, at(7, 59, 59), at(8, 0, 0), at(8, 0, 1), at(23, 59, 59)}) {
        EXPECT_FALSE(isSilent(equal, t)) << t;
        EXPECT_FALSE(isSilent(unset, t)) << t;
    }
}

TEST(SilenceTest, HoursPastTheDayAreTakenModulo24)
{
    // 25:30:00 to 26:00:00 is 1:30:00 to 2:00:00.
    const SilencePeriod late{at(25, 30, 0), at(26, 0, 0)};
    EXPECT_TRUE(isSilent(late, at(1, 45, 0)));
    EXPECT_FALSE(isSilent(late, at(1, 30, 0)));
    EXPECT_FALSE(isSilent(late, at(2, 30, 0)));
}
