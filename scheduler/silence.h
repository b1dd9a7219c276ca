// The silence period test: whether an alarm set for a time of day may sound.
#pragma once

#include "app/main_options.h"

constexpr int SECONDS_PER_DAY = 86400;

// True when secondsOfDay (0-86399) lies strictly inside the period. A period
// whose start is later than its end runs over midnight; equal bounds mean no
// silence at all.
bool isSilent(const SilencePeriod& period, int secondsOfDay);
