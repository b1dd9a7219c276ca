#include "scheduler/silence.h"

namespace {

// A bound as a time of day: whole days dropped, so 24:30:00 is 0:30:00.
int timeOfDay(int seconds)
{
    const int rest = seconds % SECONDS_PER_DAY;
    return rest < 0 ? rest + SECONDS_PER_DAY : rest;
}

}  // namespace

bool isSilent(const SilencePeriod& period, int secondsOfDay)
{
    const int from = timeOfDay(period.from);
    const int to = timeOfDay(period.to);
    if (from <= to)
        return from < secondsOfDay && secondsOfDay < to;
    return secondsOfDay > from || secondsOfDay < to;
}
