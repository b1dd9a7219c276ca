// The calendar pop-up's month: its grid of days, the date text of a chosen day, the date it opens on, and the
// date it hands back untouched for every date an alarm can have (CalendarMonth).
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "support/editor_texts.h"
#include "support/fake_platform.h"
#include "ui/calendar_month.h"
#include "ui/date_time_text.h"

namespace {

class CalendarMonthTest : public ::testing::Test {
protected:
    FakePlatform platform;
    DateTimeText texts{platform};
    CalendarMonth calendar{platform};
};

}  // namespace

TEST_F(CalendarMonthTest, FillsItsFiveRowsColumnByColumn)
{
    // Year, month, chosen day, and the cells row by row: "." for a blank one, the chosen one in brackets.
    const std::tuple<int, int, int, std::string> rows[] = {
        {1998, 2, 8, ". . . . . . 1 2 3 4 5 6 7 [8] 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 ."},
        {1998, 3, 31, ". . . . . . 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29"},
        {1970, 1, 1, ". . . [1] 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 ."}};
    for (const auto& [year, month, chosen, expected] : rows) {
        const std::vector<CalendarMonth::Cell> cells = calendar.cells(year, month, chosen);
        std::string shown;
        for (int r = 0; r < 5; ++r)
            for (int column = 0; column < 7; ++column) {
                const CalendarMonth::Cell& cell = cells.at(column * 5 + r);  // inserted column by column
                const std::string text = cell.text.empty() ? "." : cell.text;
                shown += (shown.empty() ? "" : " ") + (cell.chosen ? "[" + text + "]" : text);
            }
        EXPECT_EQ(shown, expected);
    }
    // The 31st carries into March; a year the grid does not show becomes 1970.
    EXPECT_EQ(calendar.dateText(1998, 2, 31) + " " + calendar.dateText(2040, 5, 1), "Tue 03.03.98 Fri 01.05.70");
    EXPECT_EQ(calendar.openingDate(INVALID_TIME, MONDAY_MORNING).day, 5) << "an alarm with no date opens on today";
    EXPECT_EQ(texts.monthName(1) + " " + texts.monthName(12), "January December");
}

TEST_F(CalendarMonthTest, UntouchedItHandsBackTheDateItOpenedWithFromTheFirstToTheLastInstant)
{
    // UTC+1: the first instant is 1 January 1970 1:00, the last 19 January 2038 4:14:07.
    EXPECT_EQ(std::to_string(calendar.firstYear()) + " " + std::to_string(calendar.lastYear()), "1970 2038");
    const auto at = [&](int year, int month, int day, int hour) {
        return platform.fromLocal(LocalTime{year, month, day, hour, 0, 0});
    };
    const Timestamp alarms[] = {0,  // noon is the day's instant, midnight lies before the first
                                at(2000, 2, 29, 7), at(2036, 12, 31, 23), at(2037, 6, 15, 12), at(2037, 12, 31, 0),
                                at(2038, 1, 19, 1), std::numeric_limits<Timestamp>::max()};  // midnight, not noon
    for (const Timestamp alarm : alarms) {
        const LocalTime opened = calendar.openingDate(alarm, 0);
        ASSERT_TRUE(calendar.showsYear(opened.year)) << "the year box keeps " << opened.year;
        const DateTimeText::Date back = DateTimeText::readDate(calendar.dateText(opened.year, opened.month, opened.day));
        EXPECT_TRUE(back.day == opened.day && back.month == opened.month &&
                    DateTimeText::fullYear(back.year) == opened.year)
            << alarm << ": " << calendar.dateText(opened.year, opened.month, opened.day);
    }
    // January 2038 shows its days up to the last instant's; the months after it none.
    std::string january;
    for (const CalendarMonth::Cell& cell : calendar.cells(2038, 1, 19))
        january += cell.text.empty() ? "" : (cell.chosen ? "[" + cell.text + "]" : cell.text) + " ";
    EXPECT_EQ(january, "4 11 18 5 12 [19] 6 13 7 14 1 8 15 2 9 16 3 10 17 ");  // column by column from Monday
    for (const CalendarMonth::Cell& cell : calendar.cells(2038, 2, 1))
        EXPECT_TRUE(cell.text.empty());
    EXPECT_TRUE(calendar.cells(1969, 12, 31).empty() && calendar.cells(2039, 1, 1).empty());
}
