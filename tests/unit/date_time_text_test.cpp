#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"
#include "ui/date_time_text.h"
#include "ui/editor_fields.h"

namespace {

constexpr Timestamp MONDAY_MORNING = 883980300;  // 1998-01-05 07:05:00 at UTC+1
const std::string DAYS = "\xE4\xED\xE5\xE9";

EditorFields::Texts fields(const std::string& date, const std::string& time, const std::string& days = "00",
                           const std::string& repeat = "0:00:00", const std::string& closeAfter = "0:00:00")
{
    EditorFields::Texts texts;
    texts.date = date;
    texts.timeOfDay = time;
    texts.dayCount = days;
    texts.repeatTime = repeat;
    texts.closeAfter = closeAfter;
    return texts;
}

Timestamp localInstant(int year, int month, int day, int hour, int minute, int second)
{
    FakePlatform platform;
    LocalTime local;
    local.year = year;
    local.month = month;
    local.day = day;
    local.hour = hour;
    local.minute = minute;
    local.second = second;
    return platform.fromLocal(local);
}

}  // namespace

TEST(DateTimeTextTest, InstantShowsInEveryForm)
{
    FakePlatform platform;
    DateTimeText text(platform);
    EXPECT_EQ(text.dateText(MONDAY_MORNING), "Mon 05.01.98");
    EXPECT_EQ(text.timeOfDayText(MONDAY_MORNING), "7:05:00");
    EXPECT_EQ(text.listRowTime(MONDAY_MORNING), "1998:01:05 - 07:05:00");
    EXPECT_EQ(text.currentTime(MONDAY_MORNING), "07:05:00");
    EXPECT_EQ(text.timeOfDayText(22, 0, 0), "22:00:00");
    // Summer time is shown as local time.
    EXPECT_EQ(text.listRowTime(962452800), "2000:07:01 - 14:00:00");
}

TEST(DateTimeTextTest, InvalidInstantShowsPlaceholdersThatReadBackInvalid)
{
    FakePlatform platform;
    DateTimeText text(platform);
    EXPECT_EQ(text.dateText(INVALID_TIME), "--- --.--.--");
    EXPECT_EQ(text.timeOfDayText(INVALID_TIME), "-:--:--");
    EXPECT_EQ(text.listRowTime(INVALID_TIME), "----:--:-- - --:--:--");
    EXPECT_EQ(text.currentTime(INVALID_TIME), "--:--:--");

    EditorFields editor(platform);
    EditorFields::Values values;
    values.time = INVALID_TIME;
    values.repeatInterval = 90;
    const EditorFields::Texts texts = editor.format(values);
    EXPECT_EQ(editor.read(texts).time, INVALID_TIME);
    EXPECT_EQ(editor.read(texts).repeatInterval, 90);
    // Either field left as the placeholder keeps the instant invalid.
    EXPECT_EQ(editor.read(fields("Mon 05.01.98", " -:--:-- ")).time, INVALID_TIME);
    EXPECT_EQ(editor.read(fields("--- --.--.--", "7:05:00")).time, INVALID_TIME);
}

TEST(DateTimeTextTest, EditorFieldsRoundTrip)
{
    FakePlatform platform;
    EditorFields editor(platform);
    EditorFields::Values values;
    values.time = MONDAY_MORNING;
    values.repeatInterval = 264600;
    values.closeAfter = 2700;
    const EditorFields::Texts texts = editor.format(values);
    EXPECT_EQ(texts.date, "Mon 05.01.98");
    EXPECT_EQ(texts.timeOfDay, "7:05:00");
    EXPECT_EQ(texts.dayCount, "03 " + DAYS);
    EXPECT_EQ(texts.repeatTime, "1:30:00");
    EXPECT_EQ(texts.closeAfter, "0:45:00");
    const EditorFields::Values back = editor.read(texts);
    EXPECT_EQ(back.time, values.time);
    EXPECT_EQ(back.repeatInterval, values.repeatInterval);
    EXPECT_EQ(back.closeAfter, values.closeAfter);

    values.repeatInterval = 5400;
    EXPECT_EQ(editor.format(values).dayCount, "00 " + DAYS);
    EXPECT_EQ(editor.read(editor.format(values)).repeatInterval, 5400);
    values.repeatInterval = 45 * 86400;
    EXPECT_EQ(editor.format(values).dayCount, "45 " + DAYS);
    EXPECT_EQ(editor.read(editor.format(values)).repeatInterval, 45 * 86400);
}

TEST(DateTimeTextTest, EveryNewYearFrom1970To2036ReadsBack)
{
    FakePlatform platform;
    EditorFields editor(platform);
    for (int year = 1970; year <= 2036; ++year) {
        EditorFields::Values values;
        values.time = localInstant(year, 1, 1, year == 1970 ? 1 : 0, 0, 0);
        const EditorFields::Texts texts = editor.format(values);
        char ending[16];
        std::snprintf(ending, sizeof ending, "01.01.%02d", year % 100);
        EXPECT_EQ(texts.date.substr(texts.date.size() - 8), ending);
        EXPECT_EQ(editor.read(texts).time, values.time) << year;
    }
}

TEST(DateTimeTextTest, CloseAfterDropsWholeDaysAndNegativeSpansReadBack)
{
    FakePlatform platform;
    EditorFields editor(platform);
    EditorFields::Values values;
    values.time = MONDAY_MORNING;
    values.closeAfter = 30 * 3600;
    EXPECT_EQ(editor.format(values).closeAfter, "6:00:00");
    EXPECT_EQ(editor.read(editor.format(values)).closeAfter, 6 * 3600);

    values.repeatInterval = -(86400 + 5400);
    values.closeAfter = -90;
    const EditorFields::Texts texts = editor.format(values);
    EXPECT_EQ(texts.dayCount, "-1 " + DAYS);
    EXPECT_EQ(texts.repeatTime, "-1:-30:00");
    EXPECT_EQ(texts.closeAfter, "0:-1:-30");
    EXPECT_EQ(editor.read(texts).repeatInterval, values.repeatInterval);
    EXPECT_EQ(editor.read(texts).closeAfter, -90);
}

TEST(DateTimeTextTest, ScansTakeAnySeparatorAndStopAtTheFirstMisfit)
{
    const auto clock = [](const std::string& text) {
        const DateTimeText::Clock c = DateTimeText::readClock(text);
        return c.hours * 3600 + c.minutes * 60 + c.seconds;
    };
    EXPECT_EQ(clock("7:30:00"), 27000);
    EXPECT_EQ(clock("7.30.00"), 27000);
    EXPECT_EQ(clock("7 - 30 - 0"), 27000);
    EXPECT_EQ(clock("07:30:05"), 27005);
    EXPECT_EQ(clock("7:0:00"), 25200);
    // The separator slots take the 3 and the 1.
    EXPECT_EQ(clock("7 30 15"), 7 * 3600 + 5);
    EXPECT_EQ(clock("7:xx:00"), 7 * 3600);
    EXPECT_EQ(clock(""), 0);

    EXPECT_EQ(DateTimeText::readDayCount("4 " + DAYS), 4);
    EXPECT_EQ(DateTimeText::readDayCount("3"), 3);
    EXPECT_EQ(DateTimeText::readDayCount("3days"), 3);
    EXPECT_EQ(DateTimeText::readDayCount("days"), 0);

    const DateTimeText::Date date = DateTimeText::readDate("x 5/1/98");
    EXPECT_EQ(date.day, 5);
    EXPECT_EQ(date.month, 1);
    EXPECT_EQ(date.year, 98);
    // Without the leading word the date is taken as the word.
    const DateTimeText::Date unread = DateTimeText::readDate("05.01.98");
    EXPECT_EQ(unread.day + unread.month + unread.year, 0);
}

TEST(DateTimeTextTest, TypedDatesFollowTheYearRuleAndCarryOver)
{
    FakePlatform platform;
    EditorFields editor(platform);
    const auto instant = [&](const std::string& date, const std::string& time) {
        return editor.read(fields(date, time)).time;
    };
    EXPECT_EQ(DateTimeText::fullYear(0), 2000);
    EXPECT_EQ(DateTimeText::fullYear(69), 2069);
    EXPECT_EQ(DateTimeText::fullYear(70), 1970);
    EXPECT_EQ(DateTimeText::fullYear(98), 1998);
    EXPECT_EQ(DateTimeText::fullYear(-1), 1899);

    EXPECT_EQ(instant("Mon 01.01.01", "0:00:00"), localInstant(2001, 1, 1, 0, 0, 0));
    EXPECT_EQ(instant("Mon 31.02.98", "12:00:00"), localInstant(1998, 3, 3, 12, 0, 0));
    EXPECT_EQ(instant("Mon 05.01.98", "24:00:00"), localInstant(1998, 1, 6, 0, 0, 0));
    EXPECT_EQ(instant("Mon 05.01.98", "7:75:00"), localInstant(1998, 1, 5, 8, 15, 0));
    EXPECT_EQ(instant("Mon 05.13.98", "0:00:00"), localInstant(1999, 1, 5, 0, 0, 0));
    EXPECT_EQ(instant("Mon 05.00.98", "0:00:00"), localInstant(1997, 12, 5, 0, 0, 0));
    EXPECT_EQ(instant("Mon 00.03.98", "0:00:00"), localInstant(1998, 2, 28, 0, 0, 0));
    EXPECT_EQ(instant("Mon 05.01.1998", "7:05:00"), INVALID_TIME);
    EXPECT_EQ(instant("Mon 05.01.50", "7:05:00"), INVALID_TIME);
    EXPECT_EQ(instant("Mon 05.01.2147483647", "7:05:00"), INVALID_TIME);
    EXPECT_EQ(instant("Mon 05.01.-2147483648", "7:05:00"), INVALID_TIME);
    // Nothing readable: every number 0, which carries back from 2000.
    EXPECT_EQ(instant("", ""), localInstant(1999, 11, 30, 0, 0, 0));
}
