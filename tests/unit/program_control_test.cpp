// The actions of a due alarm and the programs alarms launch: the order of the
// actions, silence, postponed launches, watch entries, close rules.
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
    // The calls of the alarm's actions.
    Calls run(Alarm& alarm)
    {
        platform.calls.clear();
        programs.runAlarmActions(alarm);
        return platform.calls;
    }
    static bool pending(const Alarm& alarm) { return (alarm.flags & ALARM_EXECUTE_PENDING) != 0; }
    ProgramControl& programs = engine.programs();
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
