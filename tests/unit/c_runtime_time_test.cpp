// Local-time conversions: the C runtime's, in the zone Europe/Berlin (UTC+1, summer time UTC+2) that the test runner
// sets in TZ, and the test double's zone, which keeps the same rules so that the other tests may rely on them.
#include <gtest/gtest.h>

#include <limits>

#include "platform/c_runtime_time.h"
#include "support/fake_zone.h"

namespace {

constexpr Timestamp WINTER = 883999800;  // 1998-01-05 11:30:00 UTC, a Monday
constexpr Timestamp LAST = std::numeric_limits<Timestamp>::max();
constexpr Timestamp SPRING = 1616889600, AUTUMN = 1635638400;  // 2021-03-28 and 2021-10-31 00:00:00 UTC

const struct Zone {
    const char* name;
    bool (*toLocal)(Timestamp, LocalTime&);
    Timestamp (*fromLocal)(const LocalTime&);
} ZONES[] = {{"C runtime", c_runtime_time::toLocal, c_runtime_time::fromLocal},
             {"test double", [](Timestamp t, LocalTime& out) { return fake_zone::toLocal(t, out); },
              [](const LocalTime& fields) { return fake_zone::fromLocal(fields); }}};

}  // namespace

TEST(CRuntimeTimeTest, LocalFieldsOfInstantsAndBackAcrossTheSpringGapAndTheAutumnOverlap)
{
    EXPECT_GT(c_runtime_time::now(), 1600000000);
    const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    for (const Zone& zone : ZONES) {
        LocalTime f, l;
        ASSERT_TRUE(zone.toLocal(WINTER, f) && f.hour == 12) << zone.name << ": run the tests with TZ=Europe/Berlin";
        EXPECT_TRUE(f.dayOfWeek == 1 && f.minute == 30 && zone.toLocal(LAST, l) && l.year == 2038 && l.hour == 4 &&
                    l.minute == 14 && l.second == 7)
            << zone.name;
        EXPECT_FALSE(zone.toLocal(INVALID_TIME, f) || zone.toLocal(INT32_MIN, f)) << zone.name;
        const std::pair<LocalTime, Timestamp> cases[] = {
            {LocalTime{1998, 1, 5, 12, 30}, WINTER},
            {LocalTime{2000, 7, 1, 14}, 962452800},  // summer time
            {LocalTime{1970, 1, 1, 1}, 0},
            {LocalTime{2038, 1, 19, 4, 14, 7}, LAST},
            {LocalTime{1998, 2, 31, 12}, 888922800},               // fields carry over: 3 March
            {LocalTime{1998, 0, 5, 12, 30}, WINTER - 31 * 86400},  // and back: 5 December 1997
            {LocalTime{1999, -11, 5, 12, 30}, WINTER},             // and back a whole year
            {LocalTime{1970, 1, 1, 0, 59, 59}, INVALID_TIME},
            {LocalTime{2038, 1, 19, 4, 14, 8}, INVALID_TIME},
            {LocalTime{big, big, big, big, big, big}, INVALID_TIME},
            {LocalTime{small, small, small, small, small, small}, INVALID_TIME}};
        for (const auto& [fields, instant] : cases)
            EXPECT_EQ(zone.fromLocal(fields), instant)
                << zone.name << " " << fields.year << "-" << fields.month << "-" << fields.day;
        // 02:30 does not exist on 28 March 2021: it is 03:30, an hour later than 01:30, never 01:30 itself.
        EXPECT_EQ(zone.fromLocal(LocalTime{2021, 3, 28, 2, 30}), SPRING + 5400) << zone.name;
        EXPECT_EQ(zone.fromLocal(LocalTime{2021, 3, 28, 2, 0}), SPRING + 3600) << zone.name;
        // 02:30 exists twice on 31 October 2021: either may be taken (the
        // test double takes the first); both read back as 02:30.
        const Timestamp overlap = zone.fromLocal(LocalTime{2021, 10, 31, 2, 30});
        EXPECT_TRUE(overlap == AUTUMN + 1800 ||
                    (zone.fromLocal == c_runtime_time::fromLocal && overlap == AUTUMN + 5400))
            << zone.name << " " << overlap;
        for (const Timestamp twice : {AUTUMN + 1800, AUTUMN + 5400})
            EXPECT_TRUE(zone.toLocal(twice, f) && f.hour == 2 && f.minute == 30) << zone.name;
        // Around the change every existing half hour of local time maps one to one.
        for (Timestamp t = SPRING - 7200; t <= SPRING + 4 * 3600; t += 1800)
            EXPECT_TRUE(zone.toLocal(t, f) && zone.fromLocal(f) == t) << zone.name << " " << t;
    }
}
