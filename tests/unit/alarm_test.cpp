#include <gtest/gtest.h>

#include <limits>

#include "model/alarm.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp NOON = 889963200;  // 1998-03-15 12:00:00 in the test zone (UTC+1)
constexpr Duration DAY = 86400;
constexpr Timestamp LAST = std::numeric_limits<Timestamp>::max();

Alarm armed(std::uint32_t flags, Duration interval = 0, std::int32_t count = -1, Timestamp time = NOON)
{
    Alarm alarm(time);
    alarm.flags = flags;
    alarm.state = ALARM_STATE_ARMED;
    alarm.repeatInterval = interval;
    alarm.repeatCount = count;
    return alarm;
}

LocalTime local(int year, int month, int day, int hour, int minute)
{
    LocalTime f;
    f.year = year, f.month = month, f.day = day, f.hour = hour, f.minute = minute, f.second = 0;
    return f;
}

}  // namespace

TEST(AlarmTest, DefaultsAndLocalFieldsThatCarryOver)
{
    const Alarm alarm(NOON);
    EXPECT_TRUE(alarm.time == NOON && alarm.repeatCount == -1 && alarm.flags == ALARM_SHOW_MESSAGE &&
                alarm.state == ALARM_STATE_IDLE);
    EXPECT_TRUE(alarm.repeatInterval == 0 && alarm.closeAfter == 0 && alarm.process == NO_PROCESS);
    EXPECT_TRUE(alarm.waveFile.empty() && alarm.commandLine.empty() && alarm.workingFolder.empty() &&
                alarm.message.empty());
    EXPECT_EQ(Alarm().time, INVALID_TIME);

    FakePlatform platform;
    EXPECT_EQ(Alarm(platform, local(1998, 2, 31, 12, 0)).time, 888922800);  // 31 February is 3 March
    EXPECT_EQ(Alarm(platform, local(2050, 1, 5, 0, 0)).time, INVALID_TIME);
    const Alarm withSpans(platform, local(1998, 3, 15, 7, 30), 3 * DAY, 600);
    EXPECT_EQ(withSpans.time, 889943400);
    EXPECT_TRUE(withSpans.repeatInterval == 3 * DAY && withSpans.closeAfter == 600);
    EXPECT_TRUE(withSpans.repeatCount == -1 && withSpans.flags == ALARM_SHOW_MESSAGE);
}

TEST(AlarmTest, CopyLeavesProcessUnsetAssignmentCopiesIt)
{
    Alarm watch = armed(ALARM_EXECUTE | ALARM_CLOSE_AFTER);
    watch.state = ALARM_STATE_WATCH;
    watch.process = 42;
    watch.message = "note";
    watch.closeAfter = 60;

    const Alarm copy(watch);
    EXPECT_EQ(copy.process, NO_PROCESS);  // a copy never owns the process handle
    EXPECT_TRUE(copy.state == ALARM_STATE_WATCH && copy.flags == watch.flags && copy.message == "note" &&
                copy.closeAfter == 60);
    Alarm assigned;
    assigned = watch;
    EXPECT_TRUE(assigned.process == 42u && assigned.message == "note");
    const Alarm moved(std::move(watch));
    EXPECT_TRUE(moved.process == NO_PROCESS && moved.message == "note");
}

TEST(AlarmTest, DueOnlyWhenArmedAndStrictlyPastItsTime)
{
    Alarm alarm = armed(ALARM_SHOW_MESSAGE);
    EXPECT_FALSE(alarm.isDue(NOON - 1));
    EXPECT_FALSE(alarm.isDue(NOON));
    EXPECT_TRUE(alarm.isDue(NOON + 1));
    alarm.state = ALARM_STATE_IDLE;
    EXPECT_FALSE(alarm.isDue(NOON + 100));
    alarm.state = ALARM_STATE_WATCH;
    EXPECT_FALSE(alarm.isDue(NOON + 100));
    EXPECT_TRUE(alarm.isWatchEntry());
}

TEST(AlarmTest, InTimeAlarmIsMissedFrom300SecondsLateAndKept)
{
    Alarm inTime = armed(ALARM_IN_TIME | ALARM_AUTODELETE);
    EXPECT_FALSE(inTime.isMissed(NOON + 299));
    EXPECT_TRUE(inTime.isMissed(NOON + 300));
    EXPECT_TRUE(inTime.isMissed(LAST));
    EXPECT_FALSE(armed(ALARM_AUTODELETE).isMissed(NOON + 10 * DAY));
    inTime.finishFiring(NOON + 300);  // disarmed, not destroyed
    EXPECT_EQ(inTime.state, ALARM_STATE_IDLE);
    EXPECT_EQ(inTime.time, NOON);
}

TEST(AlarmTest, AutodeleteDiscardsOnlyWithoutRepeatAndPendingLaunch)
{
    EXPECT_TRUE(armed(ALARM_AUTODELETE).isDiscardedAfterFiring());
    EXPECT_FALSE(armed(ALARM_AUTODELETE | ALARM_REPEAT, DAY).isDiscardedAfterFiring());
    EXPECT_FALSE(armed(ALARM_SHOW_MESSAGE).isDiscardedAfterFiring());
    Alarm postponed = armed(ALARM_AUTODELETE | ALARM_EXECUTE | ALARM_EXECUTE_PENDING);
    EXPECT_FALSE(postponed.isDiscardedAfterFiring());
    postponed.finishFiring(NOON + 1);  // stays armed, at its time, until the program starts
    EXPECT_EQ(postponed.state, ALARM_STATE_ARMED);
    EXPECT_EQ(postponed.time, NOON);
    postponed.flags &= ~ALARM_EXECUTE_PENDING;
    EXPECT_TRUE(postponed.isDiscardedAfterFiring());

    Alarm plain = armed(ALARM_SHOW_MESSAGE);
    plain.finishFiring(NOON + 1);
    EXPECT_EQ(plain.state, ALARM_STATE_IDLE);
    EXPECT_EQ(plain.time, NOON);
}

TEST(AlarmTest, RepeatMovesToTheFirstOccurrenceNotBeforeNow)
{
    const struct {
        Duration interval;
        Timestamp time, now, next;  // next: the time after finishFiring(now)
    } cases[] = {
        {DAY, NOON, NOON + 3 * DAY + DAY / 2, NOON + 4 * DAY},  // found days late: once, then on
        {DAY, NOON, NOON + 1, NOON + DAY},
        {DAY, NOON, NOON + 2 * DAY, NOON + 2 * DAY},  // exactly on an occurrence
        {0, NOON, NOON + 5, NOON},                    // no interval: due again forever
        {-60, NOON, NOON + 10, NOON},                 // not forward: kept
        {7, 0, 2000000000, 2000000002},               // far behind: one step, no loop
        {DAY, LAST - 10, LAST - 5, INVALID_TIME},     // beyond 2038: no instant
    };
    for (const auto& c : cases) {
        Alarm alarm = armed(ALARM_REPEAT | ALARM_AUTODELETE, c.interval, -1, c.time);
        ASSERT_FALSE(alarm.isDiscardedAfterFiring());
        alarm.finishFiring(c.now);
        EXPECT_EQ(alarm.time, c.next) << c.interval << " " << c.now;
        EXPECT_EQ(alarm.state, ALARM_STATE_ARMED) << c.interval << " " << c.now;
        EXPECT_EQ(alarm.repeatCount, -1);
    }
    Alarm invalid = armed(ALARM_REPEAT, DAY, -1, INVALID_TIME);  // the next occurrence is still found
    invalid.advance(NOON);
    EXPECT_TRUE(invalid.time >= NOON && invalid.time < NOON + DAY) << invalid.time;
}

TEST(AlarmTest, RepeatCountGivesThatManyFirings)
{
    for (const int count : {0, 1}) {  // both fire once
        Alarm alarm = armed(ALARM_REPEAT | ALARM_SHOW_MESSAGE, 60, count);
        alarm.finishFiring(NOON + 1);
        EXPECT_TRUE(alarm.state == ALARM_STATE_IDLE && alarm.flags == ALARM_SHOW_MESSAGE && alarm.time == NOON &&
                    alarm.repeatCount == 0)
            << count;
    }
    Alarm twice = armed(ALARM_REPEAT, 60, 2);
    twice.finishFiring(NOON + 1);
    EXPECT_TRUE(twice.repeatCount == 1 && twice.time == NOON + 60 && twice.state == ALARM_STATE_ARMED);
    twice.finishFiring(NOON + 61);
    EXPECT_TRUE(twice.state == ALARM_STATE_IDLE && (twice.flags & ALARM_REPEAT) == 0);
    Alarm forever = armed(ALARM_REPEAT, 60, -5);  // a negative count repeats forever
    forever.finishFiring(NOON + 1);
    EXPECT_TRUE(forever.repeatCount == -5 && forever.time == NOON + 60 && forever.state == ALARM_STATE_ARMED);
}

TEST(AlarmTest, ListOrderIsNeverEqual)
{
    const Alarm early(NOON), late(NOON + 60), same(NOON);
    for (const SortDirection direction : {SortDirection::LatestFirst, SortDirection::EarliestFirst}) {
        const int sign = direction == SortDirection::LatestFirst ? 1 : -1;
        EXPECT_EQ(Alarm::compareForList(late, early, direction), -sign);
        EXPECT_EQ(Alarm::compareForList(early, late, direction), sign);
        EXPECT_EQ(Alarm::compareForList(early, same, direction), sign);
    }
}

TEST(AlarmTest, DurationPartsSplitTowardZeroAndJoinBack)
{
    const DurationParts p = DurationParts::split(90061);
    EXPECT_TRUE(p.days == 1 && p.hours == 1 && p.minutes == 1 && p.seconds == 1);
    const DurationParts n = DurationParts::split(-5400);
    EXPECT_TRUE(n.days == 0 && n.hours == -1 && n.minutes == -30 && n.seconds == 0);
    constexpr Duration MAX = std::numeric_limits<Duration>::max(), MIN = std::numeric_limits<Duration>::min();
    for (const Duration span : {Duration{0}, Duration{59}, Duration{264600}, Duration{-90061}, MAX, MIN}) {
        const DurationParts s = DurationParts::split(span);
        EXPECT_EQ(DurationParts::join(s.days, s.hours, s.minutes, s.seconds), span);
    }
    EXPECT_EQ(DurationParts::join(std::numeric_limits<int>::max(), 0, 0, 0), MAX);
    EXPECT_EQ(DurationParts::join(0, std::numeric_limits<int>::min(), 0, 0), MIN);
}
