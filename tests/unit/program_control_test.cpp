#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scheduler/program_control.h"
#include "support/fake_platform.h"
#include "support/recording_view.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
constexpr Timestamp NOON = MIDNIGHT + 12 * 3600;

class ProgramControlTest : public ::testing::Test {
protected:
    ProgramControlTest()
    {
        state.startFolder = "C:\\Alarms";
        state.tickTime = NOON + 5;
    }

    Alarm& addAlarm(std::uint32_t flags, const std::string& message = "A", Timestamp time = NOON)
    {
        auto alarm = std::make_unique<Alarm>(time);
        alarm->flags = flags;
        alarm->state = ALARM_STATE_ARMED;
        alarm->message = message;
        alarm->waveFile = "ding.wav";
        alarm->commandLine = "notepad.exe   my notes.txt";
        alarm->workingFolder = "D:\\Work";
        return alarms.append(std::move(alarm));
    }

    // The calls of the platform and the view, without the reads of
    // settings and files.
    std::vector<std::string> actions() const
    {
        std::vector<std::string> seen;
        for (const auto& call : platform.calls)
            if (call.rfind("readSetting", 0) != 0 && call.rfind("readWholeFile", 0) != 0)
                seen.push_back(call);
        return seen;
    }

    std::vector<const Alarm*> watchEntries() const
    {
        std::vector<const Alarm*> entries;
        for (const Alarm& alarm : alarms)
            if (alarm.isWatchEntry())
                entries.push_back(&alarm);
        return entries;
    }

    FakePlatform platform;
    SchedulerState state;
    AlarmCollection alarms;
    RecordingView view{&platform.calls};
    Announcer announcer{platform, state};
    ProgramControl programs{platform, state, alarms, view, announcer};
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(SplitCommandLineTest, ProgramAndParameters)
{
    using Parts = ProgramControl::CommandParts;
    const auto split = [](const std::string& text) {
        const Parts parts = ProgramControl::splitCommandLine(text);
        return std::make_pair(parts.program, parts.parameters);
    };
    using Pair = std::pair<std::string, std::string>;
    EXPECT_EQ(split("notepad.exe   my notes.txt"), Pair("notepad.exe", "my notes.txt"));
    EXPECT_EQ(split("  \t calc.exe"), Pair("calc.exe", ""));
    EXPECT_EQ(split("calc.exe   "), Pair("calc.exe", ""));
    EXPECT_EQ(split(" \t "), Pair("", ""));
    EXPECT_EQ(split(""), Pair("", ""));
    EXPECT_EQ(split("\"C:\\Program Files\\x.exe\" -a"), Pair("\"C:\\Program", "Files\\x.exe\" -a"));
    EXPECT_EQ(split("run.exe first\nsecond"), Pair("run.exe", "first"));
    EXPECT_EQ(split("run.exe\n  next line"), Pair("run.exe", "next line"));
}

TEST(SplitCommandLineTest, PartsPastTheirLimitAreCut)
{
    const std::string program(300, 'p');
    const std::string parameters(300, 'q');
    const ProgramControl::CommandParts parts = ProgramControl::splitCommandLine(program + " " + parameters);
    EXPECT_EQ(parts.program, std::string(255, 'p'));
    EXPECT_EQ(parts.parameters, std::string(255, 'q'));
}

TEST(ShowCommandTest, MinimizedIsTestedFirst)
{
    EXPECT_EQ(ProgramControl::showCommandFor(0), SHOW_DEFAULT);
    EXPECT_EQ(ProgramControl::showCommandFor(ALARM_WINDOW_MINIMIZED), SHOW_MINIMIZED);
    EXPECT_EQ(ProgramControl::showCommandFor(ALARM_WINDOW_MAXIMIZED), SHOW_MAXIMIZED);
    EXPECT_EQ(ProgramControl::showCommandFor(ALARM_WINDOW_MINIMIZED | ALARM_WINDOW_MAXIMIZED), SHOW_MINIMIZED);
}

TEST_F(ProgramControlTest, ActionsRunInOrderWaveAnnouncementMessageLaunch)
{
    announcer.writeDefaultSpeakEntries("Default");
    platform.files["C:\\Alarms\\speak\\Default\\12.wav"] = {'1', '2'};
    platform.files["C:\\Alarms\\speak\\Default\\hour.wav"] = {'h'};
    platform.files["C:\\Alarms\\speak\\Default\\0.wav"] = {'0'};
    platform.files["C:\\Alarms\\speak\\Default\\minute.wav"] = {'m'};
    platform.calls.clear();
    Alarm& alarm = addAlarm(ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE |
                            ALARM_WINDOW_MAXIMIZED);
    programs.runAlarmActions(alarm);
    EXPECT_EQ(actions(), (Calls{"playSoundFile ding.wav sync", "playSoundMemory 12", "playSoundMemory h",
                                "playSoundMemory 0", "playSoundMemory m",
                                "openMessageWindow A @" + std::to_string(NOON + 5),
                                "launchProgram notepad.exe | my notes.txt | D:\\Work | 3"}));
}

TEST_F(ProgramControlTest, WaveAlonePlaysOnWhileTheMessageOpens)
{
    Alarm& alarm = addAlarm(ALARM_PLAY_WAVE | ALARM_SHOW_MESSAGE);
    programs.runAlarmActions(alarm);
    EXPECT_EQ(actions(), (Calls{"playSoundFile ding.wav async", "openMessageWindow A @" + std::to_string(NOON + 5)}));
    EXPECT_TRUE(alarms.size() == 1 && state.previousProgram == nullptr);
}

TEST_F(ProgramControlTest, SilenceByTheAlarmsOwnTimeStopsOnlySounds)
{
    state.silence = SilencePeriod{22 * 3600, 7 * 3600};
    const std::uint32_t everything = ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE;
    // 23:30 the day before, fired at noon: judged by 23:30, silent.
    Alarm& late = addAlarm(everything, "late", MIDNIGHT - 1800);
    programs.runAlarmActions(late);
    EXPECT_EQ(actions(), (Calls{"openMessageWindow late @" + std::to_string(NOON + 5),
                                "launchProgram notepad.exe | my notes.txt | D:\\Work | 10"}));

    platform.calls.clear();
    Alarm& atEnd = addAlarm(ALARM_PLAY_WAVE, "end", MIDNIGHT + 7 * 3600);
    programs.runAlarmActions(atEnd);
    EXPECT_EQ(actions(), (Calls{"playSoundFile ding.wav async"}));
}

TEST_F(ProgramControlTest, LaunchLeavesWatchEntryInTheSlot)
{
    Alarm& alarm = addAlarm(ALARM_EXECUTE | ALARM_EXECUTE_PENDING | ALARM_CLOSE_AFTER | ALARM_WINDOW_MINIMIZED);
    alarm.closeAfter = 600;
    programs.runAlarmActions(alarm);

    EXPECT_EQ(actions(), (Calls{"launchProgram notepad.exe | my notes.txt | D:\\Work | 2"}));
    EXPECT_EQ(alarm.flags & ALARM_EXECUTE_PENDING, 0u);
    ASSERT_EQ(alarms.size(), 2u);
    const Alarm& entry = *std::next(alarms.begin());
    EXPECT_EQ(state.previousProgram, &entry);
    EXPECT_EQ(entry.state, ALARM_STATE_WATCH);
    EXPECT_EQ(entry.time, NOON + 600);
    EXPECT_EQ(entry.process, 100u);
    EXPECT_EQ(entry.flags, ALARM_EXECUTE | ALARM_CLOSE_AFTER | ALARM_WINDOW_MINIMIZED);
    EXPECT_EQ(entry.commandLine, alarm.commandLine);
}

TEST_F(ProgramControlTest, LaunchWaitsForThePreviousProgramAndForTheUserAway)
{
    Alarm& first = addAlarm(ALARM_EXECUTE, "first");
    programs.runAlarmActions(first);
    Alarm& waiting = addAlarm(ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED | ALARM_SHOW_MESSAGE, "waiting");
    platform.calls.clear();
    programs.runAlarmActions(waiting);
    EXPECT_NE(waiting.flags & ALARM_EXECUTE_PENDING, 0u);
    EXPECT_EQ(actions(), (Calls{"openMessageWindow waiting @" + std::to_string(NOON + 5)}));

    // Pending: no second message, and the launch is tried again.
    platform.calls.clear();
    platform.exitCodes[100] = 0;
    programs.reapExitedProgram();
    programs.runAlarmActions(waiting);
    EXPECT_EQ(actions(), (Calls{"releaseProcess 100", "launchProgram notepad.exe | my notes.txt | D:\\Work | 10"}));
    EXPECT_EQ(waiting.flags & ALARM_EXECUTE_PENDING, 0u);

    Alarm& away = addAlarm(ALARM_EXECUTE | ALARM_WAIT_FOR_USER_AWAY, "away");
    programs.runAlarmActions(away);
    EXPECT_NE(away.flags & ALARM_EXECUTE_PENDING, 0u);
    state.userPresent = false;
    programs.runAlarmActions(away);
    EXPECT_EQ(away.flags & ALARM_EXECUTE_PENDING, 0u);
    EXPECT_EQ(platform.launches.size(), 3u);
}

TEST_F(ProgramControlTest, NextLaunchClosesThePreviousProgramOnlyWhenAsked)
{
    Alarm& a = addAlarm(ALARM_EXECUTE | ALARM_CLOSE_ON_NEXT_EXECUTE, "a");
    Alarm& b = addAlarm(ALARM_EXECUTE, "b");
    Alarm& c = addAlarm(ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED, "c");
    programs.runAlarmActions(a);
    programs.runAlarmActions(b);
    EXPECT_EQ(platform.terminated, (std::vector<ProcessHandle>{100}));
    programs.runAlarmActions(c);  // waits for b's program only
    EXPECT_NE(c.flags & ALARM_EXECUTE_PENDING, 0u);

    // a's entry is out of the slot: its end is never reaped.
    platform.exitCodes[100] = 0;
    programs.reapExitedProgram();
    EXPECT_EQ(watchEntries().size(), 2u);
    EXPECT_EQ(state.previousProgram->process, 101u);

    platform.exitCodes[101] = 0;
    programs.reapExitedProgram();
    EXPECT_EQ(state.previousProgram, nullptr);
    EXPECT_EQ(watchEntries().size(), 1u);
    EXPECT_EQ(platform.released, (std::vector<ProcessHandle>{101}));
    EXPECT_EQ(platform.terminated.size(), 1u);  // b's entry had no close-on-next
}

TEST_F(ProgramControlTest, RunningOrUnreadableProgramIsNotReaped)
{
    Alarm& alarm = addAlarm(ALARM_EXECUTE);
    programs.runAlarmActions(alarm);
    programs.reapExitedProgram();  // still running
    platform.exitCodes.erase(100);
    programs.reapExitedProgram();  // code cannot be read
    EXPECT_NE(state.previousProgram, nullptr);
    EXPECT_EQ(alarms.size(), 2u);
    EXPECT_TRUE(platform.released.empty());
}

TEST_F(ProgramControlTest, FailedLaunchKeepsTheSlotUntilTheNextLaunch)
{
    platform.launchGivesProcess = false;
    Alarm& failing = addAlarm(ALARM_EXECUTE | ALARM_CLOSE_ON_NEXT_EXECUTE | ALARM_CLOSE_WHEN_USER_BACK, "f");
    programs.runAlarmActions(failing);
    ASSERT_NE(state.previousProgram, nullptr);
    EXPECT_EQ(state.previousProgram->process, NO_PROCESS);
    programs.reapExitedProgram();
    programs.applyCloseRules(*state.previousProgram);
    EXPECT_NE(state.previousProgram, nullptr);

    Alarm& waiting = addAlarm(ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED, "w");
    programs.runAlarmActions(waiting);
    EXPECT_NE(waiting.flags & ALARM_EXECUTE_PENDING, 0u);

    platform.launchGivesProcess = true;
    Alarm& next = addAlarm(ALARM_EXECUTE, "n");
    programs.runAlarmActions(next);
    EXPECT_EQ(state.previousProgram->process, 100u);
    EXPECT_TRUE(platform.terminated.empty());  // nothing to terminate without a handle
}

TEST_F(ProgramControlTest, CloseRules)
{
    Alarm entry(NOON + 5);
    entry.state = ALARM_STATE_WATCH;
    entry.process = 7;

    entry.flags = ALARM_CLOSE_AFTER;
    programs.applyCloseRules(entry);  // tickTime equals the close time
    state.tickTime = NOON + 6;
    programs.applyCloseRules(entry);
    programs.applyCloseRules(entry);  // asked again at every scan
    EXPECT_EQ(platform.terminated, (std::vector<ProcessHandle>{7, 7}));

    platform.terminated.clear();
    entry.flags = ALARM_CLOSE_WHEN_USER_BACK;
    state.userPresent = false;
    programs.applyCloseRules(entry);
    state.userPresent = true;
    programs.applyCloseRules(entry);
    EXPECT_EQ(platform.terminated, (std::vector<ProcessHandle>{7}));

    // Both rules hold: one termination.
    platform.terminated.clear();
    entry.flags = ALARM_CLOSE_AFTER | ALARM_CLOSE_WHEN_USER_BACK;
    programs.applyCloseRules(entry);
    EXPECT_EQ(platform.terminated.size(), 1u);

    platform.terminated.clear();
    entry.flags = ALARM_CLOSE_ON_NEXT_EXECUTE;
    programs.applyCloseRules(entry);
    EXPECT_TRUE(platform.terminated.empty());
}

TEST_F(ProgramControlTest, WatchEntriesGiveBackTheirHandlesAtTheEnd)
{
    Alarm& a = addAlarm(ALARM_EXECUTE, "a");
    Alarm& b = addAlarm(ALARM_EXECUTE, "b");
    programs.runAlarmActions(a);
    programs.runAlarmActions(b);
    platform.launchGivesProcess = false;
    programs.runAlarmActions(a);
    ASSERT_EQ(alarms.size(), 5u);

    programs.releaseWatchEntries();
    EXPECT_EQ(platform.released, (std::vector<ProcessHandle>{100, 101}));
    EXPECT_EQ(state.previousProgram, nullptr);
    EXPECT_EQ(alarms.size(), 2u);
    EXPECT_TRUE(platform.terminated.empty());  // the programs keep running
}
