// The watch of launched programs: launches that wait for the previous program or for the user away, reaping,
// close rules, and the release of every handle at the end.
#include <gtest/gtest.h>

#include "support/engine_rig.h"

using ProgramWatchTest = EngineRig;

TEST_F(ProgramWatchTest, LaunchWaitsForThePreviousProgramAndForTheUserAway)
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

TEST_F(ProgramWatchTest, CloseRulesAskAgainAtEveryScanWhileTheyHold)
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
