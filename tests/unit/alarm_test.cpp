#include <gtest/gtest.h>

#include <limits>

#include "model/alarm.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp NOON = 889963200;  // 1998-03-15 12:00:00 in the test zone (UTC+1)
constexpr Duration DAY = 86400;

Alarm armedAt(Timestamp time, std::uint32_t flags)
{
    Alarm alarm(time);
    alarm.flags = flags;
    alarm.state = ALARM_STATE_ARMED;
    return alarm;
}

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

}  // namespace

TEST(AlarmTest, NewAlarmHasTheDefaults)
{
    const Alarm alarm(NOON);
    EXPECT_EQ(alarm.time, NOON);
    EXPECT_EQ(alarm.repeatCount, -1);
    EXPECT_EQ(alarm.flags, ALARM_SHOW_MESSAGE);
    EXPECT_EQ(alarm.state, ALARM_STATE_IDLE);
    EXPECT_EQ(alarm.repeatInterval, 0);
    EXPECT_EQ(alarm.closeAfter, 0);
    EXPECT_EQ(alarm.process, NO_PROCESS);
    EXPECT_TRUE(alarm.waveFile.empty() && alarm.commandLine.empty() && alarm.workingFolder.empty() &&
                alarm.message.empty());
    EXPECT_EQ(Alarm().time, INVALID_TIME);
    EXPECT_EQ(Alarm().flags, ALARM_SHOW_MESSAGE);
}

TEST(AlarmTest, DateTimeFieldsAreLocalTimeAndCarryOver)
{
    FakePlatform platform;
    EXPECT_EQ(Alarm(platform, local(1998, 3, 15, 7, 30, 0)).time, 889943400);
    // 31 February 1998 is 3 March.
    EXPECT_EQ(Alarm(platform, local(1998, 2, 31, 12, 0, 0)).time, 888922800);
    EXPECT_EQ(Alarm(platform, local(2050, 1, 5, 0, 0, 0)).time, INVALID_TIME);

    const Alarm withSpans(platform, local(1998, 3, 15, 7, 30, 0), 3 * DAY, 600);
    EXPECT_EQ(withSpans.time, 889943400);
    EXPECT_EQ(withSpans.repeatInterval, 3 * DAY);
    EXPECT_EQ(withSpans.closeAfter, 600);
    EXPECT_EQ(withSpans.repeatCount, -1);
    EXPECT_EQ(withSpans.flags, ALARM_SHOW_MESSAGE);
}

TEST(AlarmTest, CopyLeavesProcessUnsetAssignmentCopiesIt)
{
    Alarm watch = armedAt(NOON, ALARM_EXECUTE | ALARM_CLOSE_AFTER);
    watch.state = ALARM_STATE_WATCH;
    watch.process = 42;
    watch.message = "note";
    watch.closeAfter = 60;

    const Alarm copy(watch);
    EXPECT_EQ(copy.process, NO_PROCESS);
    EXPECT_EQ(copy.state, ALARM_STATE_WATCH);
    EXPECT_EQ(copy.flags, watch.flags);
    EXPECT_EQ(copy.message, "note");
    EXPECT_EQ(copy.closeAfter, 60);

    Alarm assigned;
    assigned = watch;
    EXPECT_EQ(assigned.process, 42u);
    EXPECT_EQ(assigned.message, "note");

    Alarm source = watch;
    source.process = 7;
    const Alarm moved(std::move(source));
    EXPECT_EQ(moved.process, NO_PROCESS);
    EXPECT_EQ(moved.message, "note");
}

TEST(AlarmTest, DueOnlyWhenArmedAndStrictlyPastItsTime)
{
    const Alarm alarm = armedAt(NOON, ALARM_SHOW_MESSAGE);
    EXPECT_FALSE(alarm.isDue(NOON - 1));
    EXPECT_FALSE(alarm.isDue(NOON));
    EXPECT_TRUE(alarm.isDue(NOON + 1));

    Alarm idle = alarm;
    idle.state = ALARM_STATE_IDLE;
    EXPECT_FALSE(idle.isDue(NOON + 100));
    Alarm watch = alarm;
    watch.state = ALARM_STATE_WATCH;
    EXPECT_FALSE(watch.isDue(NOON + 100));
    EXPECT_TRUE(watch.isWatchEntry());
}

TEST(AlarmTest, InTimeAlarmIsMissedFromThreeHundredSecondsLate)
{
    const Alarm inTime = armedAt(NOON, ALARM_IN_TIME | ALARM_AUTODELETE);
    EXPECT_FALSE(inTime.isMissed(NOON + 299));
    EXPECT_TRUE(inTime.isMissed(NOON + IN_TIME_WINDOW));
    EXPECT_TRUE(inTime.isMissed(std::numeric_limits<Timestamp>::max()));
    EXPECT_FALSE(armedAt(NOON, ALARM_AUTODELETE).isMissed(NOON + 10 * DAY));

    // A missed alarm is not destroyed: the after-firing rule disarms it.
    Alarm missed = inTime;
    missed.finishFiring(NOON + 300);
    EXPECT_EQ(missed.state, ALARM_STATE_IDLE);
    EXPECT_EQ(missed.time, NOON);
}

TEST(AlarmTest, AutodeleteDiscardsOnlyWithoutRepeatAndPendingLaunch)
{
    EXPECT_TRUE(armedAt(NOON, ALARM_AUTODELETE).isDiscardedAfterFiring());
    EXPECT_FALSE(armedAt(NOON, ALARM_AUTODELETE | ALARM_REPEAT).isDiscardedAfterFiring());
    EXPECT_FALSE(armedAt(NOON, ALARM_SHOW_MESSAGE).isDiscardedAfterFiring());
    // A postponed launch keeps the alarm armed until the program is started.
    Alarm postponed = armedAt(NOON, ALARM_AUTODELETE | ALARM_EXECUTE | ALARM_EXECUTE_PENDING);
    EXPECT_FALSE(postponed.isDiscardedAfterFiring());
    postponed.finishFiring(NOON + 1);
    EXPECT_EQ(postponed.state, ALARM_STATE_ARMED);
    EXPECT_TRUE(postponed.isDue(NOON + 2));
    postponed.flags &= ~ALARM_EXECUTE_PENDING;
    EXPECT_TRUE(postponed.isDiscardedAfterFiring());
}

TEST(AlarmTest, DailyAlarmFoundDaysLateMovesToTheNextOccurrence)
{
    Alarm daily = armedAt(NOON, ALARM_REPEAT | ALARM_AUTODELETE);
    daily.repeatInterval = DAY;
    const Timestamp now = NOON + 3 * DAY + DAY / 2;
    ASSERT_TRUE(daily.isDue(now));
    ASSERT_FALSE(daily.isDiscardedAfterFiring());
    daily.finishFiring(now);
    EXPECT_EQ(daily.time, NOON + 4 * DAY);
    EXPECT_EQ(daily.repeatCount, -1);
    EXPECT_EQ(daily.state, ALARM_STATE_ARMED);
    EXPECT_FALSE(daily.isDue(now + 1));

    // Fired on time, it moves exactly one interval.
    Alarm onTime = armedAt(NOON, ALARM_REPEAT);
    onTime.repeatInterval = DAY;
    onTime.finishFiring(NOON + 1);
    EXPECT_EQ(onTime.time, NOON + DAY);
    // Exactly on an occurrence: that occurrence is not earlier than now.
    Alarm exact = armedAt(NOON, ALARM_REPEAT);
    exact.repeatInterval = DAY;
    exact.advance(NOON + 2 * DAY);
    EXPECT_EQ(exact.time, NOON + 2 * DAY);
}

TEST(AlarmTest, RepeatCountGivesThatManyFirings)
{
    for (const int count : {0, 1}) {
        Alarm alarm = armedAt(NOON, ALARM_REPEAT | ALARM_SHOW_MESSAGE);
        alarm.repeatInterval = 60;
        alarm.repeatCount = count;
        alarm.finishFiring(NOON + 1);
        EXPECT_EQ(alarm.state, ALARM_STATE_IDLE) << count;
        EXPECT_EQ(alarm.flags, ALARM_SHOW_MESSAGE) << count;
        EXPECT_EQ(alarm.time, NOON) << count;
        EXPECT_EQ(alarm.repeatCount, 0) << count;
    }
    Alarm twice = armedAt(NOON, ALARM_REPEAT);
    twice.repeatInterval = 60;
    twice.repeatCount = 2;
    twice.finishFiring(NOON + 1);
    EXPECT_EQ(twice.repeatCount, 1);
    EXPECT_EQ(twice.time, NOON + 60);
    EXPECT_EQ(twice.state, ALARM_STATE_ARMED);
    twice.finishFiring(NOON + 61);
    EXPECT_EQ(twice.state, ALARM_STATE_IDLE);
    EXPECT_EQ(twice.flags & ALARM_REPEAT, 0u);
}

TEST(AlarmTest, RepeatWithoutIntervalStaysDueForever)
{
    Alarm alarm = armedAt(NOON, ALARM_REPEAT);
    for (Timestamp now = NOON + 1; now < NOON + 5; ++now) {
        ASSERT_TRUE(alarm.isDue(now));
        alarm.finishFiring(now);
    }
    EXPECT_EQ(alarm.time, NOON);
    EXPECT_EQ(alarm.state, ALARM_STATE_ARMED);
    EXPECT_EQ(alarm.repeatCount, -1);
}

TEST(AlarmTest, NonRepeatingAlarmGoesIdleUnlessLaunchIsPending)
{
    Alarm plain = armedAt(NOON, ALARM_SHOW_MESSAGE);
    plain.finishFiring(NOON + 1);
    EXPECT_EQ(plain.state, ALARM_STATE_IDLE);
    EXPECT_EQ(plain.time, NOON);

    Alarm pending = armedAt(NOON, ALARM_EXECUTE | ALARM_EXECUTE_PENDING);
    pending.finishFiring(NOON + 1);
    EXPECT_EQ(pending.state, ALARM_STATE_ARMED);
    EXPECT_EQ(pending.time, NOON);
}

TEST(AlarmTest, AdvanceNeverLoopsAndNeverOverflows)
{
    // Far behind with a short interval: computed in one step.
    Alarm late = armedAt(0, ALARM_REPEAT);
    late.repeatInterval = 7;
    late.advance(2000000000);
    EXPECT_GE(late.time, 2000000000);
    EXPECT_LT(late.time, 2000000000 + 7);
    EXPECT_EQ(late.time % 7, 0);

    // A span that does not move forward keeps the time (due again next scan).
    Alarm backwards = armedAt(NOON, ALARM_REPEAT);
    backwards.repeatInterval = -60;
    backwards.finishFiring(NOON + 10);
    EXPECT_EQ(backwards.time, NOON);
    EXPECT_EQ(backwards.state, ALARM_STATE_ARMED);

    // Beyond January 2038 there is no instant.
    Alarm last = armedAt(std::numeric_limits<Timestamp>::max() - 10, ALARM_REPEAT);
    last.repeatInterval = DAY;
    last.advance(std::numeric_limits<Timestamp>::max() - 5);
    EXPECT_EQ(last.time, INVALID_TIME);

    // From the invalid instant the next occurrence is still found.
    Alarm invalid = armedAt(INVALID_TIME, ALARM_REPEAT);
    invalid.repeatInterval = DAY;
    invalid.advance(NOON);
    EXPECT_GE(invalid.time, NOON);
    EXPECT_LT(invalid.time, NOON + DAY);
}

TEST(AlarmTest, ListOrderPutsTheLaterFirstForDirectionPlusOne)
{
    const Alarm early(NOON);
    const Alarm late(NOON + 60);
    EXPECT_EQ(Alarm::compareForList(late, early, +1), -1);
    EXPECT_EQ(Alarm::compareForList(early, late, +1), +1);
    EXPECT_EQ(Alarm::compareForList(late, early, -1), +1);
    EXPECT_EQ(Alarm::compareForList(early, late, -1), -1);
    // Equal times give the direction itself, never 0.
    EXPECT_EQ(Alarm::compareForList(early, Alarm(NOON), +1), +1);
    EXPECT_EQ(Alarm::compareForList(early, Alarm(NOON), -1), -1);
}

TEST(AlarmTest, DurationPartsSplitTowardZeroAndJoinBack)
{
    const DurationParts parts = DurationParts::split(90061);
    EXPECT_EQ(parts.days, 1);
    EXPECT_EQ(parts.hours, 1);
    EXPECT_EQ(parts.minutes, 1);
    EXPECT_EQ(parts.seconds, 1);

    const DurationParts negative = DurationParts::split(-5400);
    EXPECT_EQ(negative.days, 0);
    EXPECT_EQ(negative.hours, -1);
    EXPECT_EQ(negative.minutes, -30);
    EXPECT_EQ(negative.seconds, 0);

    for (const Duration span : {0, 1, 59, 3600, 264600, -1, -90061, std::numeric_limits<Duration>::max(),
                                std::numeric_limits<Duration>::min()}) {
        const DurationParts p = DurationParts::split(span);
        EXPECT_EQ(DurationParts::join(p.days, p.hours, p.minutes, p.seconds), span);
    }
    EXPECT_EQ(DurationParts::join(std::numeric_limits<int>::max(), 0, 0, 0), std::numeric_limits<Duration>::max());
    EXPECT_EQ(DurationParts::join(0, std::numeric_limits<int>::min(), 0, 0), std::numeric_limits<Duration>::min());
}
