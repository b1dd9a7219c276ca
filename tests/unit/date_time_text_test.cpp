// The date and time texts: scanning what was typed (a date's numbers wherever the text holds them), the two-digit
// years, and fields that carry over (DateTimeText).
#include <gtest/gtest.h>

#include <tuple>

#include "support/editor_texts.h"
#include "support/fake_platform.h"
#include "ui/date_time_text.h"
#include "ui/editor_fields.h"

TEST(DateTimeTextTest, ScansTakeAnySeparatorStopAtTheFirstMisfitAndCarryOver)
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
    for (const auto& [two, full] : {std::pair{0, 2000}, {69, 2069}, {70, 1970}, {98, 1998}, {-1, 1899}})
        EXPECT_EQ(DateTimeText::fullYear(two), full) << two;
    // Text, then day, month, year and how many of them were read.
    const std::tuple<const char*, int, int, int, int> dates[] = {
        {"10.12.26", 10, 12, 26, 3},     {"Thu 10.12.26", 10, 12, 26, 3}, {"x 10.12.26", 10, 12, 26, 3},
        {"  Thu  5/1/98 ", 5, 1, 98, 3}, {"Mon -1.01.98", -1, 1, 98, 3},  {"Mon 05.01.1998", 5, 1, 1998, 3},
        {"10.12", 10, 12, 0, 2},         {"Thu", 0, 0, 0, 0},             {"--- --.--.--", 0, 0, 0, 0},
        {"", 0, 0, 0, 0},                {"Thu10.12.26", 10, 12, 26, 3}};
    for (const auto& [text, day, month, year, read] : dates) {
        const DateTimeText::Date date = DateTimeText::readDate(text);
        EXPECT_EQ(std::make_tuple(date.day, date.month, date.year, date.numbersRead),
                  std::make_tuple(day, month, year, read))
            << text;
    }
    // Typed dates follow the two-digit year rule, and their fields carry over.
    FakePlatform platform;
    EditorFields editor{platform};
    const std::tuple<const char*, const char*, Timestamp> typed[] = {
        {"Mon 01.01.01", "0:00:00", local(2001, 1, 1, 0)},  {"Mon 31.02.98", "12:00:00", local(1998, 3, 3, 12)},
        {"Mon 05.01.98", "24:00:00", local(1998, 1, 6, 0)}, {"Mon 05.01.98", "7:75:00", local(1998, 1, 5, 8, 15)},
        {"Mon 05.13.98", "0:00:00", local(1999, 1, 5, 0)},  {"Mon 05.00.98", "0:00:00", local(1997, 12, 5, 0)},
        {"Mon 00.03.98", "0:00:00", local(1998, 2, 28, 0)}, {"Mon 05.01.1998", "7:05:00", INVALID_TIME},
        {"Mon 05.01.50", "7:05:00", INVALID_TIME},          {"Mon 05.01.2147483647", "7:05:00", INVALID_TIME},
        {"Mon 05.01.-2147483648", "7:05:00", INVALID_TIME}};
    for (const auto& [date, time, expected] : typed)
        EXPECT_EQ(editor.read(EditorFields::Texts{date, time, "00", "0:00:00", "0:00:00"}).time, expected)
            << date << " " << time;
}
