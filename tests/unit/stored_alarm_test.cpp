// The text form of one alarm in the settings file (StoredAlarm), through the file's own reading.
#include <gtest/gtest.h>

#include <string>

#include "model/stored_alarm.h"
#include "support/fake_platform.h"

TEST(StoredAlarmTest, BlanksEndingTheMessageComeBackAndOlderLinesReadAsBefore)
{
    FakePlatform platform;
    const auto throughFile = [&](const std::string& value) {
        platform.putSetting("AlarmList", "0", value);
        return StoredAlarm::parse(platform.readSetting("AlarmList", "0")).toAlarm(platform, 0).message.str();
    };
    const std::string head = "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,";
    // Message written now, and what comes back.
    const std::pair<std::string, std::string> written[] = {
        {"Tea  ", "Tea  "},   {"   ", "   "},         {"tab\t", "tab\t"}, {" a, b ", " a, b "},
        {"line\r\n", "line  "}, {"plain", "plain"}, {"", ""}};
    for (const auto& [message, back] : written) {
        Alarm alarm(889943400);
        alarm.message = message;
        EXPECT_EQ(throughFile(StoredAlarm::format(alarm, platform)), back) << message;
    }
    // Lines of older versions: blanks at the end were never kept, a bare comma ended the message.
    const std::pair<std::string, std::string> older[] = {
        {head + "Tea   ", "Tea"}, {head + "Hello, world", "Hello"}, {head + "a%2Cb ", "a,b"}};
    for (const auto& [line, message] : older)
        EXPECT_EQ(throughFile(line), message) << line;
}
