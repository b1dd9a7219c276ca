// The state that the tick, the alarm actions and the announcement share; the
// alarm engine owns it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"
#include "scheduler/options.h"
#include "scheduler/silence.h"

class Alarm;

struct SchedulerState {
    // True while the user counts as present: set by a moved pointer at a
    // tick, cleared when the screen saver starts.
    bool userPresent = true;
    // The time taken once at the start of the latest tick; INVALID_TIME
    // until the first tick.
    Timestamp tickTime = INVALID_TIME;
    // The pointer position of the previous tick.
    ScreenPoint lastPointer;
    // Set once the settings file has been read and the alarms loaded from
    // it; until then the alarm list is not saved.
    bool settingsLoaded = false;
    // Set while a tick runs; a nested tick does nothing.
    bool tickRunning = false;
    SilencePeriod silence;
    std::string currentTheme = DEFAULT_THEME;
    // The folder the program started in; the speak folder lies below it.
    std::string startFolder;
    // The process-watch entry of the most recent launch while its program
    // has not been seen to end; owned by the alarm collection.
    Alarm* previousProgram = nullptr;
    // What the latest walk over the alarms found, so that a tick with nothing
    // to do does not walk them again: the earliest time of an armed alarm
    // (no alarm is due until the clock is past it), and whether any
    // process-watch entry with a close rule is left to police. The
    // collection's change count as the walk began tells whether the alarms
    // changed since (none before the first walk).
    Timestamp earliestArmed = INVALID_TIME;
    bool watchEntriesLeft = false;
    std::optional<std::uint64_t> walkedChangeCount;
};
