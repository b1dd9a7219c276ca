// The one-second tick: the time field, the user's presence, and the walk that fires due alarms with one save after it.
#include <gtest/gtest.h>

#include "support/engine_rig.h"

using SchedulerTest = EngineRig;

TEST_F(SchedulerTest, TickShowsTheTimeAndWalksOnlyWhenSomethingMayBeDue)
{
    EXPECT_EQ(tickAt(NOON), (Calls{"showCurrentTime " + std::to_string(NOON)}));
    EXPECT_TRUE(state.tickTime == NOON && !state.tickRunning);
    // The screen saver starts; only a pointer moved since then ends it. Presence
    // is asked for when the alarms are walked: not while nothing can be due.
    platform.cursor = ScreenPoint{7, 7};
    engine.userLeft();
    addAlarm("later", ALARM_SHOW_MESSAGE, NOON + 10);
    tickAt(NOON + 1);
    platform.cursor = ScreenPoint{7, 8};
    tickAt(NOON + 2);
    EXPECT_TRUE(!state.userPresent && state.lastPointer.y == 7);
    EXPECT_EQ(countOf(tickAt(NOON + 11), "openMessageWindow later"), 1);
    EXPECT_TRUE(state.userPresent && state.lastPointer.y == 8);
    // An edit in place makes the next tick walk.
    state.userPresent = false, platform.cursorAvailable = false;
    alarms.touch();
    platform.cursor = ScreenPoint{40, 40};  // an unreadable position changes nothing
    tickAt(NOON + 12);
    EXPECT_TRUE(!state.userPresent && state.lastPointer.y == 8);
}

// What each firing does, in list order, is held to the rules by SimulatedYearTest; here the walk's one save, and a
// nested tick from a modal loop of the tick (a box, say), which does nothing.
TEST_F(SchedulerTest, DueAlarmsFireWithOneSaveAfterTheWalkAndANestedTickDoesNothing)
{
    addAlarm("later", ALARM_SHOW_MESSAGE, NOON + 1);
    addAlarm("earlier", ALARM_SHOW_MESSAGE | ALARM_AUTODELETE, NOON);
    duringMessageWindow = [this] { engine.tick(); };
    EXPECT_EQ(firingsAt(NOON + 2), (Calls{"openMessageWindow later", "refreshRow later", "openMessageWindow earlier",
                                          "deleteRow earlier", SAVE}));
    EXPECT_EQ(countOf(platform.calls, "showCurrentTime"), 1);
}

TEST_F(SchedulerTest, PostponedLaunchStaysArmedUntilItHappensOrIsMissed)
{
    addAlarm("first", ALARM_EXECUTE | ALARM_CLOSE_AFTER, NOON);  // closed at every walk from its launch on
    const std::uint32_t waits = ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED;
    Alarm* waiting = &addAlarm("waiting", ALARM_SHOW_MESSAGE | ALARM_PLAY_WAVE | ALARM_AUTODELETE | waits, NOON + 10);
    Alarm& missed = addAlarm("missed", ALARM_IN_TIME | waits, NOON + 10);
    tickAt(NOON + 1);
    const Calls offered{"refreshRow waiting", "refreshRow missed", SAVE};
    EXPECT_EQ(firingsAt(NOON + 11), (Calls{"openMessageWindow waiting", offered[0], offered[1], SAVE}));
    EXPECT_TRUE(waiting->state == ALARM_STATE_ARMED && (waiting->flags & ALARM_EXECUTE_PENDING) != 0);
    EXPECT_EQ(firingsAt(NOON + 12), offered);   // offered again at every tick, without a second message
    EXPECT_EQ(firingsAt(NOON + 310), offered);  // missed while postponed: idle, nothing launched
    EXPECT_TRUE(missed.state == ALARM_STATE_IDLE && (missed.flags & ALARM_EXECUTE_PENDING) == 0);
    // The first program ends: reaped at the start of the scan, and the launch
    // happens in the same scan, which then destroys the Autodelete alarm.
    platform.exitCodes[100] = 0;
    EXPECT_EQ(firingsAt(NOON + 313), (Calls{"launchProgram waiting.exe |  |  | 10", "deleteRow waiting", SAVE}));
    EXPECT_TRUE(platform.released == Handles{100} && !alarms.contains(waiting));
    EXPECT_EQ(platform.terminated, Handles(4, 100));
    EXPECT_TRUE(state.previousProgram->process == 101u && alarms.size() == 3u);
    // A program whose exit code cannot be read is not reaped; at the end every handle is given back.
    platform.exitCodes.erase(101);
    tickAt(NOON + 314);
    EXPECT_EQ(platform.released, Handles{100});
    programs.releaseWatchEntries();
    EXPECT_TRUE(platform.released == (Handles{100, 101}) && state.previousProgram == nullptr);
}

// Alarms a tick skips as missed or rings a minute or more late are told once for the tick, each with its own
// line; a repeating alarm behind by hundreds of occurrences is one of them; a postponed launch tried again is
// not late; the next alarm is the earliest armed one, idle and watched ones aside.
TEST_F(SchedulerTest, LateAndMissedAlarmsAreToldOnceATickAndTheNextAlarmIsTheEarliestArmed)
{
    addAlarm("missed", ALARM_SHOW_MESSAGE | ALARM_IN_TIME, NOON - 600);
    addAlarm("late", ALARM_SHOW_MESSAGE, NOON - 600);
    addAlarm("punctual", ALARM_SHOW_MESSAGE, NOON - 59);
    Alarm& minutely = addAlarm("each minute", ALARM_REPEAT | ALARM_IN_TIME, NOON - 2 * DAY - 1);
    minutely.repeatInterval = 60;
    Alarm& next = addAlarm("next", ALARM_SHOW_MESSAGE, NOON + 3600);
    addAlarm("later", ALARM_SHOW_MESSAGE, NOON + 7200);
    addAlarm("idle", ALARM_SHOW_MESSAGE, NOON + 60).state = ALARM_STATE_IDLE;
    addAlarm("waits", ALARM_EXECUTE | ALARM_WAIT_FOR_USER_AWAY, NOON - 1);
    tickAt(NOON);
    ASSERT_EQ(lateNotices.size(), 1u);
    std::string told;
    for (const LateAlarm& late : lateNotices[0])
        told += late.message + " " + std::to_string(late.minutesLate) + ";";
    EXPECT_EQ(told, "missed " + std::to_string(LateAlarm::MISSED) + ";late 10;each minute " +
                  std::to_string(LateAlarm::MISSED) + ";");
    EXPECT_TRUE(lateNotices[0][0].time == NOON - 600 && nextAlarm == "each minute");
    minutely.state = ALARM_STATE_IDLE;
    alarms.touch();
    tickAt(NOON + 400);  // the waiting launch is tried again, long after its time
    EXPECT_TRUE(lateNotices.size() == 1u && nextAlarm == "next");
    engine.deleteAlarms({&next});
    tickAt(NOON + 402);
    EXPECT_EQ(nextAlarm, "later");
    tickAt(NOON + 7201);
    EXPECT_EQ(nextAlarm, "none");
}
