#include "ui/tick_timing.h"

namespace tick_timing {

namespace {

// A timer message this late in a second is taken for an early one: the tick
// waits for the boundary.
constexpr int EARLY_FROM_MS = 900;

}  // namespace

TickPlan plan(int msIntoSecond)
{
    TickPlan next;
    next.tickNow = msIntoSecond < EARLY_FROM_MS;
    if (next.tickNow && msIntoSecond <= TARGET_MS + TOLERANCE_MS)
        return next;
    next.period = 1000 - msIntoSecond + TARGET_MS;
    return next;
}

}  // namespace tick_timing
