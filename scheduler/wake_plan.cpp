#include "scheduler/wake_plan.h"

#include <algorithm>

namespace wake_plan {

Timestamp nextTick(const PendingWork& work, Timestamp now)
{
    const long long next = static_cast<long long>(now) + 1;
    if (work.windowVisible || work.settingsPending || work.walkPending || work.programsWatched || work.tickRunning)
        return clampTo32Bits(next);
    long long wake = static_cast<long long>(now) + LONGEST_SLEEP_SECONDS;
    // An alarm is due once the clock is strictly past its time.
    if (work.earliestArmed != INVALID_TIME)
        wake = std::min(wake, static_cast<long long>(work.earliestArmed) + 1);
    return clampTo32Bits(std::max(wake, next));
}

}  // namespace wake_plan
