// Snooze: the delay remembered in the settings, and the alarm that rings again.
#include <gtest/gtest.h>

#include "scheduler/snooze.h"

TEST(Snooze, DelayIsOneTheWindowOffersOrTheDefault)
{
    std::string offered;
    for (const int minutes : snooze::DELAYS)
        offered += snooze::delayText(minutes) + ";";
    EXPECT_EQ(offered, "5 minutes;10 minutes;15 minutes;30 minutes;1 hour;");
    const std::pair<const char*, int> rows[] = {{"5", 5}, {" 30 ", 30}, {"60", 60}, {"15", 15},
                                                {"", 10}, {"7", 10},    {"5x", 10}, {"-5", 10}};
    for (const auto& [stored, delay] : rows)
        EXPECT_EQ(snooze::parseDelay(stored), delay) << stored;
}

TEST(Snooze, AlarmRingsOnceFromThePressCarryingTheMessageAndSoundsButNoProgram)
{
    Alarm fired(1000);
    fired.message = "Tea", fired.waveFile = "kettle.wav", fired.commandLine = "tea.exe", fired.workingFolder = "C:\\T";
    fired.repeatInterval = 3600, fired.repeatCount = 4, fired.closeAfter = 60, fired.state = ALARM_STATE_IDLE;
    const std::uint32_t sounds = ALARM_SHOW_MESSAGE | ALARM_PLAY_WAVE | ALARM_SAY_TIME;
    fired.flags = ~ALARM_AUTODELETE;  // every other bit: only the sounds are carried
    const Alarm snoozed = snooze::alarmFor(fired, 5000, 15);
    EXPECT_TRUE(snoozed.flags == (sounds | ALARM_AUTODELETE) && snoozed.time == 5000 + 15 * 60 &&
                snoozed.state == ALARM_STATE_ARMED && snoozed.repeatCount == -1);
    EXPECT_TRUE(snoozed.repeatInterval == 0 && snoozed.closeAfter == 0 && snoozed.message == "Tea" &&
                snoozed.waveFile == "kettle.wav" && snoozed.commandLine.str().empty() &&
                snoozed.workingFolder.str().empty());
    fired.flags = ALARM_SHOW_MESSAGE | ALARM_AUTODELETE;
    EXPECT_EQ(snooze::alarmFor(fired, 5000, 15).flags, fired.flags);
    EXPECT_EQ(snooze::alarmFor(fired, 2147483000, 60).time, 2147483647) << "held to the last instant";
}
