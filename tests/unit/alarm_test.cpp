// The alarm record: copies, spans, the due and missed tests, and what a firing does to its time, repeat count and
// state.
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
TEST(AlarmTest, CopiesAndSpans)
{
    EXPECT_TRUE(Alarm().time == INVALID_TIME && Alarm(NOON).process == NO_PROCESS);
    // A copy never takes the process handle of a watch entry; assignment does.
    Alarm watch = armed(ALARM_EXECUTE);
    watch.state = ALARM_STATE_WATCH, watch.process = 42, watch.message = "note";
    const Alarm copy(watch);
    Alarm assigned;
    assigned = watch;
    const Alarm moved(std::move(watch));
    EXPECT_TRUE(copy.process == NO_PROCESS && copy.state == ALARM_STATE_WATCH && copy.message == "note");
    EXPECT_TRUE(assigned.process == 42u && moved.process == NO_PROCESS && moved.message == "note");
    // Spans split into parts that join back, the extremes included.
    for (const Duration span : {-90061, INT32_MAX, INT32_MIN}) {
        const DurationParts p = DurationParts::split(span);
        EXPECT_EQ(DurationParts::join(p.days, p.hours, p.minutes, p.seconds), span);
    }
}

TEST(AlarmTest, DueMissedDiscardedAndListOrder)
{
    // Due strictly past its time, missed from five minutes late, Autodelete with a launch postponed: the tick's.
    Alarm alarm = armed(ALARM_IN_TIME);
    EXPECT_TRUE(alarm.isMissed(LAST) && !armed(ALARM_AUTODELETE | ALARM_REPEAT, DAY).isDiscardedAfterFiring());
    alarm.state = ALARM_STATE_WATCH;
    EXPECT_TRUE(!alarm.isDue(NOON + 100) && alarm.isWatchEntry() && !alarm.isArmed());
    const Alarm early(NOON), late(NOON + 60), same(NOON);  // equal times are never equal
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
        std::int32_t count, countAfter, state;
        Timestamp time, now, next;  // next: the time after finishFiring(now)
    } cases[] = {  // the common cases: SimulatedYearTest
        {"no interval: due again", REPEAT, 0, -1, -1, ARMED, NOON, NOON + 5, NOON},
        {"not forward: kept", REPEAT, -60, -1, -1, ARMED, NOON, NOON + 10, NOON},
        {"far behind: one step", REPEAT, 7, -1, -1, ARMED, 0, 2000000000, 2000000002},
        {"no instant: next found", REPEAT, DAY, -1, -1, ARMED, INVALID_TIME, NOON, 890006399},  // -1 + 10301 days
        {"beyond 2038: repetition ends", REPEAT, DAY, -1, -1, IDLE, LAST - 10, LAST - 5, LAST - 10},
        {"launch postponed", ALARM_EXECUTE | ALARM_EXECUTE_PENDING, 0, -1, -1, ARMED, NOON, NOON + 1, NOON}};
    for (const auto& c : cases) {
        Alarm alarm = armed(c.flags, c.interval, c.count, c.time);
        alarm.finishFiring(c.now);
        EXPECT_TRUE(alarm.time == c.next && alarm.state == c.state && alarm.repeatCount == c.countAfter) << c.name;
        // A repetition that has ended leaves a plain one-time alarm.
        EXPECT_EQ(alarm.flags, c.state == IDLE ? c.flags & ~ALARM_REPEAT : c.flags) << c.name;
    }
}
