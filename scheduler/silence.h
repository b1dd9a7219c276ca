// The silence period: the daily stretch in which alarms play no wave and say
// no time. Held as the seconds of the day of its start and end; stored under
// the Options key "Silence" as "22:00:00, 07:00:00".
#pragma once

#include <string>

struct SilencePeriod {
    int from = 0;
    int to = 0;
};

// True when secondsOfDay (0-86399) lies strictly inside the period. A period
// whose start is later than its end runs over midnight; equal bounds mean no
// silence at all.
bool isSilent(const SilencePeriod& period, int secondsOfDay);

// Six numbers with any single character between them; hours are taken as
// they stand and reduced to a time of day. An unreadable text means no
// silence (both bounds 0).
SilencePeriod parseSilence(const std::string& text);
// Hours of the day, minutes and seconds of each bound, two digits each.
std::string formatSilence(const SilencePeriod& period);
