// The test double's time zone: the other tests rely on its summer-time rules.
#include <gtest/gtest.h>

#include "support/fake_zone.h"

namespace {

LocalTime fields(int year, int month, int day, int hour, int minute, int second)
{
    LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

TEST(FakeZone, WinterIsOneHourAndSummerTwoHoursAheadOfUtc)
{
    // 1998-01-05 06:05:00 UTC and 1998-07-05 05:05:00 UTC.
    LocalTime local;
    ASSERT_TRUE(fake_zone::toLocal(883980300, local));
    EXPECT_EQ(local.hour, 7);
    EXPECT_EQ(local.dayOfWeek, 1);
    ASSERT_TRUE(fake_zone::toLocal(899615100, local));
    EXPECT_EQ(local.hour, 7);
    EXPECT_EQ(fake_zone::fromLocal(fields(1998, 1, 5, 7, 5, 0)), 883980300);
    EXPECT_EQ(fake_zone::fromLocal(fields(1998, 7, 5, 7, 5, 0)), 899615100);
}

TEST(FakeZone, SpringGapLandsOneHourLaterAndAutumnOverlapTakesTheFirst)
{
    // 2026-03-29: clocks go from 02:00 to 03:00; 2026-10-25: from 03:00 to 02:00.
    LocalTime local;
    ASSERT_TRUE(fake_zone::toLocal(fake_zone::fromLocal(fields(2026, 3, 29, 2, 30, 0)), local));
    EXPECT_EQ(local.hour, 3);
    EXPECT_EQ(local.minute, 30);
    const Timestamp first = fake_zone::fromLocal(fields(2026, 10, 25, 2, 30, 0));
    ASSERT_TRUE(fake_zone::toLocal(first + 3600, local));
    EXPECT_EQ(local.hour, 2) << "the same wall time comes again an hour later";
}

TEST(FakeZone, FieldsCarryOverAndTheRangeEndsIn2038)
{
    EXPECT_EQ(fake_zone::fromLocal(fields(1998, 2, 31, 12, 0, 0)), fake_zone::fromLocal(fields(1998, 3, 3, 12, 0, 0)));
    EXPECT_EQ(fake_zone::fromLocal(fields(1998, 13, 1, 0, 0, 0)), fake_zone::fromLocal(fields(1999, 1, 1, 0, 0, 0)));
    EXPECT_EQ(fake_zone::fromLocal(fields(1969, 12, 31, 12, 0, 0)), INVALID_TIME);
    EXPECT_EQ(fake_zone::fromLocal(fields(2050, 1, 1, 0, 0, 0)), INVALID_TIME);
    LocalTime local;
    EXPECT_FALSE(fake_zone::toLocal(-1, local));
}

}  // namespace
