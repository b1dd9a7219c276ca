// An alarm that a tick found late: skipped as missed (In time, too late to
// ring) or rung well after its time. The user is told of them together, once
// for the tick, so that nothing passes in silence.
#pragma once

#include <string>

#include "platform/types.h"

// An alarm rung at least this long after its time counts as late.
constexpr Duration LATE_NOTICE_SPAN = 60;

struct LateAlarm {
    static constexpr int MISSED = -1;

    // The occurrence the alarm was set for.
    Timestamp time = INVALID_TIME;
    std::string message;
    // Whole minutes it rang after its time, or MISSED.
    int minutesLate = MISSED;
};
