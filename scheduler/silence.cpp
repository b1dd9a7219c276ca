#include "scheduler/silence.h"

#include <cstdio>

#include "platform/types.h"

namespace {

// A bound as a time of day: whole days dropped, so 24:30:00 is 0:30:00.
int timeOfDay(long long seconds)
{
    const long long rest = seconds % SECONDS_PER_DAY;
    return static_cast<int>(rest < 0 ? rest + SECONDS_PER_DAY : rest);
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

SilencePeriod parseSilence(const std::string& text)
{
    int n[6] = {};
    SilencePeriod period;
    if (std::sscanf(text.c_str(), " %d %*c %d %*c %d %*c %d %*c %d %*c %d", &n[0], &n[1], &n[2], &n[3], &n[4], &n[5]) !=
        6)
        return period;
    // Worked out in 64 bits: typed hours far out of range must not overflow.
    period.from = timeOfDay(n[0] * 3600LL + n[1] * 60LL + n[2]);
    period.to = timeOfDay(n[3] * 3600LL + n[4] * 60LL + n[5]);
    return period;
}

std::string formatSilence(const SilencePeriod& period)
{
    const int from = timeOfDay(period.from);
    const int to = timeOfDay(period.to);
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d, %02d:%02d:%02d", from / 3600, from / 60 % 60, from % 60,
                  to / 3600, to / 60 % 60, to % 60);
    return text;
}
