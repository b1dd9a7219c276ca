// A fixed time zone with daylight saving for the test double: UTC+1, and UTC+2 from the last Sunday of March 01:00 UTC
// to the last Sunday of October 01:00 UTC (the Central European rules).
#pragma once

#include "platform/types.h"

namespace fake_zone {

// false for an instant before 1970, which has no local time.
bool toLocal(Timestamp t, LocalTime& out);
// mktime semantics: fields carry over; an hour that does not exist (spring gap) is taken as standard time, so it lands
// one hour later; an hour that exists twice (autumn overlap) is taken as summer time, the first of them.
Timestamp fromLocal(const LocalTime& fields);

}  // namespace fake_zone
