// The Options settings: how each key is read, its defaults and its text form, and the silence period.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "scheduler/options.h"
#include "scheduler/silence.h"
#include "support/fake_platform.h"
#include "ui/window_settings.h"

TEST(Options, SilenceReadsSixNumbersWithAnySeparatorsAndIsWrittenAsTimesOfDay)
{
    const std::tuple<const char*, int, int, const char*> rows[] = {
        {"22:00:00, 07:00:00", 79200, 25200, "22:00:00, 07:00:00"},
        {" 9 . 30 . 15 - 17/0/5 ", 34215, 61205, "09:30:15, 17:00:05"},
        {"25:00:00, 0:0:59", 3600, 59, "01:00:00, 00:00:59"},         // hours beyond a day wrap
        {"0:0:0, 2147483647:00:00", 0, 25200, "00:00:00, 07:00:00"},  // no overflow
        {"", 0, 0, "00:00:00, 00:00:00"},                             // unreadable: no silence
        {"22:00:00, 07:00", 0, 0, "00:00:00, 00:00:00"},
        {"22:00:00, x", 0, 0, "00:00:00, 00:00:00"}};
    for (const auto& [text, from, to, written] : rows) {
        const SilencePeriod period = parseSilence(text);
        EXPECT_TRUE(period.from == from && period.to == to) << text;
        EXPECT_EQ(formatSilence(period), written) << text;
    }
}

TEST(Options, BothBoundsAreOutsideTheSilenceAndEqualBoundsSilenceNothing)
{
    const auto hms = [](int hours, int minutes, int seconds = 0) { return hours * 3600 + minutes * 60 + seconds; };
    const struct {
        SilencePeriod period;
        std::vector<int> silent, heard;
    } cases[] = {
        {{hms(8, 0), hms(8, 0)}, {}, {0, hms(8, 0), hms(8, 0, 1)}},
        {{hms(25, 30), hms(26, 0)}, {hms(1, 45)}, {hms(1, 30), hms(2, 30)}},  // hours past the day: 1:30 to 2:00
    };
    for (const auto& c : cases) {
        for (const int time : c.silent)
            EXPECT_TRUE(isSilent(c.period, time)) << c.period.from << "-" << c.period.to << " at " << time;
        for (const int time : c.heard)
            EXPECT_FALSE(isSilent(c.period, time)) << c.period.from << "-" << c.period.to << " at " << time;
    }
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
