// Snooze: the delay remembered in the settings, and the alarm that rings again.
#include <gtest/gtest.h>

#include "scheduler/snooze.h"

TEST(Snooze, DelayIsOneTheWindowOffersOrTheDefault)
{
    std::string offered;
    for (const int minutes : snooze::DELAYS)
        offered += snooze::delayText(minutes) + ";";
    EXPECT_EQ(offered, "5 minutes;10 minutes;15 minutes;30 minutes;1 hour;");
    const struct {
        const char* stored;
        int delay;
    } rows[] = {{"5", 5}, {" 30 ", 30}, {"60", 60}, {"15", 15}, {"", 10}, {"7", 10}, {"5x", 10}, {"-5", 10}};
    for (const auto& row : rows)
        EXPECT_EQ(snooze::parseDelay(row.stored), row.delay) << row.stored;
}

TEST(Snooze, AlarmRingsOnceFromThePressCarryingTheMessageAndSoundsButNoProgram)
{
    Alarm fired(1000);
    fired.message = "Tea";
    fired.waveFile = "kettle.wav";
    fired.commandLine = "tea.exe";
    fired.workingFolder = "C:\\Tea";
    fired.repeatInterval = 3600;
    fired.repeatCount = 4;
    fired.closeAfter = 60;
    fired.state = ALARM_STATE_IDLE;
    const std::uint32_t sounds = ALARM_SHOW_MESSAGE | ALARM_PLAY_WAVE | ALARM_SAY_TIME;
    fired.flags = sounds | ALARM_REPEAT | ALARM_IN_TIME | ALARM_EXECUTE | ALARM_CLOSE_AFTER |
        ALARM_CLOSE_ON_NEXT_EXECUTE | ALARM_CLOSE_WHEN_USER_BACK | ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED |
        ALARM_WAIT_FOR_USER_AWAY | ALARM_EXECUTE_PENDING | ALARM_WINDOW_MAXIMIZED;
    const Alarm snoozed = snooze::alarmFor(fired, 5000, 15);
    EXPECT_TRUE(snoozed.flags == (sounds | ALARM_AUTODELETE) && snoozed.time == 5000 + 15 * 60 &&
                snoozed.state == ALARM_STATE_ARMED && snoozed.repeatCount == -1);
    EXPECT_TRUE(snoozed.repeatInterval == 0 && snoozed.closeAfter == 0);
    EXPECT_TRUE(snoozed.message == "Tea" && snoozed.waveFile == "kettle.wav");
    EXPECT_TRUE(snoozed.commandLine.str().empty() && snoozed.workingFolder.str().empty());
    fired.flags = ALARM_SHOW_MESSAGE | ALARM_AUTODELETE;
    EXPECT_EQ(snooze::alarmFor(fired, 5000, 15).flags, fired.flags);
    EXPECT_EQ(snooze::alarmFor(fired, 2147483000, 60).time, 2147483647) << "held to the last instant";
}
