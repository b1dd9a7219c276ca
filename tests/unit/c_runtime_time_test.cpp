// The C runtime's clock and local-time conversions, run in the zone
// Europe/Berlin (UTC+1, summer time UTC+2), which the test runner sets in TZ.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>

#include "platform/c_runtime_time.h"

namespace {

constexpr Timestamp WINTER_NOON_UTC = 883999800;      // 1998-01-05 11:30:00 UTC
constexpr Timestamp SUMMER_NOON_UTC = 962452800;      // 2000-07-01 12:00:00 UTC
constexpr Timestamp SPRING_GAP_DAY = 1616889600;      // 2021-03-28 00:00:00 UTC
constexpr Timestamp AUTUMN_OVERLAP_DAY = 1635638400;  // 2021-10-31 00:00:00 UTC

LocalTime local(int year, int month, int day, int hour, int minute, int second)
{
    LocalTime fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return fields;
}

// The tests need the zone of Europe/Berlin; anything else fails every test
// with the reason instead of a puzzle of wrong hours.
class CRuntimeTimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* zone = std::getenv("TZ");
        LocalTime winter;
        LocalTime summer;
        const bool berlin = c_runtime_time::toLocal(WINTER_NOON_UTC, winter) && winter.hour == 12 &&
            c_runtime_time::toLocal(SUMMER_NOON_UTC, summer) && summer.hour == 14;
        ASSERT_TRUE(berlin) << "the time zone Europe/Berlin is not in effect (TZ=" << (zone != nullptr ? zone : "unset")
                            << "): run the tests with TZ=Europe/Berlin";
    }
};

}  // namespace

TEST_F(CRuntimeTimeTest, LocalFieldsOfInstants)
{
    LocalTime fields;
    ASSERT_TRUE(c_runtime_time::toLocal(0, fields));
    EXPECT_EQ(fields.year, 1970);
    EXPECT_EQ(fields.month, 1);
    EXPECT_EQ(fields.day, 1);
    EXPECT_EQ(fields.hour, 1);
    EXPECT_EQ(fields.dayOfWeek, 4);

    ASSERT_TRUE(c_runtime_time::toLocal(WINTER_NOON_UTC, fields));
    EXPECT_EQ(fields.dayOfWeek, 1);
    EXPECT_EQ(fields.minute, 30);

    ASSERT_TRUE(c_runtime_time::toLocal(std::numeric_limits<Timestamp>::max(), fields));
    EXPECT_EQ(fields.year, 2038);
    EXPECT_EQ(fields.hour, 4);
    EXPECT_EQ(fields.minute, 14);
    EXPECT_EQ(fields.second, 7);

    EXPECT_FALSE(c_runtime_time::toLocal(INVALID_TIME, fields));
    EXPECT_FALSE(c_runtime_time::toLocal(std::numeric_limits<Timestamp>::min(), fields));
}

TEST_F(CRuntimeTimeTest, LocalFieldsBuildInstantsInBothSeasons)
{
    EXPECT_EQ(c_runtime_time::fromLocal(local(1998, 1, 5, 12, 30, 0)), WINTER_NOON_UTC);
    EXPECT_EQ(c_runtime_time::fromLocal(local(2000, 7, 1, 14, 0, 0)), SUMMER_NOON_UTC);
    EXPECT_EQ(c_runtime_time::fromLocal(local(1970, 1, 1, 1, 0, 0)), 0);
    EXPECT_EQ(c_runtime_time::fromLocal(local(2038, 1, 19, 4, 14, 7)), std::numeric_limits<Timestamp>::max());
}

TEST_F(CRuntimeTimeTest, OutOfRangeFieldsCarryOver)
{
    const Timestamp march3 = c_runtime_time::fromLocal(local(1998, 3, 3, 12, 0, 0));
    EXPECT_EQ(c_runtime_time::fromLocal(local(1998, 2, 31, 12, 0, 0)), march3);
    EXPECT_EQ(c_runtime_time::fromLocal(local(1998, 3, 2, 36, 0, 0)), march3);
    EXPECT_EQ(c_runtime_time::fromLocal(local(1998, 3, 3, 11, 60, 0)), march3);
    EXPECT_EQ(c_runtime_time::fromLocal(local(1997, 15, 3, 12, 0, 0)), march3);
    EXPECT_EQ(c_runtime_time::fromLocal(local(1998, 1, 0, 0, 0, 0)),
              c_runtime_time::fromLocal(local(1997, 12, 31, 0, 0, 0)));
    EXPECT_EQ(c_runtime_time::fromLocal(local(1998, 0, 5, 0, 0, 0)),
              c_runtime_time::fromLocal(local(1997, 12, 5, 0, 0, 0)));
}

TEST_F(CRuntimeTimeTest, InstantsOutsideThirtyTwoBitsAreInvalid)
{
    EXPECT_EQ(c_runtime_time::fromLocal(local(1970, 1, 1, 0, 59, 59)), INVALID_TIME);
    EXPECT_EQ(c_runtime_time::fromLocal(local(1969, 12, 31, 12, 0, 0)), INVALID_TIME);
    EXPECT_EQ(c_runtime_time::fromLocal(local(1900, 1, 1, 0, 0, 0)), INVALID_TIME);
    EXPECT_EQ(c_runtime_time::fromLocal(local(2038, 1, 19, 4, 14, 8)), INVALID_TIME);
    EXPECT_EQ(c_runtime_time::fromLocal(local(2050, 1, 5, 0, 0, 0)), INVALID_TIME);
    EXPECT_EQ(c_runtime_time::fromLocal(local(3898, 1, 5, 7, 5, 0)), INVALID_TIME);
    const int big = std::numeric_limits<int>::max();
    EXPECT_EQ(c_runtime_time::fromLocal(local(big, big, big, big, big, big)), INVALID_TIME);
    const int small = std::numeric_limits<int>::min();
    EXPECT_EQ(c_runtime_time::fromLocal(local(small, small, small, small, small, small)), INVALID_TIME);
}

TEST_F(CRuntimeTimeTest, DaylightSavingChangesGiveNearbyInstants)
{
    // 02:30 does not exist on 28 March 2021; the runtimes differ in which
    // side they take, but both land on one of the two readings.
    const Timestamp gap = c_runtime_time::fromLocal(local(2021, 3, 28, 2, 30, 0));
    EXPECT_TRUE(gap == SPRING_GAP_DAY + 1800 || gap == SPRING_GAP_DAY + 5400) << gap;
    LocalTime fields;
    ASSERT_TRUE(c_runtime_time::toLocal(gap, fields));
    EXPECT_EQ(fields.day, 28);
    EXPECT_TRUE(fields.hour == 1 || fields.hour == 3) << fields.hour;

    // 02:30 exists twice on 31 October 2021: either one is fine, and it
    // reads back as 02:30.
    const Timestamp overlap = c_runtime_time::fromLocal(local(2021, 10, 31, 2, 30, 0));
    EXPECT_TRUE(overlap == AUTUMN_OVERLAP_DAY + 1800 || overlap == AUTUMN_OVERLAP_DAY + 5400) << overlap;
    ASSERT_TRUE(c_runtime_time::toLocal(overlap, fields));
    EXPECT_EQ(fields.hour, 2);
    EXPECT_EQ(fields.minute, 30);

    // Around the change every whole hour of local time maps one to one.
    for (Timestamp t = SPRING_GAP_DAY - 7200; t <= SPRING_GAP_DAY + 4 * 3600; t += 1800) {
        ASSERT_TRUE(c_runtime_time::toLocal(t, fields));
        EXPECT_EQ(c_runtime_time::fromLocal(fields), t);
    }
}

TEST_F(CRuntimeTimeTest, NowIsAPresentDayInstant)
{
    const Timestamp now = c_runtime_time::now();
    EXPECT_GT(now, 1600000000);
    LocalTime fields;
    EXPECT_TRUE(c_runtime_time::toLocal(now, fields));
}
