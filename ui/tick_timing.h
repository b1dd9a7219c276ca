// When the tick timer fires: just after a second boundary of the clock, so
// that an alarm's actions start within a few milliseconds of the earliest
// second it may fire. The timer is aimed at the second the wake-up planning
// names (the next one, or one further ahead while nothing needs a tick every
// second); every tick checks where in its second it ran and the timer is
// aligned again when it has drifted.
#pragma once

#include "platform/types.h"

struct TickPlan {
    // Whether this timer message runs the tick: one that came before the
    // boundary it was meant for would see the old second again.
    bool tickNow = true;
    // The timer's period from now on, in milliseconds.
    int period = 1000;
};

namespace tick_timing {

// How many milliseconds after the boundary the timer aims for, and how far
// behind that a tick may run before the timer is aligned again.
constexpr int TARGET_MS = 10;
constexpr int TOLERANCE_MS = 30;

// The plan for a timer message that arrived msIntoSecond (0-999)
// milliseconds into the clock's second.
TickPlan plan(int msIntoSecond);

// The milliseconds from a moment msIntoSecond into the clock's second now
// until the timer should fire for the second target: just after its boundary,
// kept as a whole number of seconds while the timer runs on time. A target
// already reached gives the next boundary.
int delayTo(Timestamp target, Timestamp now, int msIntoSecond);

}  // namespace tick_timing
