#include "ui/calendar_month.h"

#include <limits>

#include "platform/c_runtime_time.h"
#include "ui/date_time_text.h"

CalendarMonth::CalendarMonth(Platform& platform) : m_platform(platform) {}

Timestamp CalendarMonth::instantOfDay(long long year, int month, int day)
{
    // Noon where it has an instant: the date is the same, and 1 January 1970
    // has one at noon also where its midnight lies before the first instant
    // (east of Greenwich). The first and the last day an instant can hold
    // may have one only early (19 January 2038) or late in the day.
    const int clocks[][3] = {{12, 0, 0}, {0, 0, 0}, {23, 59, 59}};
    for (const auto& clock : clocks) {
        LocalTime fields;
        fields.year = static_cast<int>(year);
        fields.month = month;
        fields.day = day;
        fields.hour = clock[0];
        fields.minute = clock[1];
        fields.second = clock[2];
        const Timestamp t = m_platform.fromLocal(fields);
        if (t != INVALID_TIME)
            return t;
    }
    return INVALID_TIME;
}

int CalendarMonth::yearOf(Timestamp t, int fallback)
{
    LocalTime local;
    return m_platform.toLocal(t, local) ? local.year : fallback;
}

int CalendarMonth::firstYear()
{
    return yearOf(0, FALLBACK_YEAR);
}

int CalendarMonth::lastYear()
{
    return yearOf(std::numeric_limits<Timestamp>::max(), 2037);
}

std::vector<CalendarMonth::Cell> CalendarMonth::cells(long long year, int month, int chosenDay)
{
    std::vector<Cell> cells;
    if (!showsYear(year) || month < 1 || month > 12)
        return cells;
    // The weekday and the length of the month by the calendar itself: the
    // first days of a month may have no instant.
    const long long first = c_runtime_time::daysFromCivil(year, month, 1);
    const long long length = c_runtime_time::daysFromCivil(year, month + 1, 1) - first;
    const int shift = static_cast<int>(((first % 7) + 7 + 3) % 7);  // 1970-01-01, a Thursday: Monday 0 ... Sunday 6
    for (int column = 1; column <= COLUMNS; ++column) {
        for (int row = 0; row < ROWS; ++row) {
            const int day = column + 7 * row - shift;
            Cell cell;
            if (day >= 1 && day <= length && instantOfDay(year, month, day) != INVALID_TIME) {
                cell.text = std::to_string(day);
                cell.chosen = day == chosenDay;
            }
            cells.push_back(cell);
        }
    }
    return cells;
}

std::string CalendarMonth::dateText(long long year, int month, int day)
{
    if (!showsYear(year))
        year = FALLBACK_YEAR;
    return DateTimeText(m_platform).dateText(instantOfDay(year, month, day));
}

LocalTime CalendarMonth::openingDate(Timestamp alarmTime, Timestamp now)
{
    LocalTime date;
    if (!m_platform.toLocal(alarmTime, date))
        m_platform.toLocal(now, date);
    return date;
}
