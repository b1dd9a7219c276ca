// The scheduler: the one-second tick (the time field, the first sort, the user's presence, the walk that fires due
// alarms, settings unreadable at start-up, the user's commands), and the actions of a due alarm with the programs
// alarms launch (order, silence, postponed launches, watch entries, close rules).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scheduler/alarm_engine.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp NOON = 889959600;  // 1998-03-15 12:00:00 in the test zone (UTC+1)
constexpr Timestamp MIDNIGHT = NOON - 12 * 3600;
constexpr Duration DAY = 86400;
const char* const SAVE = "writeSettings AlarmList";
const std::string SHOWN = " @" + std::to_string(NOON + 5);
using Calls = std::vector<std::string>;
using Handles = std::vector<ProcessHandle>;

// The alarm engine wired to the fake platform, as the program starts it on empty settings. The test is the
// engine's view too: it logs each call of the view into the platform's calls, so that the order of views and
// platform calls can be checked together.
class SchedulerTest : public ::testing::Test, public AlarmView {
protected:
    SchedulerTest()
    {
        engine.setView(this);
        EXPECT_TRUE(engine.loadSettings());
        platform.calls.clear();
    }
    // An armed alarm at the end of the list; its program and wave are named after it.
    Alarm& addAlarm(const std::string& message, std::uint32_t flags, Timestamp time)
    {
        auto alarm = std::make_unique<Alarm>(time);
        alarm->message = message;
        alarm->flags = flags;
        alarm->state = ALARM_STATE_ARMED;
        alarm->commandLine = message + ".exe";
        alarm->waveFile = "ding.wav";
        state.alarmsChanged = true;
        return alarms.append(std::move(alarm));
    }
    static long countOf(const Calls& calls, const std::string& prefix)
    {
        return std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    }
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
    // The calls of the actions of an alarm found due at the tick five seconds after noon.
    Calls run(Alarm& alarm)
    {
        state.tickTime = NOON + 5;
        platform.calls.clear();
        programs.runAlarmActions(alarm);
        return platform.calls;
    }
    static bool pending(const Alarm& alarm) { return (alarm.flags & ALARM_EXECUTE_PENDING) != 0; }

    // --- AlarmView ---
    void insertAlarmRow(Alarm& alarm) override { log("insertAlarmRow " + alarm.message); }
    void showCurrentTime(Timestamp tickTime) override { log("showCurrentTime " + std::to_string(tickTime)); }
    void sortRows(SortDirection direction) override
    {
        log(direction == SortDirection::LatestFirst ? "sortRows latest first" : "sortRows earliest first");
    }
    void refreshRow(Alarm& alarm) override { log("refreshRow " + alarm.message); }
    void deleteRow(const Alarm& alarm) override { log("deleteRow " + alarm.message); }
    void openMessageWindow(const std::string& message, Timestamp tickTime) override
    {
        log("openMessageWindow " + message + " @" + std::to_string(tickTime));
        if (duringMessageWindow)
            duringMessageWindow();  // a modal loop of the tick, say
    }
    void settingsLoaded() override { log("settingsLoaded"); }
    void log(const std::string& call) { platform.calls.push_back(call); }

    FakePlatform platform;
    AlarmEngine engine{platform, "C:\\Alarms"};
    SchedulerState& state = engine.state();
    AlarmCollection& alarms = engine.alarms();
    ProgramControl& programs = engine.programs();
    std::function<void()> duringMessageWindow;
};

using ProgramControlTest = SchedulerTest;

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
    EXPECT_EQ(firingsAt(NOON + 1000),  // one save for the whole walk
              (Calls{"openMessageWindow later", "refreshRow later", "openMessageWindow earlier", "refreshRow earlier",
                     "openMessageWindow fired", "deleteRow fired", "refreshRow missed", "refreshRow daily", SAVE}));
    EXPECT_EQ(countOf(platform.calls, "openMessageWindow later @889960600"), 1);
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
    EXPECT_TRUE(platform.released == Handles{100} && !alarms.contains(waiting));
    EXPECT_EQ(platform.terminated, Handles(4, 100));
    EXPECT_TRUE(state.previousProgram->process == 101u && alarms.size() == 3u);
}

// Start-up takes the theme, the silence, the list order and the alarms from the settings, sorted once. A file
// that cannot be read is not written until it has been loaded; alarms added meanwhile are then saved.
TEST_F(SchedulerTest, SettingsUnreadableAtStartAreLoadedWhenReadableAndNotWrittenBefore)
{
    platform.settings = ProfileDocument("[Options]\nTheme=Russian\nSilence=22:00:00, 07:00:00\nFlags=0\n[AlarmList]\n"
                                        "0=1998:03:15-12:00:05,-1,1,2, 0:00:00:00,0:00:00:00,,,,stored\n"
                                        "1=1998:03:16-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,second\n");
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
    engine.replaceAlarm(&added, added, edited);  // re-armed, its row rewritten
    EXPECT_TRUE(added.message == "changed" && added.isArmed() && other->isArmed() && platform.settingFileWrites == 3);
    state.tickRunning = true;  // not from a modal loop of the tick, which still walks the alarms
    engine.deleteAlarms({other});
    state.tickRunning = false;
    engine.deleteAlarms({other});
    const Alarm& again = engine.replaceAlarm(other, edited, edited);  // destroyed meanwhile (fired, say): added anew
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

TEST(ShowCommandTest, MinimizedWinsOverMaximized)
{
    // Normal and maximized are in the launches below.
    EXPECT_EQ(ProgramControl::showCommandFor(ALARM_WINDOW_MINIMIZED | ALARM_WINDOW_MAXIMIZED), SHOW_MINIMIZED);
}

TEST_F(ProgramControlTest, ActionsRunInOrderAndTheLaunchLeavesAWatchEntryInTheSlot)
{
    // The announcement, with no words stored, writes the defaults of the theme.
    const std::uint32_t all = ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE;
    Alarm& alarm = addAlarm("A", all | ALARM_WINDOW_MAXIMIZED | ALARM_CLOSE_AFTER, NOON);
    alarm.commandLine = "notepad.exe   my notes.txt", alarm.workingFolder = "D:\\Work", alarm.closeAfter = 600;
    EXPECT_EQ(run(alarm),
              (Calls{"playSoundFile ding.wav sync", "writeSettings Speak 35", "openMessageWindow A" + SHOWN,
                     "launchProgram notepad.exe | my notes.txt | D:\\Work | 3"}));
    const Alarm& entry = *std::next(alarms.begin());
    EXPECT_TRUE(alarms.size() == 2u && state.previousProgram == &entry && entry.state == ALARM_STATE_WATCH);
    EXPECT_TRUE(entry.time == NOON + 600 && entry.process == 100u && entry.commandLine == alarm.commandLine);
    Alarm& again = addAlarm("C", all | ALARM_EXECUTE_PENDING, NOON);
    EXPECT_EQ(run(again), (Calls{"launchProgram C.exe |  |  | 10"}));
    EXPECT_TRUE(!pending(again) && state.previousProgram->flags == again.flags);  // only launched, entry unmarked
    // Silence goes by the alarm's own time (23:30 the day before) and stops only sounds; a wave alone plays on.
    state.silence = SilencePeriod{22 * 3600, 7 * 3600};
    EXPECT_EQ(run(addAlarm("late", all, MIDNIGHT - 1800)),
              (Calls{"openMessageWindow late" + SHOWN, "launchProgram late.exe |  |  | 10"}));
    EXPECT_EQ(run(addAlarm("end", ALARM_PLAY_WAVE, MIDNIGHT + 7 * 3600)), (Calls{"playSoundFile ding.wav async"}));
    EXPECT_TRUE(run(addAlarm("in", ALARM_PLAY_WAVE, MIDNIGHT + 7 * 3600 - 1)).empty());
}

TEST_F(ProgramControlTest, LaunchWaitsForThePreviousProgramAndForTheUserAway)
{
    run(addAlarm("a", ALARM_EXECUTE | ALARM_CLOSE_ON_NEXT_EXECUTE, NOON));
    run(addAlarm("b", ALARM_EXECUTE, NOON));
    EXPECT_EQ(platform.terminated, Handles{100});  // a's program, at b's launch
    Alarm& waiting = addAlarm("w", ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED | ALARM_SHOW_MESSAGE, NOON);
    EXPECT_EQ(run(waiting), (Calls{"openMessageWindow w" + SHOWN}));
    // a's entry is out of the slot: never reaped. b's, still running or its code unreadable: not yet.
    platform.exitCodes[100] = 0;
    programs.reapExitedProgram();
    platform.exitCodes.erase(101);
    programs.reapExitedProgram();
    EXPECT_EQ(run(waiting), Calls{});
    EXPECT_TRUE(pending(waiting) && platform.released.empty() && alarms.size() == 5u);
    platform.exitCodes[101] = 0;
    programs.reapExitedProgram();
    EXPECT_TRUE(platform.released == Handles{101} && state.previousProgram == nullptr && alarms.size() == 4u);
    EXPECT_EQ(run(waiting), (Calls{"launchProgram w.exe |  |  | 10"}));
    EXPECT_TRUE(!pending(waiting) && platform.terminated == Handles{100});  // b had no close-on-next
    Alarm& away = addAlarm("away", ALARM_EXECUTE | ALARM_WAIT_FOR_USER_AWAY, NOON);
    EXPECT_TRUE(run(away).empty() && pending(away));  // the user is there
    state.userPresent = false;
    EXPECT_TRUE(run(away).size() == 1u && !pending(away) && state.previousProgram->process == 103u);
    // A launch that gives no handle holds the slot, never reaped nor terminated, until the next one.
    platform.launchGivesProcess = false;
    run(addAlarm("f", ALARM_EXECUTE | ALARM_CLOSE_ON_NEXT_EXECUTE | ALARM_CLOSE_WHEN_USER_BACK, NOON));
    programs.reapExitedProgram();
    programs.applyCloseRules(*state.previousProgram);
    run(waiting);
    platform.launchGivesProcess = true;
    run(addAlarm("n", ALARM_EXECUTE, NOON));
    EXPECT_TRUE(pending(waiting) && state.previousProgram->process == 104u && platform.terminated.size() == 1u);
    programs.releaseWatchEntries();  // at the end every handle is given back; the programs keep running
    EXPECT_TRUE(platform.released == (Handles{101, 100, 102, 103, 104}) && state.previousProgram == nullptr);
    EXPECT_TRUE(alarms.size() == 6u && platform.terminated.size() == 1u);
}

TEST_F(ProgramControlTest, CloseRulesAskAgainAtEveryScanWhileTheyHold)
{
    Alarm entry(NOON + 5);
    entry.state = ALARM_STATE_WATCH, entry.process = 7;
    const auto closes = [&](std::uint32_t flags, bool userPresent, Timestamp tick) {
        entry.flags = flags, state.userPresent = userPresent, state.tickTime = tick;
        platform.terminated.clear();
        programs.applyCloseRules(entry);
        return platform.terminated;
    };
    const std::uint32_t AFTER = ALARM_CLOSE_AFTER, BACK = ALARM_CLOSE_WHEN_USER_BACK;
    EXPECT_TRUE(closes(AFTER, true, NOON + 5).empty() && closes(AFTER, false, NOON + 6) == Handles{7});
    EXPECT_TRUE(closes(BACK, false, NOON).empty() && closes(BACK, true, NOON) == Handles{7});
    EXPECT_TRUE(closes(AFTER | BACK, true, NOON + 6) == Handles{7} &&  // one for both
                closes(ALARM_CLOSE_ON_NEXT_EXECUTE, true, NOON + 6).empty());
}
