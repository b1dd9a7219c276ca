// The words of the notice of missed and late alarms.
#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "ui/late_alarm_text.h"

TEST(LateAlarmText, EachAlarmHasALineAndTheBalloonCountsThem)
{
    FakePlatform platform;
    DateTimeText texts(platform);
    const Timestamp noon = 889959600;  // Sunday 15 March 1998, 12:00 in the test zone
    const LateAlarm missed{noon, "Wake up", LateAlarm::MISSED}, oneMinute{noon + 30, "", 1}, late{noon, "Tea", 125};
    EXPECT_EQ(late_alarm_text::lineFor(missed, texts), "Sun 15.03.98 12:00:00  Wake up  missed");
    EXPECT_EQ(late_alarm_text::lineFor(oneMinute, texts), "Sun 15.03.98 12:00:30  fired 1 minute late");
    EXPECT_EQ(late_alarm_text::lineFor(late, texts), "Sun 15.03.98 12:00:00  Tea  fired 125 minutes late");
    const std::pair<std::vector<LateAlarm>, std::string> rows[] = {
        {{missed}, "1 alarm missed"},
        {{missed, missed}, "2 alarms missed"},
        {{late}, "1 alarm fired late"},
        {{late, oneMinute}, "2 alarms fired late"},
        {{late, missed, missed}, "2 alarms missed and 1 fired late"},
        {{missed, late}, "1 alarm missed and 1 fired late"}};
    for (const auto& [lateAlarms, summary] : rows)
        EXPECT_EQ(late_alarm_text::summaryOf(lateAlarms),
                  summary + " while Quorvel was not running or the computer was asleep");
}
