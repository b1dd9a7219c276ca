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
    const std::string old = "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,";
    // A message written now and what comes back, or a line of an older version (its end was never kept, a bare
    // comma ended its message) and what is read.
    const std::pair<std::string, std::string> rows[] = {
        {"Tea  ", "Tea  "}, {"   ", "   "},    {"tab\t", "tab\t"},        {" a, b ", " a, b "},     {"line\r\n", "line  "},
        {"plain", "plain"}, {"", ""},          {old + "Tea   ", "Tea"}, {old + "Hi, you", "Hi"}, {old + "a%2Cb ", "a,b"}};
    for (const auto& [message, back] : rows) {
        Alarm alarm(889943400);
        alarm.message = message;
        EXPECT_EQ(throughFile(message.rfind(old, 0) == 0 ? message : StoredAlarm::format(alarm, platform)), back)
            << message;
    }
}
