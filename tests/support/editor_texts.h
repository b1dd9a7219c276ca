// What the tests of the editor's portable side share: an instant, the word the day counts end in, and local times
// in the test zone.
#pragma once

#include <string>

#include "platform/types.h"
#include "support/fake_zone.h"

constexpr Timestamp MONDAY_MORNING = 883980300;  // 1998-01-05 07:05:00 in the test zone
inline const std::string DAYS = "\xE4\xED\xE5\xE9";

inline Timestamp local(int year, int month, int day, int hour, int minute = 0)
{
    return fake_zone::fromLocal(LocalTime{year, month, day, hour, minute, 0});
}
