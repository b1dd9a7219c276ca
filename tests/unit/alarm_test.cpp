// The alarm record: copies, the list order, and what a firing does to its time, repeat count and state.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "model/alarm.h"

namespace {

constexpr Timestamp NOON = 889963200;  // 1998-03-15 13:00:00 in the test zone (UTC+1)
constexpr Duration DAY = 86400;
constexpr Timestamp LAST = std::numeric_limits<Timestamp>::max();
constexpr std::int32_t IDLE = ALARM_STATE_IDLE, ARMED = ALARM_STATE_ARMED;

Alarm armed(std::uint32_t flags, Duration interval = 0, std::int32_t count = -1, Timestamp time = NOON)
{
    Alarm alarm(time);
    alarm.flags = flags, alarm.state = ARMED, alarm.repeatInterval = interval, alarm.repeatCount = count;
    return alarm;
}

}  // namespace

// A new alarm has no instant until it is given one (its other defaults: AlarmStoreTest, values read).
TEST(AlarmTest, CopiesAndListOrder)
{
    EXPECT_TRUE(Alarm().time == INVALID_TIME && Alarm(NOON).process == NO_PROCESS);
    // A copy never takes the process handle of a watch entry; assignment does.
    Alarm watch = armed(ALARM_EXECUTE);
    watch.state = ALARM_STATE_WATCH, watch.process = 42, watch.message = "note";
    const Alarm copy(watch);
    Alarm assigned;
    assigned = watch;
    EXPECT_TRUE(copy.process == NO_PROCESS && copy.state == ALARM_STATE_WATCH && copy.message == "note");
    EXPECT_TRUE(assigned.process == 42u && Alarm(std::move(assigned)).process == NO_PROCESS);
    // Spans, due, missed: SimulatedYearTest and the tests of their texts. Equal times are never equal in the list.
    const Alarm early(NOON), late(NOON + 60), same(NOON);
    const SortDirection latest = SortDirection::LatestFirst, earliest = SortDirection::EarliestFirst;
    EXPECT_TRUE(Alarm::compareForList(late, early, latest) == -1 && Alarm::compareForList(early, late, latest) == 1 &&
                Alarm::compareForList(early, same, latest) == 1 && Alarm::compareForList(early, same, earliest) == -1);
}

TEST(AlarmTest, FiringMovesOnUsesUpACountOrDisarms)
{
    const std::uint32_t REPEAT = ALARM_REPEAT | ALARM_AUTODELETE;  // Autodelete has no effect on repetition
    const struct {
        const char* name;
        std::uint32_t flags;
        Duration interval;
        Timestamp time, now, next;  // next: the time after finishFiring(now)
        bool ended;                 // idle, a plain one-time alarm
    } cases[] = {                   // the common cases: SimulatedYearTest
                 {"no interval: due again", REPEAT, 0, NOON, NOON + 5, NOON, false},
                 {"not forward: kept", REPEAT, -60, NOON, NOON + 10, NOON, false},
                 {"far behind: one step", REPEAT, 7, 0, 2000000000, 2000000002, false},
                 {"no instant: next found", REPEAT, DAY, INVALID_TIME, NOON, 890006399, false},  // -1 + 10301 days
                 {"beyond 2038: repetition ends", REPEAT, DAY, LAST - 10, LAST - 5, LAST - 10, true},
                 {"launch postponed", ALARM_EXECUTE | ALARM_EXECUTE_PENDING, 0, NOON, NOON + 1, NOON, false}};
    for (const auto& c : cases) {
        Alarm alarm = armed(c.flags, c.interval, -1, c.time);
        alarm.finishFiring(c.now);
        EXPECT_TRUE(alarm.time == c.next && alarm.state == (c.ended ? IDLE : ARMED) && alarm.repeatCount == -1 &&
                    alarm.flags == (c.ended ? c.flags & ~ALARM_REPEAT : c.flags))
            << c.name;
    }
}
