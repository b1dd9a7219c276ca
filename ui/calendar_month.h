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
    // The year a date the grid does not show is handed back in; the year box
    // takes 1900 to 3000.
    static constexpr int FALLBACK_YEAR = 1970;
    static constexpr unsigned LOWEST_TYPED_YEAR = 1900;
    static constexpr unsigned HIGHEST_TYPED_YEAR = 3000;

    struct Cell {
        std::string text;  // the day, or empty for a blank cell
        bool chosen = false;
    };

    explicit CalendarMonth(Platform& platform);

    // The years the grid shows: those of the first and the last instant in
    // local time, so that every date an alarm can have is among them.
    int firstYear();
    int lastYear();
    bool showsYear(long long year) { return year >= firstYear() && year <= lastYear(); }
    // The 35 cells in the order they are inserted; none for a year the grid
    // does not show. A month that begins late in the week loses its last
    // days (five rows, not six); a day that has no instant is blank.
    std::vector<Cell> cells(long long year, int month, int chosenDay);
    // The date text of the day; a year the grid does not show becomes
    // FALLBACK_YEAR, and a day past the end of the month carries into the
    // next month.
    std::string dateText(long long year, int month, int day);
    // The date the calendar opens on: the alarm's, or today's for an alarm
    // whose instant has no date.
    LocalTime openingDate(Timestamp alarmTime, Timestamp now);

private:
    Timestamp instantOfDay(long long year, int month, int day);
    int yearOf(Timestamp t, int fallback);

    Platform& m_platform;
};
