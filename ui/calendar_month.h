// One month of the calendar drop-down: its 7 x 5 grid of days, filled column
// by column (the five cells of Monday first, as a list view in list mode
// arranges its items), and the date text handed back to the editor.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/types.h"

class CalendarMonth {
public:
    static constexpr int COLUMNS = 7;  // Monday to Sunday
    static constexpr int ROWS = 5;
    // The years the grid shows; the year box takes 1900 to 3000.
    static constexpr int FIRST_YEAR = 1970;
    static constexpr int LAST_YEAR = 2036;
    static constexpr unsigned LOWEST_TYPED_YEAR = 1900;
    static constexpr unsigned HIGHEST_TYPED_YEAR = 3000;

    struct Cell {
        std::string text;  // the day, or empty for a blank cell
        bool chosen = false;
    };

    explicit CalendarMonth(Platform& platform);

    static bool showsYear(long long year) { return year >= FIRST_YEAR && year <= LAST_YEAR; }
    // The 35 cells in the order they are inserted; none for a year the grid
    // does not show. A month that begins late in the week loses its last
    // days (five rows, not six).
    std::vector<Cell> cells(long long year, int month, int chosenDay);
    // The date text of the day; a year the grid does not show becomes 1970,
    // and a day past the end of the month carries into the next month.
    std::string dateText(long long year, int month, int day);
    // The date the calendar opens on: the alarm's, or today's for an alarm
    // whose instant has no date.
    LocalTime openingDate(Timestamp alarmTime, Timestamp now);

private:
    Timestamp noonOf(long long year, int month, int day);

    Platform& m_platform;
};
