// When the next tick must run. Most seconds of a day hold nothing to do: the
// window is hidden, no alarm is due and no launched program is watched. The
// timer then sleeps until the first second at which an alarm can be due,
// instead of waking every second for nothing.
#pragma once

#include "platform/types.h"

// What is pending after a tick or a command: the work that needs a tick every
// second, and the earliest armed alarm.
struct PendingWork {
    // The window shows the clock.
    bool windowVisible = false;
    // The settings file could not be read yet: it is tried again every few ticks.
    bool settingsPending = false;
    // The alarms changed since the latest walk, which has yet to look at them.
    bool walkPending = false;
    // A launched program is watched: the most recent one is reaped when it
    // ends, and close rules are applied (one of them reads the presence).
    bool programsWatched = false;
    // A tick is running (a modal loop opened inside it): the next one goes
    // on catching up every second.
    bool tickRunning = false;
    // The earliest time of an armed alarm; an alarm whose launch is
    // postponed stays armed at a past time, and so keeps the next second.
    Timestamp earliestArmed = INVALID_TIME;
};

namespace wake_plan {

// Without anything due, the tick still runs this often, in case the clock
// moved without telling the program.
constexpr int LONGEST_SLEEP_SECONDS = 60;

// The second at which the next tick must run, given the one of the latest
// tick or command (now): the next second when anything needs the tick every
// second, otherwise the first second at which the earliest armed alarm is due
// (one past its time), at most LONGEST_SLEEP_SECONDS ahead.
Timestamp nextTick(const PendingWork& work, Timestamp now);

}  // namespace wake_plan
