// The Options settings: how each key is read, its defaults and its text form, and the silence period.
#include <gtest/gtest.h>

#include <vector>

#include "scheduler/options.h"
#include "scheduler/silence.h"
#include "support/fake_platform.h"
#include "ui/window_settings.h"

// Six numbers with any separators; hours beyond a day wrap; an unreadable text is no silence. Both bounds are outside
// the silence, and equal bounds silence nothing.
TEST(Options, SilenceIsReadFromSixNumbersWrittenAsTimesOfDayAndHoldsStrictlyBetweenItsBounds)
{
    const struct {
        const char* text;
        int from, to;
        const char* written;
        std::vector<int> silent, heard;  // seconds of the day
    } rows[] = {{"22:00:00, 07:00:00", 79200, 25200, "22:00:00, 07:00:00", {79201, 0, 25199}, {79200, 25200, 43200}},
                {" 9 . 30 . 15 - 17/0/5 ", 34215, 61205, "09:30:15, 17:00:05", {34216, 61204}, {34215, 61205, 0}},
                {"25:00:00, 0:0:59", 3600, 59, "01:00:00, 00:00:59", {3601, 0, 58}, {3600, 59, 1800}},
                {"0:0:0, 2147483647:00:00", 0, 25200, "00:00:00, 07:00:00", {1}, {0, 25200}},  // no overflow
                {"8:00:00, 8:00:00", 28800, 28800, "08:00:00, 08:00:00", {}, {0, 28800, 28801}},
                {"", 0, 0, "00:00:00, 00:00:00", {}, {0, 1}},
                {"22:00:00, 07:00", 0, 0, "00:00:00, 00:00:00", {}, {}},
                {"22:00:00, x", 0, 0, "00:00:00, 00:00:00", {}, {}}};
    for (const auto& row : rows) {
        const SilencePeriod period = parseSilence(row.text);
        EXPECT_TRUE(period.from == row.from && period.to == row.to) << row.text;
        EXPECT_EQ(formatSilence(period), row.written) << row.text;
        for (const int time : row.silent)
            EXPECT_TRUE(isSilent(period, time)) << row.text << " at " << time;
        for (const int time : row.heard)
            EXPECT_FALSE(isSilent(period, time)) << row.text << " at " << time;
    }
    // A period set with hours past the day (the setup dialog's 25:30 to 26:00) is 1:30 to 2:00.
    EXPECT_TRUE(isSilent(SilencePeriod{91800, 93600}, 6300) && !isSilent(SilencePeriod{91800, 93600}, 9000));
}

TEST(Options, KeysKeepTheirDefaultsForValuesNotThereWithoutWritingAnything)
{
    FakePlatform platform;  // a stored theme is read at start-up: AlarmEngineTest
    EXPECT_EQ(options::readTheme(platform), "Default");
    platform.putSetting("Options", "Theme", "");
    EXPECT_EQ(options::readTheme(platform), "Default");
    const ScreenPoint p = window_settings::parsePosition("-4,-23"), half = window_settings::parsePosition(" 15 ");
    EXPECT_TRUE(p.x == -4 && p.y == -23 && half.x == 15 && half.y == 0);
    platform.putSetting("Options", "Column", "90");
    const ColumnWidths widths = window_settings::readColumnWidths(platform);
    EXPECT_TRUE(widths.first == 90 && widths.second == 124 && platform.settingFileWrites == 0);
    // Only an empty Column key gives the defaults and writes them at once, silently even when the write fails.
    platform.putSetting("Options", "Column", "");
    EXPECT_EQ(window_settings::readColumnWidths(platform).first, 130);
    EXPECT_EQ(platform.readSetting("Options", "Column"), "130,124");
    platform.failSettingWrites = true;
    platform.putSetting("Options", "Column", "");
    EXPECT_TRUE(window_settings::readColumnWidths(platform).second == 124 && platform.messages.empty());
}
