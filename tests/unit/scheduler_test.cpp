// The one-second tick: the time field, the first sort, the user's presence,
// the walk that fires due alarms, and settings unreadable at start-up.
#include <gtest/gtest.h>

#include "support/scheduler_rig.h"

namespace {

constexpr Timestamp NOON = 889959600;  // 1998-03-15 12:00:00 in the test zone (UTC+1)
constexpr Duration DAY = 86400;
const char* const SAVE = "writeSettings AlarmList";

class SchedulerTest : public SchedulerRig {
protected:
    // All calls of one tick at the given time.
    Calls tickAt(Timestamp time)
    {
        platform.calls.clear();
        platform.clock = time;
        engine.tick();
        return platform.calls;
    }
    // The calls of one tick that show or store the firing of alarms.
    Calls firingsAt(Timestamp time)
    {
        Calls seen;
        for (const auto& call : tickAt(time))
            for (const char* kind : {"openMessageWindow", "refreshRow", "deleteRow", SAVE, "launchProgram"})
                if (call.rfind(kind, 0) == 0)
                    seen.push_back(kind == SAVE ? std::string(SAVE) : call.substr(0, call.find(" @")));
        return seen;
    }
};

}  // namespace

TEST_F(SchedulerTest, TickShowsTheTimeSortsOnceAndWalksOnlyWhenSomethingMayBeDue)
{
    const std::string at = "showCurrentTime " + std::to_string(NOON);
    EXPECT_EQ(tickAt(NOON), (Calls{at, "sortRows latest first"}));
    EXPECT_TRUE(state.tickTime == NOON && !state.sortPending && !state.tickRunning);
    EXPECT_EQ(tickAt(NOON), (Calls{at}));
    state.listFlags = 0, state.sortPending = true;
    EXPECT_EQ(tickAt(NOON), (Calls{at, "sortRows earliest first"}));

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
    state.userPresent = false, state.alarmsChanged = true, platform.cursorAvailable = false;
    platform.cursor = ScreenPoint{40, 40};  // an unreadable position changes nothing
    tickAt(NOON + 12);
    EXPECT_TRUE(!state.userPresent && state.lastPointer.y == 8);
}

TEST_F(SchedulerTest, DueAlarmsFireInCollectionOrderWithOneSaveAfterTheWalk)
{
    const std::uint32_t inTime = ALARM_SHOW_MESSAGE | ALARM_IN_TIME | ALARM_AUTODELETE;
    Alarm& later = addAlarm("later", ALARM_SHOW_MESSAGE, NOON + 60);
    Alarm& earlier = addAlarm("earlier", ALARM_SHOW_MESSAGE, NOON);
    EXPECT_TRUE(firingsAt(NOON).empty());
    // A modal loop in the tick (a box, say) runs a nested tick: it does nothing.
    duringMessageWindow = [this] { engine.tick(); };
    EXPECT_EQ(firingsAt(NOON + 1), (Calls{"openMessageWindow earlier", "refreshRow earlier", SAVE}));
    EXPECT_TRUE(earlier.state == ALARM_STATE_IDLE && countOf(platform.calls, "showCurrentTime") == 1);

    earlier.state = ALARM_STATE_ARMED;
    Alarm* fired = &addAlarm("fired", inTime, NOON + 1000 - 299);
    Alarm& missed = addAlarm("missed", inTime, NOON + 1000 - 300);
    Alarm& daily = addAlarm("daily", ALARM_REPEAT, NOON - 3 * DAY);
    daily.repeatInterval = DAY;
    platform.settingFileWrites = 0;
    EXPECT_EQ(firingsAt(NOON + 1000),
              (Calls{"openMessageWindow later", "refreshRow later", "openMessageWindow earlier", "refreshRow earlier",
                     "openMessageWindow fired", "deleteRow fired", "refreshRow missed", "refreshRow daily", SAVE}));
    EXPECT_TRUE(platform.settingFileWrites == 1 && countOf(platform.calls, "openMessageWindow later @889960600") == 1);
    EXPECT_EQ(platform.readSetting("AlarmList", "3").substr(0, 19), "1998:03:16-12:00:00");  // as it ends
    EXPECT_TRUE(!alarms.contains(fired) && missed.state == ALARM_STATE_IDLE && missed.time == NOON + 700);
    EXPECT_TRUE(later.state == ALARM_STATE_IDLE && daily.time == NOON + DAY && daily.state == ALARM_STATE_ARMED);
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
    EXPECT_TRUE(platform.released == std::vector<ProcessHandle>{100} && !alarms.contains(waiting));
    EXPECT_EQ(platform.terminated, std::vector<ProcessHandle>(4, 100));
    EXPECT_TRUE(state.previousProgram->process == 101u && alarms.size() == 3u);
}

// Start-up takes the theme, the silence, the list order and the alarms from the settings, sorted once. A file
// that cannot be read is not written until it has been loaded; alarms added meanwhile are then saved.
TEST_F(SchedulerTest, SettingsUnreadableAtStartAreLoadedWhenReadableAndNotWrittenBefore)
{
    platform.putSetting("Options", "Theme", "Russian");
    platform.putSetting("Options", "Silence", "22:00:00, 07:00:00");
    platform.putSetting("Options", "Flags", "0");
    platform.putSetting("AlarmList", "0", "1998:03:15-12:00:05,-1,1,2, 0:00:00:00,0:00:00:00,,,,stored");
    platform.putSetting("AlarmList", "1", "1998:03:16-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,second");
    platform.settingsUnreadable = true;
    AlarmEngine starting(platform, "C:\\Alarms");
    starting.setView(this);
    EXPECT_FALSE(starting.loadSettings());
    starting.addAlarm(Alarm(NOON + 3600));  // added meanwhile: kept, not saved
    for (platform.clock = NOON; platform.clock < NOON + 9; ++platform.clock)
        starting.tick();
    EXPECT_TRUE(platform.settingFileWrites == 0 && !starting.settingsLoaded() && starting.alarms().size() == 1u);
    EXPECT_EQ(countOf(platform.messages, "The settings file TIVRA.INI cannot be read"), 1);
    // Tried again every five ticks (the last at NOON + 4): once readable, everything is taken from it.
    platform.settingsUnreadable = false, platform.calls.clear();
    for (; !starting.settingsLoaded(); ++platform.clock)
        starting.tick();
    EXPECT_TRUE(platform.clock == NOON + 10 && starting.loadSettings());  // loaded at NOON + 9
    EXPECT_TRUE(starting.currentTheme() == "Russian" && starting.silence().from == 79200 &&
                starting.silence().to == 25200);
    const std::string at = std::to_string(NOON + 9);
    EXPECT_EQ(platform.calls,
              (Calls{"settingsLoaded", "insertAlarmRow stored", "insertAlarmRow second", "sortRows earliest first",
                     "writeSettings AlarmList 3", "showCurrentTime " + at, "openMessageWindow stored @" + at,
                     "refreshRow stored", "writeSettings AlarmList 3"}));
    EXPECT_EQ(platform.readSetting("AlarmList", "1").substr(0, 26), "1998:03:15-12:00:05,-1,0,2");  // fired
}

TEST_F(SchedulerTest, CommandsOfTheUserSaveOnceEach)
{
    Alarm edited(NOON);
    edited.message = "new";
    Alarm& added = engine.addAlarm(edited);
    Alarm* other = &engine.addAlarm(edited);
    edited.message = "changed";
    engine.replaceAlarm(&added, edited);  // re-armed, its row rewritten
    EXPECT_TRUE(added.message == "changed" && added.isArmed() && other->isArmed() && platform.settingFileWrites == 3);
    state.tickRunning = true;  // not from a modal loop of the tick, which still walks the alarms
    engine.deleteAlarms({other});
    state.tickRunning = false;
    engine.deleteAlarms({other});
    const Alarm& again = engine.replaceAlarm(other, edited);  // destroyed meanwhile (fired, say): added anew
    EXPECT_TRUE(again.isArmed() && again.message == "changed");
    engine.reverseListOrder();
    engine.applySetup("Russian", SilencePeriod{90000, 59});
    EXPECT_TRUE(countOf(platform.calls, "sortRows latest") == 3 && countOf(platform.calls, "refreshRow changed") == 1 &&
                countOf(platform.calls, "deleteRow new") == 1 && countOf(platform.calls, "sortRows earliest") == 1);
    EXPECT_TRUE(alarms.size() == 2u && platform.settingFileWrites == 8 && engine.currentTheme() == "Russian" &&
                engine.silence().from == 90000);
    EXPECT_EQ(platform.settingsText().substr(platform.settingsText().find("[Options]")),
              "[Options]\r\nFlags=0\r\nTheme=Russian\r\nSilence=01:00:00, 00:00:59\r\n");
}
