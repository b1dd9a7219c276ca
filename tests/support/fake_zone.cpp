#include "support/fake_zone.h"

#include <limits>

#include "platform/c_runtime_time.h"

namespace fake_zone {
namespace {

using c_runtime_time::daysFromCivil;

long long weekday(long long days)  // 0 = Sunday; 1970-01-01 was a Thursday
{
    return ((days % 7) + 11) % 7;
}

// 01:00 UTC of the last Sunday of a month.
long long lastSundayOneUtc(long long year, int month)
{
    const long long lastDay = daysFromCivil(year, month + 1, 1) - 1;
    return (lastDay - weekday(lastDay)) * 86400 + 3600;
}

// 02:00 standard time (UTC+10) of the first Sunday of a month; in April that is 03:00 summer time.
long long firstSundayTwoStandard(long long year, int month)
{
    const long long firstDay = daysFromCivil(year, month, 1);
    return (firstDay + (7 - weekday(firstDay)) % 7) * 86400 + 2 * 3600 - 10 * 3600;
}

bool isSummerTime(long long utcSeconds, const Zone& zone)
{
    // The year by the average year's length may be wrong around New Year only, far from either change.
    const long long year = 1970 + utcSeconds / 31556952;
    const bool between = utcSeconds >= zone.firstChange(year) && utcSeconds < zone.secondChange(year);
    return between == zone.summerBetween;
}

}  // namespace

const Zone CENTRAL_EUROPE{"UTC+1, northern summer time", 3600, [](long long y) { return lastSundayOneUtc(y, 3); },
                          [](long long y) { return lastSundayOneUtc(y, 10); }, true};
const Zone EASTERN_AUSTRALIA{"UTC+10, southern summer time", 36000,
                             [](long long y) { return firstSundayTwoStandard(y, 4); },
                             [](long long y) { return firstSundayTwoStandard(y, 10); }, false};

bool toLocal(Timestamp t, LocalTime& out, const Zone& zone)
{
    if (t < 0)
        return false;
    const long long local = static_cast<long long>(t) + zone.standardOffset + (isSummerTime(t, zone) ? 3600 : 0);
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
    out.dayOfWeek = static_cast<int>(weekday(days));
    return true;
}

Timestamp fromLocal(const LocalTime& f, const Zone& zone)
{
    const long long local = c_runtime_time::wallSeconds(f);
    const long long summer = local - zone.standardOffset - 3600;
    const long long result = isSummerTime(summer, zone) ? summer : local - zone.standardOffset;
    if (result < 0 || result > std::numeric_limits<Timestamp>::max())
        return INVALID_TIME;
    return static_cast<Timestamp>(result);
}

}  // namespace fake_zone
