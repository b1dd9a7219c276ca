// The Options settings: how each key is read, its defaults, and its text form.
#include <gtest/gtest.h>

#include "app/main_options.h"
#include "support/fake_platform.h"

namespace {

TEST(MainOptions, ThemeDefaultsWhenMissingOrEmptyWithoutWritingAnything)
{
    FakePlatform platform;
    EXPECT_EQ(main_options::readTheme(platform), "Default");
    platform.putSetting("Options", "Theme", "");
    EXPECT_EQ(main_options::readTheme(platform), "Default");
    platform.putSetting("Options", "Theme", "Russian");
    EXPECT_EQ(main_options::readTheme(platform), "Russian");
    EXPECT_EQ(platform.settingFileWrites, 0);
}

TEST(MainOptions, SilenceReadsSixNumbersWithAnySeparators)
{
    SilencePeriod period = main_options::parseSilence("22:00:00, 07:00:00");
    EXPECT_EQ(period.from, 79200);
    EXPECT_EQ(period.to, 25200);
    period = main_options::parseSilence(" 9 . 30 . 15 - 17/0/5 ");
    EXPECT_EQ(period.from, 9 * 3600 + 30 * 60 + 15);
    EXPECT_EQ(period.to, 17 * 3600 + 5);
}

TEST(MainOptions, SilenceThatDoesNotParseMeansNoSilence)
{
    for (const char* text : {"", "22:00:00", "22:00:00, 07:00", "abc", "22:00:00, x"}) {
        const SilencePeriod period = main_options::parseSilence(text);
        EXPECT_EQ(period.from, period.to) << text;
    }
}

TEST(MainOptions, SilenceHoursOutOfRangeAreTakenAsTimeOfDay)
{
    const SilencePeriod period = main_options::parseSilence("25:00:00, 2147483647:00:00");
    EXPECT_EQ(period.from, 3600);
    EXPECT_GE(period.to, 0);
    EXPECT_LT(period.to, 86400);
    EXPECT_EQ(main_options::formatSilence(period).substr(0, 10), "01:00:00, ");
}

TEST(MainOptions, SilenceIsWrittenAsTwoTimesOfDay)
{
    EXPECT_EQ(main_options::formatSilence(SilencePeriod{79200, 25200}), "22:00:00, 07:00:00");
    EXPECT_EQ(main_options::formatSilence(SilencePeriod{90000, 59}), "01:00:00, 00:00:59");
    const SilencePeriod back = main_options::parseSilence(main_options::formatSilence(SilencePeriod{3723, 86399}));
    EXPECT_EQ(back.from, 3723);
    EXPECT_EQ(back.to, 86399);
}

TEST(MainOptions, PositionKeepsZeroForNumbersNotThere)
{
    ScreenPoint p = main_options::parsePosition("-4,-23");
    EXPECT_EQ(p.x, -4);
    EXPECT_EQ(p.y, -23);
    p = main_options::parsePosition(" 15 ");
    EXPECT_EQ(p.x, 15);
    EXPECT_EQ(p.y, 0);
    p = main_options::parsePosition("");
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(MainOptions, FlagsFallBackWhenNothingParses)
{
    EXPECT_EQ(main_options::parseFlags("", 1), 1);
    EXPECT_EQ(main_options::parseFlags("x", 1), 1);
    EXPECT_EQ(main_options::parseFlags(" 3 ", 1), 3);
    EXPECT_EQ(main_options::parseFlags("0", 1), 0);
}

TEST(MainOptions, EmptyColumnGivesDefaultsAndWritesThemAtOnce)
{
    FakePlatform platform;
    platform.putSetting("Options", "Column", "");
    const ColumnWidths widths = main_options::readColumnWidths(platform);
    EXPECT_EQ(widths.first, 130);
    EXPECT_EQ(widths.second, 124);
    EXPECT_EQ(platform.readSetting("Options", "Column"), "130,124");
}

TEST(MainOptions, ColumnWithOneNumberKeepsTheSecondDefault)
{
    FakePlatform platform;
    platform.putSetting("Options", "Column", " 200 , 80 ");
    ColumnWidths widths = main_options::readColumnWidths(platform);
    EXPECT_EQ(widths.first, 200);
    EXPECT_EQ(widths.second, 80);
    platform.putSetting("Options", "Column", "90");
    widths = main_options::readColumnWidths(platform);
    EXPECT_EQ(widths.first, 90);
    EXPECT_EQ(widths.second, 124);
    EXPECT_EQ(platform.settingFileWrites, 0);
}

TEST(MainOptions, ColumnDefaultIsUsedEvenWhenItCannotBeWritten)
{
    FakePlatform platform;
    platform.failSettingWrites = true;
    const ColumnWidths widths = main_options::readColumnWidths(platform);
    EXPECT_EQ(widths.first, 130);
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
