#include "ui/calendar_month.h"

#include "ui/date_time_text.h"

CalendarMonth::CalendarMonth(Platform& platform) : m_platform(platform) {}

Timestamp CalendarMonth::noonOf(long long year, int month, int day)
{
    // Noon, not midnight: the date is the same, and 1 January 1970 has an
    // instant at noon also where its midnight lies before the first instant
    // (east of Greenwich).
    LocalTime fields;
    fields.year = static_cast<int>(year);
    fields.month = month;
    fields.day = day;
    fields.hour = 12;
    return m_platform.fromLocal(fields);
}

std::vector<CalendarMonth::Cell> CalendarMonth::cells(long long year, int month, int chosenDay)
{
    std::vector<Cell> cells;
    LocalTime first;
    if (!showsYear(year) || !m_platform.toLocal(noonOf(year, month, 1), first))
        return cells;
    const int shift = (first.dayOfWeek + 6) % 7;  // Monday 0 ... Sunday 6
    for (int column = 1; column <= COLUMNS; ++column) {
        for (int row = 0; row < ROWS; ++row) {
            const int day = column + 7 * row - shift;
            LocalTime local;
            const bool inMonth =
                day >= 1 && day <= 31 && m_platform.toLocal(noonOf(year, month, day), local) && local.day == day;
            Cell cell;
            if (inMonth) {
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
        year = FIRST_YEAR;
    return DateTimeText(m_platform).dateText(noonOf(year, month, day));
}

LocalTime CalendarMonth::openingDate(Timestamp alarmTime, Timestamp now)
{
    LocalTime date;
    if (!m_platform.toLocal(alarmTime, date))
        m_platform.toLocal(now, date);
    return date;
}
