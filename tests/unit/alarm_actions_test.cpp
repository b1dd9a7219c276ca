// The actions of a due alarm: wave, announcement, message window and launch, in order, with a wave alone played without waiting.
#include <gtest/gtest.h>

#include "support/engine_rig.h"

using AlarmActionsTest = EngineRig;

TEST_F(AlarmActionsTest, ActionsRunInOrderAndTheLaunchLeavesAWatchEntryInTheSlot)
{
    // The announcement, with no words stored and no theme.ini, writes the defaults of the theme and reads the
    // wave files of the time (their four reads are left out here).
    const std::uint32_t all = ALARM_PLAY_WAVE | ALARM_SAY_TIME | ALARM_SHOW_MESSAGE | ALARM_EXECUTE;
    Alarm& alarm = addAlarm("A", all | ALARM_WINDOW_MAXIMIZED | ALARM_CLOSE_AFTER | ALARM_CLOSE_ON_NEXT_EXECUTE, NOON);
    alarm.commandLine = "notepad.exe   my notes.txt", alarm.workingFolder = "D:\\Work", alarm.closeAfter = 600;
    Calls actions = run(alarm);
    actions.erase(actions.begin() + 3, actions.begin() + 7);
    EXPECT_EQ(actions, (Calls{"playSoundFile ding.wav sync", "readWholeFile C:\\Alarms\\speak\\Default\\theme.ini",
                              "writeSettings Speak 35", "openMessageWindow A" + SHOWN,
                              "launchProgram notepad.exe | my notes.txt | D:\\Work | 3"}));
    const Alarm& entry = *std::next(alarms.begin());
    EXPECT_TRUE(alarms.size() == 2u && state.previousProgram == &entry && entry.state == ALARM_STATE_WATCH);
    EXPECT_TRUE(entry.time == NOON + 600 && entry.process == 100u && entry.commandLine == alarm.commandLine);
    Alarm& again = addAlarm("C", all | ALARM_EXECUTE_PENDING, NOON);
    EXPECT_EQ(run(again), (Calls{"launchProgram C.exe |  |  | 10"}));
    // Only launched, its entry unmarked; A's program is closed as the next one starts.
    EXPECT_TRUE(!again.has(ALARM_EXECUTE_PENDING) && state.previousProgram->flags == again.flags &&
                platform.terminated == Handles{100});
    // A wave alone plays on while the program goes on; an alarm with no instant is never silent (the silence of the
    // others: SimulatedYearTest).
    state.silence = SilencePeriod{1, 0};
    EXPECT_EQ(run(addAlarm("wave", ALARM_PLAY_WAVE, INVALID_TIME)), (Calls{"playSoundFile ding.wav async"}));
}
