#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/fake_platform.h"
#include "ui/date_time_text.h"
#include "ui/editor_fields.h"

namespace {

constexpr Timestamp MONDAY_MORNING = 883980300;  // 1998-01-05 07:05:00 at UTC+1
const std::string DAYS = "\xE4\xED\xE5\xE9";

class DateTimeTextTest : public ::testing::Test {
protected:
    Timestamp local(int year, int month, int day, int hour, int minute = 0)
    {
        LocalTime f;
        f.year = year, f.month = month, f.day = day, f.hour = hour, f.minute = minute, f.second = 0;
        return platform.fromLocal(f);
    }
    // The texts for the values, and the values they read back as.
    EditorFields::Texts show(Timestamp time, Duration repeat = 0, Duration closeAfter = 0)
    {
        EditorFields::Values values;
        values.time = time, values.repeatInterval = repeat, values.closeAfter = closeAfter;
        const EditorFields::Texts texts = editor.format(values);
        back = editor.read(texts);
        return texts;
    }
    Timestamp typed(const std::string& date, const std::string& time)
    {
        EditorFields::Texts texts;
        texts.date = date, texts.timeOfDay = time, texts.dayCount = "00";
        texts.repeatTime = texts.closeAfter = "0:00:00";
        return editor.read(texts).time;
    }

    FakePlatform platform;
    DateTimeText text{platform};
    EditorFields editor{platform};
    EditorFields::Values back;
};

}  // namespace

TEST_F(DateTimeTextTest, InstantAndInvalidInstantShowInEveryForm)
{
    EXPECT_EQ(text.dateText(MONDAY_MORNING), "Mon 05.01.98");
    EXPECT_EQ(text.timeOfDayText(MONDAY_MORNING), "7:05:00");
    EXPECT_EQ(text.listRowTime(MONDAY_MORNING), "1998:01:05 - 07:05:00");
    EXPECT_EQ(text.currentTime(MONDAY_MORNING), "07:05:00");
    EXPECT_EQ(text.timeOfDayText(22, 0, 0), "22:00:00");
    EXPECT_EQ(text.listRowTime(962452800), "2000:07:01 - 14:00:00");  // summer time shown as local

    EXPECT_EQ(text.dateText(INVALID_TIME), "--- --.--.--");
    EXPECT_EQ(text.timeOfDayText(INVALID_TIME), "-:--:--");
    EXPECT_EQ(text.listRowTime(INVALID_TIME), "----:--:-- - --:--:--");
    EXPECT_EQ(text.currentTime(INVALID_TIME), "--:--:--");
    show(INVALID_TIME, 90);
    EXPECT_EQ(back.time, INVALID_TIME);
    EXPECT_EQ(back.repeatInterval, 90);
    // Either field left as the placeholder keeps the instant invalid.
    EXPECT_EQ(typed("Mon 05.01.98", " -:--:-- "), INVALID_TIME);
    EXPECT_EQ(typed("--- --.--.--", "7:05:00"), INVALID_TIME);
}

TEST_F(DateTimeTextTest, EditorFieldsRoundTrip)
{
    const struct {
        Duration repeat, closeAfter;
        const char *dayCount, *repeatTime, *closeText;
        Duration closeBack;
    } cases[] = {
        {264600, 2700, "03 ", "1:30:00", "0:45:00", 2700},
        {5400, 0, "00 ", "1:30:00", "0:00:00", 0},
        {45 * 86400, 30 * 3600, "45 ", "0:00:00", "6:00:00", 6 * 3600},  // close-after drops whole days
        {-(86400 + 5400), -90, "-1 ", "-1:-30:00", "0:-1:-30", -90},
    };
    for (const auto& c : cases) {
        const EditorFields::Texts texts = show(MONDAY_MORNING, c.repeat, c.closeAfter);
        EXPECT_EQ(texts.date, "Mon 05.01.98");
        EXPECT_EQ(texts.timeOfDay, "7:05:00");
        EXPECT_EQ(texts.dayCount, c.dayCount + DAYS) << c.repeat;
        EXPECT_EQ(texts.repeatTime, c.repeatTime) << c.repeat;
        EXPECT_EQ(texts.closeAfter, c.closeText) << c.closeAfter;
        EXPECT_EQ(back.time, MONDAY_MORNING);
        EXPECT_EQ(back.repeatInterval, c.repeat);
        EXPECT_EQ(back.closeAfter, c.closeBack);
    }
    for (int year = 1970; year <= 2036; ++year) {  // two-digit years read back
        const EditorFields::Texts texts = show(local(year, 1, 1, year == 1970 ? 1 : 0));
        char ending[16];
        std::snprintf(ending, sizeof ending, "01.01.%02d", year % 100);
        EXPECT_EQ(texts.date.substr(texts.date.size() - 8), ending);
        EXPECT_EQ(back.time, local(year, 1, 1, year == 1970 ? 1 : 0)) << year;
    }
}

TEST_F(DateTimeTextTest, ScansTakeAnySeparatorAndStopAtTheFirstMisfit)
{
    const struct {
        const char* text;
        int seconds;
    } clocks[] = {{"7:30:00", 27000},    {"7.30.00", 27000},
                  {"7 - 30 - 0", 27000}, {"07:30:05", 27005},
                  {"7:0:00", 25200},     {"7 30 15", 7 * 3600 + 5},  // the separator slots take the 3 and the 1
                  {"7:xx:00", 7 * 3600}, {"", 0}};
    for (const auto& c : clocks) {
        const DateTimeText::Clock clock = DateTimeText::readClock(c.text);
        EXPECT_EQ(clock.hours * 3600 + clock.minutes * 60 + clock.seconds, c.seconds) << c.text;
    }
    EXPECT_EQ(DateTimeText::readDayCount("4 " + DAYS), 4);
    EXPECT_EQ(DateTimeText::readDayCount("3"), 3);
    EXPECT_EQ(DateTimeText::readDayCount("3days"), 3);
    EXPECT_EQ(DateTimeText::readDayCount("days"), 0);

    const DateTimeText::Date date = DateTimeText::readDate("x 5/1/98");
    EXPECT_TRUE(date.day == 5 && date.month == 1 && date.year == 98);
    const DateTimeText::Date unread = DateTimeText::readDate("05.01.98");  // no leading word: taken as it
    EXPECT_EQ(unread.day + unread.month + unread.year, 0);
}

TEST_F(DateTimeTextTest, TypedDatesFollowTheYearRuleAndCarryOver)
{
    for (const auto& [two, full] : {std::pair{0, 2000}, {69, 2069}, {70, 1970}, {98, 1998}, {-1, 1899}})
        EXPECT_EQ(DateTimeText::fullYear(two), full) << two;

    const struct {
        const char *date, *time;
        Timestamp expected;
    } cases[] = {
        {"Mon 01.01.01", "0:00:00", local(2001, 1, 1, 0)},
        {"Mon 31.02.98", "12:00:00", local(1998, 3, 3, 12)},
        {"Mon 05.01.98", "24:00:00", local(1998, 1, 6, 0)},
        {"Mon 05.01.98", "7:75:00", local(1998, 1, 5, 8, 15)},
        {"Mon 05.13.98", "0:00:00", local(1999, 1, 5, 0)},
        {"Mon 05.00.98", "0:00:00", local(1997, 12, 5, 0)},
        {"Mon 00.03.98", "0:00:00", local(1998, 2, 28, 0)},
        {"Mon 05.01.1998", "7:05:00", INVALID_TIME},
        {"Mon 05.01.50", "7:05:00", INVALID_TIME},
        {"Mon 05.01.2147483647", "7:05:00", INVALID_TIME},
        {"Mon 05.01.-2147483648", "7:05:00", INVALID_TIME},
        {"", "", local(1999, 11, 30, 0)},  // every number 0, carried back from 2000
    };
    for (const auto& c : cases)
        EXPECT_EQ(typed(c.date, c.time), c.expected) << c.date << " " << c.time;
}
