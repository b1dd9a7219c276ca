// The calendar pop-up's month: its grid of days, the date text of a chosen day and the date it opens on
// (CalendarMonth).
#include <gtest/gtest.h>

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
    EXPECT_TRUE(calendar.cells(1969, 12, 1).empty() && calendar.cells(2037, 1, 1).empty());
    // The 31st carries into March; a year the grid does not show becomes 1970.
    EXPECT_EQ(calendar.dateText(1998, 2, 31) + " " + calendar.dateText(2040, 5, 1), "Tue 03.03.98 Fri 01.05.70");
    EXPECT_EQ(calendar.openingDate(INVALID_TIME, MONDAY_MORNING).day, 5) << "an alarm with no date opens on today";
    EXPECT_EQ(texts.monthName(1) + " " + texts.monthName(12), "January December");
}
