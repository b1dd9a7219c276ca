#include "support/fake_zone.h"

#include <limits>

#include "platform/c_runtime_time.h"

namespace fake_zone {
namespace {

using c_runtime_time::daysFromCivil;

// 01:00 UTC of the last Sunday of a month, in seconds since 1970.
long long lastSundayOneUtc(long long year, int month)
{
    const long long lastDay = daysFromCivil(year, month + 1, 1) - 1;
    const long long weekday = ((lastDay % 7) + 11) % 7;  // 0 = Sunday; 1970-01-01 was a Thursday
    return (lastDay - weekday) * 86400 + 3600;
}

bool isSummerTime(long long utcSeconds)
{
    // The year by the average year's length may be wrong around New Year only, far from either change.
    const long long year = 1970 + utcSeconds / 31556952;
    return utcSeconds >= lastSundayOneUtc(year, 3) && utcSeconds < lastSundayOneUtc(year, 10);
}

}  // namespace

bool toLocal(Timestamp t, LocalTime& out)
{
    if (t < 0)
        return false;
    const long long local = static_cast<long long>(t) + (isSummerTime(t) ? 7200 : 3600);
    const long long days = local / 86400;
    long long year = 1970 + days / 366;  // never past the year of the day
    while (daysFromCivil(year + 1, 1, 1) <= days)
        ++year;
    int month = 1;
    while (month < 12 && daysFromCivil(year, month + 1, 1) <= days)
        ++month;
    out.year = static_cast<int>(year);
    out.month = month;
    out.day = static_cast<int>(days - daysFromCivil(year, month, 1) + 1);
    out.hour = static_cast<int>(local % 86400 / 3600);
    out.minute = static_cast<int>(local / 60 % 60);
    out.second = static_cast<int>(local % 60);
    out.dayOfWeek = static_cast<int>((days + 4) % 7);  // 1970-01-01 was a Thursday
    return true;
}

Timestamp fromLocal(const LocalTime& f)
{
    const long long local = c_runtime_time::wallSeconds(f);
    const long long result = isSummerTime(local - 7200) ? local - 7200 : local - 3600;
    if (result < 0 || result > std::numeric_limits<Timestamp>::max())
        return INVALID_TIME;
    return static_cast<Timestamp>(result);
}

}  // namespace fake_zone
