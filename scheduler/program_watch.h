// The watch of the programs that alarms launch: every launch leaves a hidden
// process-watch entry in the alarm collection, which the close rules and the
// reaping of ended programs work on. The entry of the most recent launch
// holds the slot (SchedulerState::previousProgram) until its program is seen
// to end or the next launch.
#pragma once

#include "model/alarm_collection.h"
#include "platform/platform.h"
#include "scheduler/scheduler_state.h"

class ProgramWatch {
public:
    ProgramWatch(Platform& platform, SchedulerState& state, AlarmCollection& alarms);
    ProgramWatch(const ProgramWatch&) = delete;
    ProgramWatch& operator=(const ProgramWatch&) = delete;

    // Before a launch: the previous program is terminated when its alarm
    // asks for that, and its entry leaves the slot (it stays in the
    // collection, no longer reaped).
    void makeWayForLaunch();
    // After a launch: an entry with the alarm's values, its close time and
    // the process takes the slot. A failed launch leaves an entry too,
    // without a process: it is never reaped and holds the slot until the
    // next launch.
    void watch(const Alarm& alarm, ProcessHandle process);
    // Takes the entry of the most recent launch out of the collection once
    // its program has ended.
    void reapExitedProgram();
    // Terminates the entry's program when its close time has passed or the
    // user is back, as its flags ask.
    void applyCloseRules(const Alarm& entry);
    // Destroys every process-watch entry, giving back its process handle;
    // the programs keep running. For the end of the program.
    void releaseWatchEntries();

private:
    void terminate(const Alarm& entry);
    void destroyWatchEntry(Alarm* entry);

    Platform& m_platform;
    SchedulerState& m_state;
    AlarmCollection& m_alarms;
};
