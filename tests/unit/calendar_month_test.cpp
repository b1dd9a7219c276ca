// The calendar pop-up's month: its grid of days, the date text of a chosen day, the date it opens on, and the
// date it hands back untouched for every date an alarm can have (CalendarMonth).
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "support/editor_texts.h"
#include "support/fake_platform.h"
#include "ui/calendar_month.h"
#include "ui/date_time_text.h"

TEST(CalendarMonthTest, FillsItsFiveRowsColumnByColumnAndHandsBackTheDateItOpenedWith)
{
    FakePlatform platform;
    CalendarMonth calendar{platform};
    // Year, month, chosen day, and the cells column by column from Monday: "." for a blank one, the chosen one in
    // brackets. A month that begins late in the week loses its last days; in January 2038 the days after the last
    // instant's are blank, and the months after it have no cells.
    const std::tuple<int, int, int, std::string> rows[] = {
        {1998, 2, 8, ". 2 9 16 23 . 3 10 17 24 . 4 11 18 25 . 5 12 19 26 . 6 13 20 27 . 7 14 21 28 1 [8] 15 22 ."},
        {1998, 3, 31, ". 2 9 16 23 . 3 10 17 24 . 4 11 18 25 . 5 12 19 26 . 6 13 20 27 . 7 14 21 28 1 8 15 22 29"},
        {1970, 1, 1, ". 5 12 19 26 . 6 13 20 27 . 7 14 21 28 [1] 8 15 22 29 2 9 16 23 30 3 10 17 24 31 4 11 18 25 ."},
        {2038, 1, 19, ". 4 11 18 . . 5 12 [19] . . 6 13 . . . 7 14 . . 1 8 15 . . 2 9 16 . . 3 10 17 . ."},
        {2038, 2, 1, ". . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . ."},
        {1969, 12, 31, ""},
        {1998, 13, 1, ""},
        {2039, 1, 1, ""}};
    for (const auto& [year, month, chosen, expected] : rows) {
        std::string shown;
        for (const CalendarMonth::Cell& cell : calendar.cells(year, month, chosen)) {
            const std::string text = cell.text.empty() ? "." : cell.text;
            shown += (shown.empty() ? "" : " ") + (cell.chosen ? "[" + text + "]" : text);
        }
        EXPECT_EQ(shown, expected);
    }
    // The 31st carries into March; a year the grid does not show becomes 1970.
    EXPECT_EQ(calendar.dateText(1998, 2, 31) + " " + calendar.dateText(2040, 5, 1), "Tue 03.03.98 Fri 01.05.70");
    EXPECT_EQ(calendar.openingDate(INVALID_TIME, MONDAY_MORNING).day, 5) << "an alarm with no date opens on today";
    EXPECT_EQ(DateTimeText(platform).monthName(1) + " " + DateTimeText(platform).monthName(12), "January December");
    // UTC+1: the first instant is 1 January 1970 1:00, the last 19 January 2038 4:14:07.
    EXPECT_EQ(std::to_string(calendar.firstYear()) + " " + std::to_string(calendar.lastYear()), "1970 2038");
    const auto at = [&](int year, int month, int day, int hour) {
        return platform.fromLocal(LocalTime{year, month, day, hour, 0, 0});
    };
    const Timestamp alarms[] = {0,  // noon is the day's instant, midnight lies before the first
                                at(2000, 2, 29, 7),
                                at(2036, 12, 31, 23),
                                at(2037, 6, 15, 12),
                                at(2037, 12, 31, 0),
                                at(2038, 1, 19, 1),
                                std::numeric_limits<Timestamp>::max()};  // midnight, not noon
    for (const Timestamp alarm : alarms) {
        const LocalTime opened = calendar.openingDate(alarm, 0);
        ASSERT_TRUE(calendar.showsYear(opened.year)) << "the year box keeps " << opened.year;
        const DateTimeText::Date back =
            DateTimeText::readDate(calendar.dateText(opened.year, opened.month, opened.day));
        EXPECT_TRUE(back.day == opened.day && back.month == opened.month &&
                    DateTimeText::fullYear(back.year) == opened.year)
            << alarm << ": " << calendar.dateText(opened.year, opened.month, opened.day);
    }
}
