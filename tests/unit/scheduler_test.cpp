#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/scheduler_rig.h"

namespace {

constexpr Timestamp NOON = 889959600;  // 1998-03-15 12:00:00 in the test zone (UTC+1)
constexpr Duration DAY = 86400;
const char* const SAVE = "writeSettings AlarmList";

class SchedulerTest : public SchedulerRig {
protected:
    // One tick at the given time; the calls it made.
    Calls tickAt(Timestamp time)
    {
        platform.calls.clear();
        platform.clock = time;
        engine.tick();
        return platform.calls;
    }

    // The calls that show or store the firing of alarms (how many keys a
    // save changes is the store's business).
    static Calls firings(const Calls& calls)
    {
        Calls seen;
        for (const auto& call : calls)
            for (const char* kind :
                 {"openMessageWindow", "refreshRow", "deleteRow", SAVE, "launchProgram", "terminateProcess"})
                if (call.rfind(kind, 0) == 0)
                    seen.push_back(kind == SAVE ? std::string(SAVE) : call.substr(0, call.find(" @")));
        return seen;
    }

    bool holds(const Alarm* alarm) const { return alarms.contains(alarm); }
};

}  // namespace

TEST_F(SchedulerTest, TickShowsTheTimeAndSortsOnlyTheFirstTime)
{
    const std::string at = "showCurrentTime " + std::to_string(NOON + 5);
    EXPECT_EQ(tickAt(NOON + 5), (Calls{at, "sortRows latest first"}));
    EXPECT_EQ(state.tickTime, NOON + 5);
    EXPECT_FALSE(state.sortPending || state.tickRunning);
    EXPECT_EQ(tickAt(NOON + 5), (Calls{at}));

    state.listFlags = 0;
    state.sortPending = true;
    EXPECT_EQ(tickAt(NOON + 5), (Calls{at, "sortRows earliest first"}));

    // A nested tick does nothing at all.
    state.tickRunning = true;
    state.sortPending = true;
    addAlarm("A", ALARM_SHOW_MESSAGE, NOON);
    platform.cursor = ScreenPoint{5, 5};
    EXPECT_TRUE(tickAt(NOON + 6).empty());
    EXPECT_TRUE(state.tickTime == NOON + 5 && state.lastPointer.x == 0 && state.sortPending);
}

TEST_F(SchedulerTest, PointerMovementMakesTheUserPresent)
{
    state.userPresent = false;  // the screen saver has started
    tickAt(NOON);
    EXPECT_FALSE(state.userPresent);
    platform.cursor = ScreenPoint{0, 1};
    tickAt(NOON + 1);
    tickAt(NOON + 2);
    EXPECT_TRUE(state.userPresent);

    // An unreadable position changes nothing.
    state.userPresent = false;
    platform.cursorAvailable = false;
    platform.cursor = ScreenPoint{40, 40};
    tickAt(NOON + 4);
    EXPECT_FALSE(state.userPresent);
    EXPECT_EQ(state.lastPointer.y, 1);
}

TEST_F(SchedulerTest, DueAlarmsFireAfterTheirTimeInCollectionOrderWithASaveEach)
{
    addAlarm("later", ALARM_SHOW_MESSAGE, NOON + 60);
    Alarm& earlier = addAlarm("earlier", ALARM_SHOW_MESSAGE, NOON);
    EXPECT_TRUE(firings(tickAt(NOON)).empty());
    EXPECT_EQ(firings(tickAt(NOON + 1)), (Calls{"openMessageWindow earlier", "refreshRow earlier", SAVE}));
    EXPECT_EQ(earlier.state, ALARM_STATE_IDLE);
    earlier.state = ALARM_STATE_ARMED;
    EXPECT_EQ(firings(tickAt(NOON + 120)),
              (Calls{"openMessageWindow later", "refreshRow later", SAVE, "openMessageWindow earlier",
                     "refreshRow earlier", SAVE}));
    EXPECT_EQ(countOf(platform.calls, "openMessageWindow later @" + std::to_string(NOON + 120)), 1);
    EXPECT_TRUE(firings(tickAt(NOON + 121)).empty());
}

TEST_F(SchedulerTest, InTimeAlarmFiresUpTo299SecondsLate)
{
    const std::uint32_t flags = ALARM_SHOW_MESSAGE | ALARM_IN_TIME | ALARM_AUTODELETE;
    const Timestamp tick = NOON + 1000;
    Alarm* fired = &addAlarm("fired", flags, tick - 299);
    Alarm& missed = addAlarm("missed", flags, tick - 300);
    EXPECT_EQ(firings(tickAt(tick)),
              (Calls{"openMessageWindow fired", "deleteRow fired", SAVE, "refreshRow missed", SAVE}));
    EXPECT_FALSE(holds(fired));
    ASSERT_TRUE(holds(&missed));
    EXPECT_TRUE(missed.state == ALARM_STATE_IDLE && missed.time == tick - 300);
}

TEST_F(SchedulerTest, DailyAlarmFoundDaysLateFiresOnceAndMovesOn)
{
    Alarm& daily = addAlarm("daily", ALARM_SHOW_MESSAGE | ALARM_REPEAT, NOON);
    daily.repeatInterval = DAY;
    EXPECT_EQ(countOf(tickAt(NOON + 3 * DAY + DAY / 2), "openMessageWindow"), 1);
    EXPECT_TRUE(daily.time == NOON + 4 * DAY && daily.state == ALARM_STATE_ARMED);
    EXPECT_EQ(countOf(tickAt(NOON + 3 * DAY + DAY / 2 + 1), "openMessageWindow"), 0);
}

TEST_F(SchedulerTest, PostponedAutodeleteAlarmStaysUntilItsLaunch)
{
    addAlarm("first", ALARM_EXECUTE, NOON);
    Alarm* waiting = &addAlarm("waiting",
                               ALARM_SHOW_MESSAGE | ALARM_PLAY_WAVE | ALARM_AUTODELETE | ALARM_EXECUTE |
                                   ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED,
                               NOON + 10);
    tickAt(NOON + 1);
    EXPECT_EQ(firings(tickAt(NOON + 11)), (Calls{"openMessageWindow waiting", "refreshRow waiting", SAVE}));
    ASSERT_TRUE(holds(waiting));
    EXPECT_EQ(waiting->state, ALARM_STATE_ARMED);
    EXPECT_NE(waiting->flags & ALARM_EXECUTE_PENDING, 0u);

    // Offered again at every tick: no second wave or message.
    const Calls again = tickAt(NOON + 12);
    EXPECT_EQ(firings(again), (Calls{"refreshRow waiting", SAVE}));
    EXPECT_EQ(countOf(again, "playSoundFile"), 0);

    // The first program ends: reaped at the start of the scan, and the launch
    // happens in the same scan, which then destroys the alarm.
    platform.exitCodes[100] = 0;
    const Calls launched = tickAt(NOON + 13);
    EXPECT_EQ(firings(launched), (Calls{"launchProgram waiting.exe |  |  | 10", "deleteRow waiting", SAVE}));
    EXPECT_EQ(countOf(launched, "releaseProcess 100"), 1);
    EXPECT_FALSE(holds(waiting));
    ASSERT_NE(state.previousProgram, nullptr);
    EXPECT_EQ(state.previousProgram->process, 101u);
    EXPECT_EQ(alarms.size(), 2u);  // "first", idle, and the new watch entry
}

TEST_F(SchedulerTest, PostponedLaunchMissedOrWaitingForTheUserAway)
{
    addAlarm("first", ALARM_EXECUTE, NOON);
    Alarm& waiting = addAlarm("waiting", ALARM_IN_TIME | ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED, NOON + 10);
    Alarm& away = addAlarm("away", ALARM_EXECUTE | ALARM_WAIT_FOR_USER_AWAY, NOON + 400);
    tickAt(NOON + 1);
    tickAt(NOON + 11);
    tickAt(NOON + 309);
    EXPECT_EQ(waiting.state, ALARM_STATE_ARMED);
    // Missed while postponed: the one-time alarm goes idle.
    EXPECT_EQ(firings(tickAt(NOON + 310)), (Calls{"refreshRow waiting", SAVE}));
    EXPECT_TRUE(waiting.state == ALARM_STATE_IDLE && (waiting.flags & ALARM_EXECUTE_PENDING) == 0);
    EXPECT_TRUE(firings(tickAt(NOON + 311)).empty());
    EXPECT_EQ(platform.launches.size(), 1u);

    tickAt(NOON + 401);
    tickAt(NOON + 402);
    EXPECT_EQ(platform.launches.size(), 1u);
    state.userPresent = false;  // the screen saver starts
    EXPECT_EQ(countOf(tickAt(NOON + 403), "launchProgram away.exe"), 1);
    EXPECT_TRUE(away.state == ALARM_STATE_IDLE && (away.flags & ALARM_EXECUTE_PENDING) == 0);
}

TEST_F(SchedulerTest, WatchEntryIsReachedInTheSameWalkUnlessItsAlarmWasLast)
{
    const std::uint32_t flags = ALARM_EXECUTE | ALARM_CLOSE_WHEN_USER_BACK;
    addAlarm("last", flags, NOON);
    // Appended behind the last entry: reached at the next scan.
    EXPECT_EQ(countOf(tickAt(NOON + 1), "terminateProcess"), 0);
    EXPECT_EQ(countOf(tickAt(NOON + 2), "terminateProcess 100"), 1);

    alarms.append(std::make_unique<Alarm>(NOON + DAY));  // idle, never due
    alarms.append(std::make_unique<Alarm>(NOON + DAY));
    addAlarm("middle", flags, NOON + 5);
    alarms.append(std::make_unique<Alarm>(NOON + DAY));
    const Calls calls = tickAt(NOON + 6);
    EXPECT_EQ(countOf(calls, "terminateProcess 101"), 1);
    EXPECT_EQ(countOf(calls, "terminateProcess 100"), 1);  // asked again while the user is there
}

TEST_F(SchedulerTest, CloseAfterTerminatesOnceTheCloseTimeHasPassed)
{
    addAlarm("timed", ALARM_EXECUTE | ALARM_CLOSE_AFTER, NOON).closeAfter = 60;
    tickAt(NOON + 1);
    EXPECT_EQ(countOf(tickAt(NOON + 60), "terminateProcess"), 0);
    EXPECT_EQ(countOf(tickAt(NOON + 61), "terminateProcess 100"), 1);
    platform.exitCodes[100] = 0;
    const Calls reaped = tickAt(NOON + 62);
    EXPECT_EQ(countOf(reaped, "terminateProcess"), 0);
    EXPECT_EQ(countOf(reaped, "releaseProcess 100"), 1);
    EXPECT_TRUE(alarms.size() == 1u && state.previousProgram == nullptr);
}
