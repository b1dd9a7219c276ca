#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scheduler_rig.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
constexpr Timestamp NOON = MIDNIGHT + 12 * 3600;
const std::string SHOWN = " @" + std::to_string(NOON + 5);
using Handles = std::vector<ProcessHandle>;

class ProgramControlTest : public SchedulerRig {
protected:
    ProgramControlTest()
    {
        state.startFolder = "C:\\Alarms";
        state.tickTime = NOON + 5;
    }
    // The calls of the platform and the view made by the alarm's actions,
    // without the reads of settings and files.
    Calls run(Alarm& alarm)
    {
        platform.calls.clear();
        programs.runAlarmActions(alarm);
        Calls seen;
        for (const auto& call : platform.calls)
            if (call.rfind("readSetting", 0) != 0 && call.rfind("readWholeFile", 0) != 0)
                seen.push_back(call);
        return seen;
    }
    Alarm& add(const std::string& name, std::uint32_t flags, Timestamp time = NOON)
    {
        Alarm& alarm = addAlarm(name, flags, time);
        alarm.waveFile = "ding.wav";
        return alarm;
    }
    std::size_t watchEntries() const
    {
        return static_cast<std::size_t>(
            std::count_if(alarms.begin(), alarms.end(), [](const Alarm& a) { return a.isWatchEntry(); }));
    }
    static bool pending(const Alarm& alarm) { return (alarm.flags & ALARM_EXECUTE_PENDING) != 0; }

    Announcer announcer{platform, state};
    ProgramControl programs{platform, state, alarms, view, announcer};
};

}  // namespace

TEST(SplitCommandLineTest, ProgramAndParametersEachCutAt255)
{
    using Pair = std::pair<std::string, std::string>;
    const std::pair<std::string, Pair> cases[] = {
        {"notepad.exe   my notes.txt", {"notepad.exe", "my notes.txt"}},
        {"  \t calc.exe", {"calc.exe", ""}},
        {"calc.exe   ", {"calc.exe", ""}},
        {" \t ", {"", ""}},
        {"", {"", ""}},
        {"\"C:\\Program Files\\x.exe\" -a", {"\"C:\\Program", "Files\\x.exe\" -a"}},
        {"run.exe first\nsecond", {"run.exe", "first"}},
        {"run.exe\n  next line", {"run.exe", "next line"}},
        {std::string(300, 'p') + " " + std::string(300, 'q'), {std::string(255, 'p'), std::string(255, 'q')}},
    };
    for (const auto& [text, expected] : cases) {
        const ProgramControl::CommandParts parts = ProgramControl::splitCommandLine(text);
        EXPECT_EQ(Pair(parts.program, parts.parameters), expected) << text;
    }
    EXPECT_EQ(ProgramControl::showCommandFor(0), SHOW_DEFAULT);
    EXPECT_EQ(ProgramControl::showCommandFor(ALARM_WINDOW_MINIMIZED), SHOW_MINIMIZED);
    EXPECT_EQ(ProgramControl::showCommandFor(ALARM_WINDOW_MAXIMIZED), SHOW_MAXIMIZED);
    EXPECT_EQ(ProgramControl::showCommandFor(ALARM_WINDOW_MINIMIZED | ALARM_WINDOW_MAXIMIZED), SHOW_MINIMIZED);
}

TEST_F(ProgramControlTest, ActionsRunInOrderWaveAnnouncementMessageLaunch)
{
    announcer.writeDefaultSpeakEntries("Default");
    for (const char* piece : {"12", "hour", "0", "minute"})
        platform.files["C:\\Alarms\\speak\\Default\\" + std::string(piece) + ".wav"] = {
            static_cast<unsigned char>(piece[0])};
    Alarm& alarm =
        add("A", ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE | ALARM_WINDOW_MAXIMIZED);
    alarm.commandLine = "notepad.exe   my notes.txt";
    alarm.workingFolder = "D:\\Work";
    EXPECT_EQ(run(alarm),
              (Calls{"playSoundFile ding.wav sync", "playSoundMemory 1", "playSoundMemory h", "playSoundMemory 0",
                     "playSoundMemory m", "openMessageWindow A" + SHOWN,
                     "launchProgram notepad.exe | my notes.txt | D:\\Work | 3"}));

    // The wave alone plays on while the message opens.
    EXPECT_EQ(run(add("B", ALARM_PLAY_WAVE | ALARM_SHOW_MESSAGE)),
              (Calls{"playSoundFile ding.wav async", "openMessageWindow B" + SHOWN}));
}

TEST_F(ProgramControlTest, SilenceByTheAlarmsOwnTimeStopsOnlySounds)
{
    state.silence = SilencePeriod{22 * 3600, 7 * 3600};
    // 23:30 the day before, fired at noon: judged by 23:30, silent.
    Alarm& late = add("late", ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE, MIDNIGHT - 1800);
    EXPECT_EQ(run(late), (Calls{"openMessageWindow late" + SHOWN, "launchProgram late.exe |  |  | 10"}));
    EXPECT_EQ(run(add("end", ALARM_PLAY_WAVE, MIDNIGHT + 7 * 3600)), (Calls{"playSoundFile ding.wav async"}));
}

TEST_F(ProgramControlTest, LaunchLeavesWatchEntryInTheSlot)
{
    Alarm& alarm = add("A", ALARM_EXECUTE | ALARM_EXECUTE_PENDING | ALARM_CLOSE_AFTER | ALARM_WINDOW_MINIMIZED);
    alarm.closeAfter = 600;
    EXPECT_EQ(run(alarm), (Calls{"launchProgram A.exe |  |  | 2"}));
    EXPECT_FALSE(pending(alarm));
    ASSERT_EQ(alarms.size(), 2u);
    const Alarm& entry = *std::next(alarms.begin());
    EXPECT_EQ(state.previousProgram, &entry);
    EXPECT_TRUE(entry.state == ALARM_STATE_WATCH && entry.time == NOON + 600 && entry.process == 100u);
    EXPECT_EQ(entry.flags, ALARM_EXECUTE | ALARM_CLOSE_AFTER | ALARM_WINDOW_MINIMIZED);
    EXPECT_EQ(entry.commandLine, alarm.commandLine);
}

TEST_F(ProgramControlTest, LaunchWaitsForThePreviousProgramAndForTheUserAway)
{
    run(add("first", ALARM_EXECUTE));
    Alarm& waiting = add("waiting", ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED | ALARM_SHOW_MESSAGE);
    EXPECT_EQ(run(waiting), (Calls{"openMessageWindow waiting" + SHOWN}));
    EXPECT_TRUE(pending(waiting));

    // Still running or its code unreadable: not reaped.
    programs.reapExitedProgram();
    platform.exitCodes.erase(100);
    programs.reapExitedProgram();
    EXPECT_EQ(run(waiting), Calls{});
    EXPECT_TRUE(pending(waiting) && platform.released.empty() && watchEntries() == 1);

    // Pending: no second message, and the launch is tried again.
    platform.exitCodes[100] = 0;
    programs.reapExitedProgram();
    EXPECT_EQ(platform.released, Handles{100});
    EXPECT_EQ(run(waiting), (Calls{"launchProgram waiting.exe |  |  | 10"}));
    EXPECT_FALSE(pending(waiting));

    Alarm& away = add("away", ALARM_EXECUTE | ALARM_WAIT_FOR_USER_AWAY);
    run(away);
    EXPECT_TRUE(pending(away));
    state.userPresent = false;
    run(away);
    EXPECT_FALSE(pending(away));
    EXPECT_EQ(platform.launches.size(), 3u);
}

TEST_F(ProgramControlTest, NextLaunchClosesThePreviousProgramOnlyWhenAsked)
{
    Alarm& c = add("c", ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED);
    run(add("a", ALARM_EXECUTE | ALARM_CLOSE_ON_NEXT_EXECUTE));
    run(add("b", ALARM_EXECUTE));
    EXPECT_EQ(platform.terminated, Handles{100});
    run(c);  // waits for b's program only
    EXPECT_TRUE(pending(c));

    // a's entry is out of the slot: its end is never reaped.
    platform.exitCodes[100] = 0;
    programs.reapExitedProgram();
    EXPECT_EQ(watchEntries(), 2u);
    EXPECT_EQ(state.previousProgram->process, 101u);

    platform.exitCodes[101] = 0;
    programs.reapExitedProgram();
    EXPECT_EQ(state.previousProgram, nullptr);
    EXPECT_EQ(watchEntries(), 1u);
    EXPECT_EQ(platform.released, Handles{101});
    EXPECT_EQ(platform.terminated, Handles{100});  // b's entry had no close-on-next
}

TEST_F(ProgramControlTest, FailedLaunchKeepsTheSlotUntilTheNextLaunch)
{
    platform.launchGivesProcess = false;
    run(add("f", ALARM_EXECUTE | ALARM_CLOSE_ON_NEXT_EXECUTE | ALARM_CLOSE_WHEN_USER_BACK));
    ASSERT_NE(state.previousProgram, nullptr);
    EXPECT_EQ(state.previousProgram->process, NO_PROCESS);
    programs.reapExitedProgram();
    programs.applyCloseRules(*state.previousProgram);
    EXPECT_NE(state.previousProgram, nullptr);

    Alarm& waiting = add("w", ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED);
    run(waiting);
    EXPECT_TRUE(pending(waiting));

    platform.launchGivesProcess = true;
    run(add("n", ALARM_EXECUTE));
    EXPECT_EQ(state.previousProgram->process, 100u);
    EXPECT_TRUE(platform.terminated.empty());  // nothing to terminate without a handle
}

TEST_F(ProgramControlTest, CloseRules)
{
    Alarm entry(NOON + 5);
    entry.state = ALARM_STATE_WATCH;
    entry.process = 7;
    const auto closes = [&](std::uint32_t flags, bool userPresent, Timestamp tick) {
        entry.flags = flags;
        state.userPresent = userPresent;
        state.tickTime = tick;
        platform.terminated.clear();
        programs.applyCloseRules(entry);
        return platform.terminated.size();
    };
    EXPECT_EQ(closes(ALARM_CLOSE_AFTER, true, NOON + 5), 0u);  // at the close time: not yet
    EXPECT_EQ(closes(ALARM_CLOSE_AFTER, true, NOON + 6), 1u);  // asked again at every scan
    EXPECT_EQ(closes(ALARM_CLOSE_AFTER, true, NOON + 7), 1u);
    EXPECT_EQ(platform.terminated, Handles{7});
    EXPECT_EQ(closes(ALARM_CLOSE_WHEN_USER_BACK, false, NOON), 0u);
    EXPECT_EQ(closes(ALARM_CLOSE_WHEN_USER_BACK, true, NOON), 1u);
    EXPECT_EQ(closes(ALARM_CLOSE_AFTER | ALARM_CLOSE_WHEN_USER_BACK, true, NOON + 6), 1u);  // one for both
    EXPECT_EQ(closes(ALARM_CLOSE_ON_NEXT_EXECUTE, true, NOON + 6), 0u);
}

TEST_F(ProgramControlTest, WatchEntriesGiveBackTheirHandlesAtTheEnd)
{
    Alarm& a = add("a", ALARM_EXECUTE);
    run(a);
    run(add("b", ALARM_EXECUTE));
    platform.launchGivesProcess = false;
    run(a);
    ASSERT_EQ(alarms.size(), 5u);

    programs.releaseWatchEntries();
    EXPECT_EQ(platform.released, (Handles{100, 101}));
    EXPECT_TRUE(state.previousProgram == nullptr && alarms.size() == 2u);
    EXPECT_TRUE(platform.terminated.empty());  // the programs keep running
}
