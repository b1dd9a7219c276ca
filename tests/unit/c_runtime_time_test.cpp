// The C runtime's clock and local-time conversions, in the zone
// Europe/Berlin (UTC+1, summer time UTC+2) that the test runner sets in TZ.
#include <gtest/gtest.h>

#include <limits>

#include "platform/c_runtime_time.h"

namespace {

constexpr Timestamp WINTER = 883999800;  // 1998-01-05 11:30:00 UTC, a Monday
constexpr Timestamp LAST = std::numeric_limits<Timestamp>::max();
constexpr Timestamp SPRING = 1616889600, AUTUMN = 1635638400;  // 2021-03-28 and 2021-10-31 00:00:00 UTC

}  // namespace

TEST(CRuntimeTimeTest, LocalFieldsOfInstantsAndBack)
{
    LocalTime f;
    ASSERT_TRUE(c_runtime_time::toLocal(WINTER, f) && f.hour == 12) << "run the tests with TZ=Europe/Berlin";
    EXPECT_TRUE(f.dayOfWeek == 1 && f.minute == 30 && c_runtime_time::now() > 1600000000);
    ASSERT_TRUE(c_runtime_time::toLocal(LAST, f));
    EXPECT_TRUE(f.year == 2038 && f.hour == 4 && f.minute == 14 && f.second == 7);
    EXPECT_FALSE(c_runtime_time::toLocal(INVALID_TIME, f) || c_runtime_time::toLocal(INT32_MIN, f));

    const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    const Timestamp march3 = c_runtime_time::fromLocal(LocalTime{1998, 3, 3, 12});
    const std::pair<LocalTime, Timestamp> cases[] = {
        {LocalTime{1998, 1, 5, 12, 30}, WINTER},
        {LocalTime{2000, 7, 1, 14}, 962452800},  // summer time
        {LocalTime{1970, 1, 1, 1}, 0},
        {LocalTime{2038, 1, 19, 4, 14, 7}, LAST},
        {LocalTime{1998, 2, 31, 12}, march3},  // fields carry over
        {LocalTime{1970, 1, 1, 0, 59, 59}, INVALID_TIME},
        {LocalTime{2038, 1, 19, 4, 14, 8}, INVALID_TIME},
        {LocalTime{big, big, big, big, big, big}, INVALID_TIME},
        {LocalTime{small, small, small, small, small, small}, INVALID_TIME}};
    for (const auto& [fields, instant] : cases)
        EXPECT_EQ(c_runtime_time::fromLocal(fields), instant)
            << fields.year << "-" << fields.month << "-" << fields.day;
}

TEST(CRuntimeTimeTest, SpringGapIsCrossedForwardAndAutumnOverlapReadsBack)
{
    // 02:30 does not exist on 28 March 2021: it is 03:30, an hour later
    // than 01:30, never 01:30 itself.
    EXPECT_EQ(c_runtime_time::fromLocal(LocalTime{2021, 3, 28, 2, 30}), SPRING + 5400);
    EXPECT_EQ(c_runtime_time::fromLocal(LocalTime{2021, 3, 28, 2, 0}), SPRING + 3600);
    // 02:30 exists twice on 31 October 2021: either one reads back as 02:30.
    const Timestamp overlap = c_runtime_time::fromLocal(LocalTime{2021, 10, 31, 2, 30});
    LocalTime f;
    EXPECT_TRUE(overlap == AUTUMN + 1800 || overlap == AUTUMN + 5400) << overlap;
    EXPECT_TRUE(c_runtime_time::toLocal(overlap, f) && f.hour == 2 && f.minute == 30);
    // Around the change every existing half hour of local time maps one to one.
    for (Timestamp t = SPRING - 7200; t <= SPRING + 4 * 3600; t += 1800)
        EXPECT_TRUE(c_runtime_time::toLocal(t, f) && c_runtime_time::fromLocal(f) == t) << t;
}
