// The Options settings: how each key is read, its defaults, and its text form.
#include <gtest/gtest.h>

#include "scheduler/options.h"
#include "scheduler/silence.h"
#include "support/fake_platform.h"
#include "ui/window_settings.h"

namespace {

TEST(Options, ThemeAndFlagsFallBackToTheirDefaultsWithoutWritingAnything)
{
    FakePlatform platform;
    EXPECT_EQ(options::readTheme(platform), "Default");
    platform.putSetting("Options", "Theme", "");
    EXPECT_EQ(options::readTheme(platform), "Default");
    platform.putSetting("Options", "Theme", "Russian");
    EXPECT_EQ(options::readTheme(platform), "Russian");
    EXPECT_EQ(platform.settingFileWrites, 0);

    const struct {
        const char* text;
        int flags;
    } flags[] = {{"", 1}, {"x", 1}, {" 3 ", 3}, {"0", 0}, {"-2", -2}};
    for (const auto& row : flags)
        EXPECT_EQ(options::parseFlags(row.text, 1), row.flags) << row.text;
    EXPECT_EQ(options::sortDirectionOf(3), SortDirection::LatestFirst);
    EXPECT_EQ(options::sortDirectionOf(2), SortDirection::EarliestFirst);
}

TEST(Options, SilenceReadsSixNumbersWithAnySeparatorsAndIsWrittenAsTimesOfDay)
{
    const struct {
        const char* text;
        int from, to;
        const char* written;
    } rows[] = {
        {"22:00:00, 07:00:00", 79200, 25200, "22:00:00, 07:00:00"},
        {" 9 . 30 . 15 - 17/0/5 ", 34215, 61205, "09:30:15, 17:00:05"},
        {"25:00:00, 0:0:59", 3600, 59, "01:00:00, 00:00:59"},         // hours beyond a day wrap
        {"0:0:0, 2147483647:00:00", 0, 25200, "00:00:00, 07:00:00"},  // no overflow
        {"", 0, 0, "00:00:00, 00:00:00"},                             // unreadable: no silence
        {"22:00:00, 07:00", 0, 0, "00:00:00, 00:00:00"},
        {"22:00:00, x", 0, 0, "00:00:00, 00:00:00"},
    };
    for (const auto& row : rows) {
        const SilencePeriod period = parseSilence(row.text);
        EXPECT_EQ(period.from, row.from) << row.text;
        EXPECT_EQ(period.to, row.to) << row.text;
        EXPECT_EQ(formatSilence(period), row.written) << row.text;
    }
}

TEST(Options, PositionAndColumnKeepTheirDefaultsForNumbersNotThere)
{
    const ScreenPoint p = window_settings::parsePosition("-4,-23");
    const ScreenPoint half = window_settings::parsePosition(" 15 ");
    EXPECT_TRUE(p.x == -4 && p.y == -23 && half.x == 15 && half.y == 0);

    FakePlatform platform;
    platform.putSetting("Options", "Column", "90");
    ColumnWidths widths = window_settings::readColumnWidths(platform);
    EXPECT_TRUE(widths.first == 90 && widths.second == 124);
    EXPECT_EQ(platform.settingFileWrites, 0);

    // An empty key gives the defaults and writes them at once, silently even
    // when the write fails.
    platform.putSetting("Options", "Column", "");
    widths = window_settings::readColumnWidths(platform);
    EXPECT_TRUE(widths.first == 130 && widths.second == 124);
    EXPECT_EQ(platform.readSetting("Options", "Column"), "130,124");
    platform.failSettingWrites = true;
    platform.putSetting("Options", "Column", "");
    EXPECT_EQ(window_settings::readColumnWidths(platform).first, 130);
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
