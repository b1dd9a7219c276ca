// The actions of a due alarm and the programs alarms launch: the order of
// the actions, silence, postponed launches, watch entries and close rules.
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
    ProgramControlTest() { state.tickTime = NOON + 5; }
    // The calls of the alarm's actions, without the reads of settings and files.
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
        {"  \t calc.exe   ", {"calc.exe", ""}},
        {" \t ", {"", ""}},
        {"\"C:\\Program Files\\x.exe\" -a", {"\"C:\\Program", "Files\\x.exe\" -a"}},
        {"run.exe first\nsecond", {"run.exe", "first"}},
        {"run.exe\n  next line", {"run.exe", "next line"}},
        {std::string(300, 'p') + " " + std::string(300, 'q'), {std::string(255, 'p'), std::string(255, 'q')}},
    };
    for (const auto& [text, expected] : cases) {
        const ProgramControl::CommandParts parts = ProgramControl::splitCommandLine(text);
        EXPECT_EQ(Pair(parts.program, parts.parameters), expected) << text;
    }
    EXPECT_TRUE(ProgramControl::showCommandFor(0) == SHOW_DEFAULT &&
                ProgramControl::showCommandFor(ALARM_WINDOW_MAXIMIZED) == SHOW_MAXIMIZED &&
                ProgramControl::showCommandFor(ALARM_WINDOW_MINIMIZED | ALARM_WINDOW_MAXIMIZED) == SHOW_MINIMIZED);
}

TEST_F(ProgramControlTest, ActionsRunInOrderAndTheLaunchLeavesAWatchEntryInTheSlot)
{
    announcer.writeDefaultSpeakEntries("Default");
    for (const char* piece : {"12", "hour", "0", "minute"})
        platform.files["C:\\Alarms\\speak\\Default\\" + std::string(piece) + ".wav"] = {
            static_cast<unsigned char>(piece[0])};
    Alarm& alarm = addAlarm("A",
                            ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE |
                                ALARM_WINDOW_MAXIMIZED | ALARM_CLOSE_AFTER,
                            NOON);
    alarm.commandLine = "notepad.exe   my notes.txt";
    alarm.workingFolder = "D:\\Work";
    alarm.closeAfter = 600;
    EXPECT_EQ(run(alarm),
              (Calls{"playSoundFile ding.wav sync", "playSoundMemory 1", "playSoundMemory h", "playSoundMemory 0",
                     "playSoundMemory m", "openMessageWindow A" + SHOWN,
                     "launchProgram notepad.exe | my notes.txt | D:\\Work | 3"}));
    const Alarm& entry = *std::next(alarms.begin());
    EXPECT_TRUE(alarms.size() == 2u && state.previousProgram == &entry && entry.state == ALARM_STATE_WATCH);
    EXPECT_TRUE(entry.time == NOON + 600 && entry.process == 100u && entry.commandLine == alarm.commandLine);

    // The wave alone plays on while the message opens; a pending alarm only
    // launches, and its entry does not carry the pending flag.
    EXPECT_EQ(run(addAlarm("B", ALARM_PLAY_WAVE | ALARM_SHOW_MESSAGE, NOON)),
              (Calls{"playSoundFile ding.wav async", "openMessageWindow B" + SHOWN}));
    Alarm& again = addAlarm("C", ALARM_PLAY_WAVE | ALARM_SHOW_MESSAGE | ALARM_EXECUTE | ALARM_EXECUTE_PENDING, NOON);
    EXPECT_EQ(run(again), (Calls{"launchProgram C.exe |  |  | 10"}));
    EXPECT_TRUE(!pending(again) && state.previousProgram->flags == again.flags);
}

TEST_F(ProgramControlTest, SilenceByTheAlarmsOwnTimeStopsOnlySounds)
{
    state.silence = SilencePeriod{22 * 3600, 7 * 3600};
    // 23:30 the day before, fired at noon: judged by 23:30, silent.
    const std::uint32_t all = ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE;
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
    EXPECT_TRUE(pending(waiting));

    // a's entry is out of the slot: its end is never reaped. b's program
    // still running, or its code unreadable: not reaped either.
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
    run(away);
    EXPECT_TRUE(pending(away));
    state.userPresent = false;
    run(away);
    EXPECT_TRUE(!pending(away) && platform.launches.size() == 4u);
}

TEST_F(ProgramControlTest, FailedLaunchKeepsTheSlotUntilTheNextLaunch)
{
    platform.launchGivesProcess = false;
    run(addAlarm("f", ALARM_EXECUTE | ALARM_CLOSE_ON_NEXT_EXECUTE | ALARM_CLOSE_WHEN_USER_BACK, NOON));
    ASSERT_NE(state.previousProgram, nullptr);
    EXPECT_EQ(state.previousProgram->process, NO_PROCESS);
    programs.reapExitedProgram();
    programs.applyCloseRules(*state.previousProgram);
    Alarm& waiting = addAlarm("w", ALARM_EXECUTE | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED, NOON);
    run(waiting);
    EXPECT_TRUE(pending(waiting));
    platform.launchGivesProcess = true;
    run(addAlarm("n", ALARM_EXECUTE, NOON));
    EXPECT_TRUE(state.previousProgram->process == 100u && platform.terminated.empty());  // nothing to terminate

    // At the end every handle is given back; the programs keep running.
    run(addAlarm("m", ALARM_EXECUTE, NOON));
    programs.releaseWatchEntries();
    EXPECT_EQ(platform.released, (Handles{100, 101}));
    EXPECT_TRUE(state.previousProgram == nullptr && alarms.size() == 4u && platform.terminated.empty());
}

TEST_F(ProgramControlTest, CloseRulesAskAgainAtEveryScanWhileTheyHold)
{
    Alarm entry(NOON + 5);
    entry.state = ALARM_STATE_WATCH, entry.process = 7;
    const std::uint32_t AFTER = ALARM_CLOSE_AFTER, BACK = ALARM_CLOSE_WHEN_USER_BACK;
    const struct {
        std::uint32_t flags;
        bool userPresent;
        Timestamp tick;
        std::size_t terminations;
    } cases[] = {{AFTER, true, NOON + 5, 0},
                 {AFTER, false, NOON + 6, 1},
                 {BACK, false, NOON, 0},
                 {BACK, true, NOON, 1},
                 {AFTER | BACK, true, NOON + 6, 1},
                 {ALARM_CLOSE_ON_NEXT_EXECUTE, true, NOON + 6, 0}};
    for (const auto& c : cases) {
        entry.flags = c.flags, state.userPresent = c.userPresent, state.tickTime = c.tick;
        platform.terminated.clear();
        programs.applyCloseRules(entry);
        EXPECT_EQ(platform.terminated, Handles(c.terminations, 7)) << c.flags << " " << c.tick;
    }
}
