#include "platform/c_runtime_time.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

namespace c_runtime_time {
namespace {

// The Windows C runtime reads a TZ variable in its own form ("CET-1CEST").
// A zone name in the form of other systems ("Europe/Berlin", as Wine passes
// on from its host) would be misread as UTC with a made-up name: such a
// variable is dropped, so the runtime takes the system's own time zone.
void useSystemZoneForForeignTz()
{
#ifdef _WIN32
    static bool checked = false;
    if (checked)
        return;
    checked = true;
    const char* zone = std::getenv("TZ");
    if (zone != nullptr && std::strchr(zone, '/') != nullptr) {
        _putenv("TZ=");
        _tzset();
    }
#endif
}

long long floorDiv(long long a, long long b)
{
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

Timestamp clampToTimestamp(long long value)
{
    if (value < 0 || value > std::numeric_limits<Timestamp>::max())
        return INVALID_TIME;
    return static_cast<Timestamp>(value);
}

}  // namespace

Timestamp now()
{
    useSystemZoneForForeignTz();
    return clampToTimestamp(static_cast<long long>(std::time(nullptr)));
}

bool toLocal(Timestamp t, LocalTime& out)
{
    if (t < 0)
        return false;
    useSystemZoneForForeignTz();
    std::time_t value = static_cast<std::time_t>(t);
    std::tm parts{};
#ifdef _WIN32
    if (localtime_s(&parts, &value) != 0)
        return false;
#else
    if (localtime_r(&value, &parts) == nullptr)
        return false;
#endif
    out.year = parts.tm_year + 1900;
    out.month = parts.tm_mon + 1;
    out.day = parts.tm_mday;
    out.hour = parts.tm_hour;
    out.minute = parts.tm_min;
    out.second = parts.tm_sec;
    out.dayOfWeek = parts.tm_wday;
    return true;
}

Timestamp fromLocal(const LocalTime& fields)
{
    // Fields that carry far outside the 32-bit range are rejected before they
    // can overflow the library's own arithmetic; a rough estimate suffices,
    // with two months of slack at either end.
    const long long day = SECONDS_PER_DAY;
    const long long averageYear = 31556952;  // 365.2425 days
    const long long estimate = (fields.year - 1970LL) * averageYear + (fields.month - 1LL) * (averageYear / 12) +
        fields.day * day + fields.hour * 3600LL + fields.minute * 60LL + fields.second;
    if (estimate < -62 * day || estimate > std::numeric_limits<Timestamp>::max() + 62 * day)
        return INVALID_TIME;
    useSystemZoneForForeignTz();
    std::tm parts{};
    parts.tm_year = fields.year - 1900;
    parts.tm_mon = fields.month - 1;
    parts.tm_mday = fields.day;
    parts.tm_hour = fields.hour;
    parts.tm_min = fields.minute;
    parts.tm_sec = fields.second;
    parts.tm_isdst = -1;
    const std::time_t result = std::mktime(&parts);
    if (result == static_cast<std::time_t>(-1))
        return INVALID_TIME;
    const Timestamp instant = clampToTimestamp(static_cast<long long>(result));
    // In the gap of the spring change some runtimes (the Windows one among
    // them) go back by the gap instead; the reading of the result then shows
    // an earlier wall time than asked for, and the gap is crossed forward.
    LocalTime shown;
    if (instant == INVALID_TIME || !toLocal(instant, shown))
        return instant;
    const long long behind = wallSeconds(fields) - wallSeconds(shown);
    return behind > 0 ? clampToTimestamp(instant + behind) : instant;
}

long long wallSeconds(const LocalTime& f)
{
    return (daysFromCivil(f.year, f.month, 1) + f.day - 1LL) * SECONDS_PER_DAY + f.hour * 3600LL + f.minute * 60LL +
        f.second;
}

long long daysFromCivil(long long year, long long month, long long day)
{
    year += floorDiv(month - 1, 12);
    month -= floorDiv(month - 1, 12) * 12;
    year -= month <= 2 ? 1 : 0;
    const long long era = floorDiv(year, 400);
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace c_runtime_time
