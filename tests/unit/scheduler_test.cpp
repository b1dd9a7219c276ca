#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "scheduler/scheduler.h"
#include "support/fake_platform.h"
#include "support/recording_view.h"

namespace {

constexpr Timestamp NOON = 889959600;  // 1998-03-15 12:00:00 in the test zone (UTC+1)
constexpr Duration DAY = 86400;
const char* const SAVE = "writeSettings AlarmList";

class SchedulerTest : public ::testing::Test {
protected:
    Alarm& addAlarm(const std::string& message, Timestamp time, std::uint32_t flags)
    {
        auto alarm = std::make_unique<Alarm>(time);
        alarm->message = message;
        alarm->flags = flags;
        alarm->state = ALARM_STATE_ARMED;
        alarm->commandLine = message + ".exe";
        return alarms.append(std::move(alarm));
    }

    // One tick at the given time; the calls it made.
    std::vector<std::string> tickAt(Timestamp time)
    {
        platform.calls.clear();
        platform.clock = time;
        scheduler.tick();
        return platform.calls;
    }

    static long countOf(const std::vector<std::string>& calls, const std::string& prefix)
    {
        return std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    }

    // The calls that show or store the firing of alarms.
    static std::vector<std::string> firings(const std::vector<std::string>& calls)
    {
        std::vector<std::string> seen;
        for (const auto& call : calls)
            if (call.rfind("openMessageWindow", 0) == 0 || call.rfind("refreshRow", 0) == 0 ||
                call.rfind("deleteRow", 0) == 0 || call.rfind(SAVE, 0) == 0 ||
                call.rfind("launchProgram", 0) == 0 || call.rfind("terminateProcess", 0) == 0)
                // How many keys a save changes is the store's business; the
                // window's time is checked apart.
                seen.push_back(call.rfind(SAVE, 0) == 0 ? std::string(SAVE) : call.substr(0, call.find(" @")));
        return seen;
    }

    bool holds(const Alarm* alarm) const { return alarms.contains(alarm); }

    FakePlatform platform;
    SchedulerState state;
    AlarmCollection alarms;
    AlarmStore store{platform};
    RecordingView view{&platform.calls};
    Announcer announcer{platform, state};
    ProgramControl programs{platform, state, alarms, view, announcer};
    Scheduler scheduler{platform, state, alarms, store, view, programs};
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(SchedulerTest, TickShowsTheTimeAndSortsOnlyTheFirstTime)
{
    EXPECT_EQ(tickAt(NOON + 5), (Calls{"showCurrentTime 12:00:05", "sortRows 1"}));
    EXPECT_EQ(state.tickTime, NOON + 5);
    EXPECT_FALSE(state.sortPending);
    EXPECT_FALSE(state.tickRunning);
    EXPECT_EQ(tickAt(NOON + 6), (Calls{"showCurrentTime 12:00:06"}));

    SchedulerState ascending;
    ascending.listFlags = 0;
    Scheduler other(platform, ascending, alarms, store, view, programs);
    platform.calls.clear();
    other.tick();
    EXPECT_EQ(platform.calls, (Calls{"showCurrentTime 12:00:06", "sortRows -1"}));
}

TEST_F(SchedulerTest, NestedTickDoesNothingAtAll)
{
    addAlarm("A", NOON, ALARM_SHOW_MESSAGE);
    state.tickRunning = true;
    platform.cursor = ScreenPoint{5, 5};
    EXPECT_TRUE(tickAt(NOON + 10).empty());
    EXPECT_EQ(state.tickTime, INVALID_TIME);
    EXPECT_EQ(state.lastPointer.x, 0);
    EXPECT_TRUE(state.sortPending);
}

TEST_F(SchedulerTest, AlarmFiresAtTheFirstTickPastItsTime)
{
    Alarm& alarm = addAlarm("A", NOON, ALARM_SHOW_MESSAGE);
    EXPECT_TRUE(firings(tickAt(NOON)).empty());
    EXPECT_EQ(firings(tickAt(NOON + 1)), (Calls{"openMessageWindow A", "refreshRow A", SAVE}));
    EXPECT_EQ(alarm.state, ALARM_STATE_IDLE);
    EXPECT_TRUE(firings(tickAt(NOON + 2)).empty());
}

TEST_F(SchedulerTest, PointerMovementMakesTheUserPresent)
{
    state.userPresent = false;  // the screen saver has started
    tickAt(NOON);
    EXPECT_FALSE(state.userPresent);
    platform.cursor = ScreenPoint{0, 1};
    tickAt(NOON + 1);
    EXPECT_TRUE(state.userPresent);
    tickAt(NOON + 2);
    tickAt(NOON + 3);
    EXPECT_TRUE(state.userPresent);

    // An unreadable position changes nothing.
    state.userPresent = false;
    platform.cursorAvailable = false;
    platform.cursor = ScreenPoint{40, 40};
    tickAt(NOON + 4);
    EXPECT_FALSE(state.userPresent);
    EXPECT_EQ(state.lastPointer.y, 1);
}

TEST_F(SchedulerTest, AlarmsDueInOneTickFireInCollectionOrderWithASaveEach)
{
    addAlarm("later", NOON + 60, ALARM_SHOW_MESSAGE);
    addAlarm("earlier", NOON, ALARM_SHOW_MESSAGE);
    EXPECT_EQ(firings(tickAt(NOON + 120)), (Calls{"openMessageWindow later", "refreshRow later", SAVE,
                                                  "openMessageWindow earlier", "refreshRow earlier",
                                                  SAVE}));
    // The message window shows the tick's time.
    EXPECT_EQ(countOf(platform.calls, "openMessageWindow later @" + std::to_string(NOON + 120)), 1);
}

TEST_F(SchedulerTest, InTimeAlarmFiresUpTo299SecondsLate)
{
    const std::uint32_t flags = ALARM_SHOW_MESSAGE | ALARM_IN_TIME | ALARM_AUTODELETE;
    const Timestamp tick = NOON + 1000;
    Alarm* fired = &addAlarm("fired", tick - 299, flags);
    Alarm& missed = addAlarm("missed", tick - 300, flags);
    EXPECT_EQ(firings(tickAt(tick)), (Calls{"openMessageWindow fired", "deleteRow fired", SAVE,
                                            "refreshRow missed", SAVE}));
    EXPECT_FALSE(holds(fired));
    ASSERT_TRUE(holds(&missed));
    EXPECT_EQ(missed.state, ALARM_STATE_IDLE);
    EXPECT_EQ(missed.time, tick - 300);
}

TEST_F(SchedulerTest, DailyAlarmFoundDaysLateFiresOnceAndMovesOn)
{
    Alarm& daily = addAlarm("daily", NOON, ALARM_SHOW_MESSAGE | ALARM_REPEAT);
    daily.repeatInterval = DAY;
    EXPECT_EQ(countOf(tickAt(NOON + 3 * DAY + DAY / 2), "openMessageWindow"), 1);
    EXPECT_EQ(daily.time, NOON + 4 * DAY);
    EXPECT_EQ(daily.state, ALARM_STATE_ARMED);
    EXPECT_EQ(daily.repeatCount, -1);
    EXPECT_EQ(countOf(tickAt(NOON + 3 * DAY + DAY / 2 + 1), "openMessageWindow"), 0);
}

TEST_F(SchedulerTest, PostponedAutodeleteAlarmStaysUntilItsLaunch)
{
    addAlarm("first", NOON, ALARM_EXECUTE);
    Alarm* waiting = &addAlarm("waiting", NOON + 10, ALARM_SHOW_MESSAGE | ALARM_PLAY_WAVE | ALARM_AUTODELETE |
                                                         ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED);
    tickAt(NOON + 1);
    EXPECT_EQ(platform.launches.size(), 1u);

    EXPECT_EQ(firings(tickAt(NOON + 11)), (Calls{"openMessageWindow waiting", "refreshRow waiting",
                                                 SAVE}));
    ASSERT_TRUE(holds(waiting));
    EXPECT_EQ(waiting->state, ALARM_STATE_ARMED);
    EXPECT_NE(waiting->flags & ALARM_EXECUTE_PENDING, 0u);

    // Offered again at every tick: no second wave or message.
    const Calls again = tickAt(NOON + 12);
    EXPECT_EQ(firings(again), (Calls{"refreshRow waiting", SAVE}));
    EXPECT_EQ(countOf(again, "playSoundFile"), 0);

    // The first program ends: it is reaped at the start of the scan and the
    // launch happens in the same scan, which then destroys the alarm.
    platform.exitCodes[100] = 0;
    const Calls launched = tickAt(NOON + 13);
    EXPECT_EQ(firings(launched), (Calls{"launchProgram waiting.exe |  |  | 10", "deleteRow waiting",
                                        SAVE}));
    EXPECT_EQ(countOf(launched, "releaseProcess 100"), 1);
    EXPECT_FALSE(holds(waiting));
    ASSERT_NE(state.previousProgram, nullptr);
    EXPECT_EQ(state.previousProgram->process, 101u);
    EXPECT_EQ(alarms.size(), 2u);  // "first", idle, and the new watch entry
}

TEST_F(SchedulerTest, MissedPostponedOneTimeAlarmGoesIdle)
{
    addAlarm("first", NOON, ALARM_EXECUTE);
    Alarm& waiting =
        addAlarm("waiting", NOON + 10, ALARM_IN_TIME | ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED);
    tickAt(NOON + 1);
    tickAt(NOON + 11);
    tickAt(NOON + 309);
    EXPECT_EQ(waiting.state, ALARM_STATE_ARMED);

    EXPECT_EQ(firings(tickAt(NOON + 310)), (Calls{"refreshRow waiting", SAVE}));
    EXPECT_EQ(waiting.state, ALARM_STATE_IDLE);
    EXPECT_EQ(waiting.flags & ALARM_EXECUTE_PENDING, 0u);
    EXPECT_TRUE(firings(tickAt(NOON + 311)).empty());
    EXPECT_EQ(platform.launches.size(), 1u);
}

TEST_F(SchedulerTest, LaunchWaitsForTheUserToGoAway)
{
    Alarm& alarm = addAlarm("away", NOON, ALARM_EXECUTE | ALARM_WAIT_FOR_USER_AWAY);
    tickAt(NOON + 1);
    tickAt(NOON + 2);
    EXPECT_TRUE(platform.launches.empty());
    state.userPresent = false;  // the screen saver starts
    EXPECT_EQ(countOf(tickAt(NOON + 3), "launchProgram away.exe"), 1);
    EXPECT_EQ(alarm.state, ALARM_STATE_IDLE);
    EXPECT_EQ(alarm.flags & ALARM_EXECUTE_PENDING, 0u);
}

TEST_F(SchedulerTest, WatchEntryIsReachedInTheSameWalkUnlessItsAlarmWasLast)
{
    const std::uint32_t flags = ALARM_EXECUTE | ALARM_CLOSE_WHEN_USER_BACK;
    addAlarm("last", NOON, flags);
    // Appended behind the last entry: reached at the next scan.
    EXPECT_EQ(countOf(tickAt(NOON + 1), "terminateProcess"), 0);
    EXPECT_EQ(countOf(tickAt(NOON + 2), "terminateProcess 100"), 1);

    alarms.append(std::make_unique<Alarm>(NOON + DAY));  // idle, never due
    alarms.append(std::make_unique<Alarm>(NOON + DAY));
    addAlarm("middle", NOON + 5, flags);
    alarms.append(std::make_unique<Alarm>(NOON + DAY));
    const Calls calls = tickAt(NOON + 6);
    EXPECT_EQ(countOf(calls, "terminateProcess 101"), 1);
    EXPECT_EQ(countOf(calls, "terminateProcess 100"), 1);  // asked again while the user is there
}

TEST_F(SchedulerTest, CloseAfterTerminatesOnceTheCloseTimeHasPassed)
{
    Alarm& alarm = addAlarm("timed", NOON, ALARM_EXECUTE | ALARM_CLOSE_AFTER);
    alarm.closeAfter = 60;
    tickAt(NOON + 1);
    EXPECT_EQ(countOf(tickAt(NOON + 60), "terminateProcess"), 0);
    EXPECT_EQ(countOf(tickAt(NOON + 61), "terminateProcess 100"), 1);
    platform.exitCodes[100] = 0;
    const Calls reaped = tickAt(NOON + 62);
    EXPECT_EQ(countOf(reaped, "terminateProcess"), 0);
    EXPECT_EQ(countOf(reaped, "releaseProcess 100"), 1);
    EXPECT_EQ(alarms.size(), 1u);
    EXPECT_EQ(state.previousProgram, nullptr);
}
