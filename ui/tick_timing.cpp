#include "ui/tick_timing.h"

namespace tick_timing {

namespace {

// A timer message this late in a second is taken for an early one: the tick
// waits for the boundary.
constexpr int EARLY_FROM_MS = 900;
// The furthest a timer is ever aimed, in seconds past the next boundary: a
// target further out (a clock set back without notice) is planned again then.
constexpr long long MAX_SECONDS = 3600;

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

int delayTo(Timestamp target, Timestamp now, int msIntoSecond)
{
    // plan() reaches just past the next boundary from any moment of the
    // second; every further second adds a whole period.
    const long long further = static_cast<long long>(target) - now - 1;
    const int seconds = static_cast<int>(further < 0 ? 0 : further > MAX_SECONDS ? MAX_SECONDS : further);
    return plan(msIntoSecond).period + seconds * 1000;
}

}  // namespace tick_timing
