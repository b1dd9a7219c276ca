// The calendar left untouched hands back the date it opened with, for every date an alarm can have.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "support/fake_platform.h"
#include "ui/calendar_month.h"
#include "ui/date_time_text.h"

TEST(CalendarMonthTest, UntouchedItHandsBackTheDateItOpenedWithFromTheFirstToTheLastInstant)
{
    FakePlatform platform;  // UTC+1: the first instant is 1 January 1970 1:00, the last 19 January 2038 4:14:07
    CalendarMonth calendar(platform);
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
