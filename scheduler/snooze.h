// Snooze: a fired alarm's message window can put the alarm off for a while.
// The alarm that rings again is a new one-time alarm of its own, stored like
// any other, that deletes itself once it has rung.
#pragma once

#include <string>

#include "model/alarm.h"

extern const char* const OPTION_SNOOZE;  // "Snooze", minutes of the delay used last

namespace snooze {

// The delays the message window offers, in minutes, in their order.
constexpr int DELAYS[] = {5, 10, 15, 30, 60};
constexpr int DEFAULT_DELAY = 10;

// How the window names a delay: "5 minutes", "1 hour".
std::string delayText(int minutes);
// "Snooze": a delay the window offers, otherwise the default.
int parseDelay(const std::string& text);
// The alarm that rings minutes after pressTime: armed, one-time, with
// Autodelete, carrying the fired alarm's message, wave file and its Show
// message, Play wav and Say time; never a program to start or a rule for
// one, so that snoozing never starts a program twice.
Alarm alarmFor(const Alarm& fired, Timestamp pressTime, int minutes);

}  // namespace snooze
