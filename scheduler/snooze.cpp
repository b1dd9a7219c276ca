#include "scheduler/snooze.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

const char* const OPTION_SNOOZE = "Snooze";

namespace snooze {

std::string delayText(int minutes)
{
    if (minutes % 60 == 0)
        return std::to_string(minutes / 60) + (minutes == 60 ? " hour" : " hours");
    return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
}

int parseDelay(const std::string& text)
{
    int minutes = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), " %d %c", &minutes, &rest) != 1)
        return DEFAULT_DELAY;
    return std::find(std::begin(DELAYS), std::end(DELAYS), minutes) != std::end(DELAYS) ? minutes : DEFAULT_DELAY;
}

Alarm alarmFor(const Alarm& fired, Timestamp pressTime, int minutes)
{
    const std::uint32_t carried = ALARM_SHOW_MESSAGE | ALARM_PLAY_WAVE | ALARM_SAY_TIME;
    Alarm alarm(clampTo32Bits(static_cast<long long>(pressTime) + minutes * 60LL));
    alarm.message = fired.message;
    alarm.waveFile = fired.waveFile;
    alarm.flags = (fired.flags & carried) | ALARM_AUTODELETE;
    alarm.state = ALARM_STATE_ARMED;
    return alarm;
}

}  // namespace snooze
