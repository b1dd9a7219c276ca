// Fixed time zones with daylight saving for the test double. The default is UTC+1, and UTC+2 from the last Sunday of
// March 01:00 UTC to the last Sunday of October 01:00 UTC (the Central European rules); a test may take UTC+10, and
// UTC+11 from the first Sunday of October 02:00 standard time to the first Sunday of April 03:00 summer time (the
// eastern Australian rules, a summer that spans the New Year).
#pragma once

#include "platform/types.h"

namespace fake_zone {

struct Zone {
    const char* name;
    int standardOffset;  // seconds east of UTC; summer time adds an hour
    // The two changes of a year, in seconds since 1970 UTC: summer time lies between them, or outside them.
    long long (*firstChange)(long long year);
    long long (*secondChange)(long long year);
    bool summerBetween;
};
extern const Zone CENTRAL_EUROPE;
extern const Zone EASTERN_AUSTRALIA;

// false for an instant before 1970, which has no local time.
bool toLocal(Timestamp t, LocalTime& out, const Zone& zone = CENTRAL_EUROPE);
// mktime semantics: fields carry over; an hour that does not exist (spring gap) is taken as standard time, so it lands
// one hour later; an hour that exists twice (autumn overlap) is taken as summer time, the first of them.
Timestamp fromLocal(const LocalTime& fields, const Zone& zone = CENTRAL_EUROPE);

}  // namespace fake_zone
