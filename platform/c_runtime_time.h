// Clock and local-time conversions through the C runtime (time, localtime,
// mktime), the way the program's time library behaves on its platform.
#pragma once

#include "platform/types.h"

namespace c_runtime_time {

// The current time, or INVALID_TIME when it does not fit in 32 bits.
Timestamp now();
// Local fields of t; false for a negative instant or one the library rejects.
bool toLocal(Timestamp t, LocalTime& out);
// mktime of the fields with the daylight flag -1; INVALID_TIME when the
// result lies outside 1970-01-01 00:00:00 UTC .. 2038-01-19 03:14:07 UTC.
// A local time that does not exist (skipped when summer time begins) is
// moved forward past the gap: 02:30 becomes 03:30, whichever way the
// runtime itself would take it.
Timestamp fromLocal(const LocalTime& fields);

// Days since 1970-01-01 of a date of the Gregorian calendar; a month
// outside 1-12 carries into the year.
long long daysFromCivil(long long year, long long month, long long day);
// Seconds since 1970-01-01 00:00:00 of a wall-clock reading, with fields
// carried over as mktime does, but without any time zone.
long long wallSeconds(const LocalTime& fields);

}  // namespace c_runtime_time
