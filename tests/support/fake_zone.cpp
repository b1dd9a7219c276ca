#include "support/fake_zone.h"

#include <limits>

#include "platform/c_runtime_time.h"

namespace fake_zone {
namespace {

using c_runtime_time::daysFromCivil;

// Instants before 1970 have no local time here, and dates far from it give
// no instant, so plain division serves for the calendar of seconds.
void civilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    const long long era = days / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// 01:00 UTC of the last Sunday of a month, in seconds since 1970.
long long lastSundayOneUtc(int year, int month)
{
    const long long lastDay = daysFromCivil(year, month + 1, 1) - 1;
    const long long weekday = ((lastDay % 7) + 11) % 7;  // 0 = Sunday; 1970-01-01 was a Thursday
    return (lastDay - weekday) * 86400 + 3600;
}

bool isSummerTime(long long utcSeconds)
{
    int year = 0, month = 0, day = 0;
    civilFromDays(utcSeconds / 86400, year, month, day);
    return utcSeconds >= lastSundayOneUtc(year, 3) && utcSeconds < lastSundayOneUtc(year, 10);
}

}  // namespace

bool toLocal(Timestamp t, LocalTime& out)
{
    if (t < 0)
        return false;
    const long long local = static_cast<long long>(t) + (isSummerTime(t) ? 7200 : 3600);
    const long long days = local / 86400;
    civilFromDays(days, out.year, out.month, out.day);
    out.hour = static_cast<int>(local % 86400 / 3600);
    out.minute = static_cast<int>(local / 60 % 60);
    out.second = static_cast<int>(local % 60);
    out.dayOfWeek = static_cast<int>((days + 4) % 7);
    return true;
}

Timestamp fromLocal(const LocalTime& f)
{
    const long long local =
        (daysFromCivil(f.year, f.month, 1) + f.day - 1LL) * 86400 + f.hour * 3600LL + f.minute * 60LL + f.second;
    const long long result = isSummerTime(local - 7200) ? local - 7200 : local - 3600;
    if (result < 0 || result > std::numeric_limits<Timestamp>::max())
        return INVALID_TIME;
    return static_cast<Timestamp>(result);
}

}  // namespace fake_zone
