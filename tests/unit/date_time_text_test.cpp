#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
        return platform.fromLocal(LocalTime{year, month, day, hour, minute, 0});
    }
    // The texts of the values; `back` gets what they read back as.
    EditorFields::Texts show(Timestamp time, Duration repeat = 0, Duration closeAfter = 0)
    {
        const EditorFields::Texts texts = editor.format(EditorFields::Values{time, repeat, closeAfter});
        back = editor.read(texts);
        return texts;
    }
    Timestamp typed(const std::string& date, const std::string& time)
    {
        return editor.read(EditorFields::Texts{date, time, "00", "0:00:00", "0:00:00"}).time;
    }

    FakePlatform platform;
    DateTimeText text{platform};
    EditorFields editor{platform};
    EditorFields::Values back;
};

}  // namespace

TEST_F(DateTimeTextTest, InstantAndInvalidInstantShowInEveryForm)
{
    EXPECT_EQ(text.dateText(MONDAY_MORNING) + " " + text.timeOfDayText(MONDAY_MORNING) + text.timeOfDayText(22, 0, 0),
              "Mon 05.01.98 7:05:0022:00:00");
    EXPECT_EQ(text.listRowTime(MONDAY_MORNING) + " " + text.currentTime(MONDAY_MORNING),
              "1998:01:05 - 07:05:00 07:05:00");
    EXPECT_EQ(text.listRowTime(962452800), "2000:07:01 - 14:00:00");  // summer time shown as local
    EXPECT_EQ(text.dateText(INVALID_TIME) + text.timeOfDayText(INVALID_TIME), "--- --.--.---:--:--");
    EXPECT_EQ(text.listRowTime(INVALID_TIME) + text.currentTime(INVALID_TIME), "----:--:-- - --:--:----:--:--");
    show(INVALID_TIME, 90);
    EXPECT_TRUE(back.time == INVALID_TIME && back.repeatInterval == 90);
}

TEST_F(DateTimeTextTest, EditorFieldsRoundTrip)
{
    // Repeat interval, close-after, their texts, and the close-after read back (whole days dropped).
    const std::tuple<Duration, Duration, std::string, const char*, Duration> cases[] = {
        {264600, 2700, "03 " + DAYS + "1:30:00", "0:45:00", 2700},
        {5400, 0, "00 " + DAYS + "1:30:00", "0:00:00", 0},
        {45 * 86400, 30 * 3600, "45 " + DAYS + "0:00:00", "6:00:00", 6 * 3600},
        {-(86400 + 5400), -90, "-1 " + DAYS + "-1:-30:00", "0:-1:-30", -90}};
    for (const auto& [repeat, closeAfter, repeatTexts, closeText, closeBack] : cases) {
        const EditorFields::Texts texts = show(MONDAY_MORNING, repeat, closeAfter);
        EXPECT_EQ(texts.date + " " + texts.timeOfDay, "Mon 05.01.98 7:05:00");
        EXPECT_EQ(texts.dayCount + texts.repeatTime + "|" + texts.closeAfter, repeatTexts + "|" + closeText);
        EXPECT_TRUE(back.time == MONDAY_MORNING && back.repeatInterval == repeat && back.closeAfter == closeBack)
            << repeat << " " << closeAfter;
    }
    for (int year = 1970; year <= 2036; ++year) {  // two-digit years read back
        const EditorFields::Texts texts = show(local(year, 1, 1, year == 1970 ? 1 : 0));
        EXPECT_EQ(texts.date.substr(texts.date.size() - 8), "01.01." + std::to_string(100 + year % 100).substr(1));
        EXPECT_EQ(back.time, local(year, 1, 1, year == 1970 ? 1 : 0)) << year;
    }
}

TEST_F(DateTimeTextTest, ScansTakeAnySeparatorAndStopAtTheFirstMisfit)
{
    // "7 30 15": the separator slots take the 3 and the 1.
    const std::pair<const char*, int> clocks[] = {
        {"7:30:00", 27000}, {"7.30.00", 27000},        {"7 - 30 - 0", 27000}, {"07:30:05", 27005},
        {"7:0:00", 25200},  {"7 30 15", 7 * 3600 + 5}, {"7:xx:00", 7 * 3600}, {"", 0}};
    for (const auto& [typed, seconds] : clocks) {
        const DateTimeText::Clock clock = DateTimeText::readClock(typed);
        EXPECT_EQ(clock.hours * 3600 + clock.minutes * 60 + clock.seconds, seconds) << typed;
    }
    for (const auto& [typed, days] : {std::pair<std::string, int>{"4 " + DAYS, 4}, {"3", 3}, {"3days", 3}, {"days", 0}})
        EXPECT_EQ(DateTimeText::readDayCount(typed), days) << typed;
    const DateTimeText::Date date = DateTimeText::readDate("x 5/1/98");
    EXPECT_TRUE(date.day == 5 && date.month == 1 && date.year == 98);
    const DateTimeText::Date unread = DateTimeText::readDate("05.01.98");  // no leading word: taken as it
    EXPECT_EQ(unread.day + unread.month + unread.year, 0);
}

TEST_F(DateTimeTextTest, TypedDatesFollowTheYearRuleAndCarryOver)
{
    for (const auto& [two, full] : {std::pair{0, 2000}, {69, 2069}, {70, 1970}, {98, 1998}, {-1, 1899}})
        EXPECT_EQ(DateTimeText::fullYear(two), full) << two;
    const std::tuple<const char*, const char*, Timestamp> cases[] = {
        {"Mon 01.01.01", "0:00:00", local(2001, 1, 1, 0)},  {"Mon 31.02.98", "12:00:00", local(1998, 3, 3, 12)},
        {"Mon 05.01.98", "24:00:00", local(1998, 1, 6, 0)}, {"Mon 05.01.98", "7:75:00", local(1998, 1, 5, 8, 15)},
        {"Mon 05.13.98", "0:00:00", local(1999, 1, 5, 0)},  {"Mon 05.00.98", "0:00:00", local(1997, 12, 5, 0)},
        {"Mon 00.03.98", "0:00:00", local(1998, 2, 28, 0)}, {"Mon 05.01.1998", "7:05:00", INVALID_TIME},
        {"Mon 05.01.50", "7:05:00", INVALID_TIME},          {"Mon 05.01.2147483647", "7:05:00", INVALID_TIME},
        {"Mon 05.01.-2147483648", "7:05:00", INVALID_TIME}, {"", "", local(1999, 11, 30, 0)},  // all 0, carried back
    };
    for (const auto& [date, time, expected] : cases)
        EXPECT_EQ(typed(date, time), expected) << date << " " << time;
}
