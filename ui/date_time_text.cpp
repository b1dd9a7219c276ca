#include "ui/date_time_text.h"

#include <cstdio>
#include <limits>

#include "model/alarm.h"
#include "platform/ascii.h"

const char* const DateTimeText::DAYS_WORD = "\xE4\xED\xE5\xE9";
const char* const DateTimeText::DATE_PLACEHOLDER = "--- --.--.--";
const char* const DateTimeText::TIME_PLACEHOLDER = "-:--:--";
const char* const DateTimeText::LIST_ROW_PLACEHOLDER = "----:--:-- - --:--:--";
const char* const DateTimeText::CURRENT_TIME_PLACEHOLDER = "--:--:--";

namespace {

const char* const DATE_PICTURE = "ddd dd.MM.yy";
const char* const TIME_PICTURE = "H:mm:ss";
const char* const MONTH_PICTURE = "MMMM";
const char* const CLOCK_PATTERN = " %d %*c %d %*c %d ";
const char* const DAY_COUNT_PATTERN = " %d %*s";
const char* const DATE_PATTERN = " %d %*c %d %*c %d ";

}  // namespace

DateTimeText::DateTimeText(Platform& platform) : m_platform(platform) {}

std::string DateTimeText::dateText(Timestamp t)
{
    LocalTime local;
    if (!m_platform.toLocal(t, local))
        return DATE_PLACEHOLDER;
    const std::string text = m_platform.formatDate(local, DATE_PICTURE);
    return text.empty() ? DATE_PLACEHOLDER : text;
}

std::string DateTimeText::timeOfDayText(Timestamp t)
{
    LocalTime local;
    if (!m_platform.toLocal(t, local))
        return TIME_PLACEHOLDER;
    return timeOfDayText(local.hour, local.minute, local.second);
}

std::string DateTimeText::timeOfDayText(int hours, int minutes, int seconds)
{
    const bool inDay = hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 && seconds <= 59;
    if (inDay) {
        LocalTime parts;
        parts.hour = hours;
        parts.minute = minutes;
        parts.second = seconds;
        const std::string text = m_platform.formatTime(parts, TIME_PICTURE);
        if (!text.empty())
            return text;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", hours, minutes, seconds);
    return text;
}

std::string DateTimeText::listRowTime(Timestamp t)
{
    LocalTime local;
    if (!m_platform.toLocal(t, local))
        return LIST_ROW_PLACEHOLDER;
    char text[64];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d - %02d:%02d:%02d", local.year, local.month, local.day, local.hour,
                  local.minute, local.second);
    return text;
}

std::string DateTimeText::currentTime(Timestamp t)
{
    LocalTime local;
    if (!m_platform.toLocal(t, local))
        return CURRENT_TIME_PLACEHOLDER;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.hour, local.minute, local.second);
    return text;
}

std::string DateTimeText::monthName(int month)
{
    LocalTime first;
    first.year = 1997;
    first.month = month;
    first.hour = 12;
    LocalTime local;
    if (!m_platform.toLocal(m_platform.fromLocal(first), local))
        return std::string();
    return m_platform.formatDate(local, MONTH_PICTURE);
}

std::string DateTimeText::dayCountText(Duration repeatInterval)
{
    char text[48];
    std::snprintf(text, sizeof text, "%02d %s", DurationParts::split(repeatInterval).days, DAYS_WORD);
    return text;
}

std::string DateTimeText::repeatTimeText(Duration repeatInterval)
{
    const DurationParts parts = DurationParts::split(repeatInterval);
    return timeOfDayText(parts.hours, parts.minutes, parts.seconds);
}

std::string DateTimeText::closeAfterText(Duration closeAfter)
{
    // The field has no place for whole days: they are dropped.
    const DurationParts parts = DurationParts::split(closeAfter);
    return timeOfDayText(parts.hours, parts.minutes, parts.seconds);
}

DateTimeText::Clock DateTimeText::readClock(const std::string& text)
{
    Clock clock;
    const int read = std::sscanf(text.c_str(), CLOCK_PATTERN, &clock.hours, &clock.minutes, &clock.seconds);
    clock.numbersRead = read < 0 ? 0 : read;
    return clock;
}

int DateTimeText::readDayCount(const std::string& text, bool* read)
{
    int days = 0;
    const bool found = std::sscanf(text.c_str(), DAY_COUNT_PATTERN, &days) == 1;
    if (read != nullptr)
        *read = found;
    return days;
}

DateTimeText::Date DateTimeText::readDate(const std::string& text)
{
    // The day name before the numbers is the locale's word and says nothing
    // the numbers do not; it may also be missing. A sign belongs to the
    // number it stands before.
    std::size_t start = 0;
    while (start < text.size() && !ascii::isDigit(text[start]))
        ++start;
    if (start > 0 && (text[start - 1] == '-' || text[start - 1] == '+'))
        --start;
    Date date;
    const int read = start < text.size()
        ? std::sscanf(text.c_str() + start, DATE_PATTERN, &date.day, &date.month, &date.year)
        : 0;
    date.numbersRead = read < 0 ? 0 : read;
    return date;
}

long long DateTimeText::fullYear(int typed)
{
    return (typed >= 0 && typed <= 69) ? 2000LL + typed : 1900LL + typed;
}

Timestamp DateTimeText::instantOf(const Date& date, const Clock& clock)
{
    const long long year = fullYear(date.year);
    // A year that does not even fit the conversion's fields lies far outside
    // the range of an instant.
    if (year > std::numeric_limits<int>::max())
        return INVALID_TIME;
    LocalTime local;
    local.year = static_cast<int>(year);
    local.month = date.month;
    local.day = date.day;
    local.hour = clock.hours;
    local.minute = clock.minutes;
    local.second = clock.seconds;
    return m_platform.fromLocal(local);
}
