// The one-second tick of the main window: samples the pointer, takes the
// time, shows it, and walks the alarm collection, policing launched programs
// and firing every due alarm in collection order.
#pragma once

#include <vector>

#include "model/alarm_collection.h"
#include "model/alarm_store.h"
#include "platform/platform.h"
#include "scheduler/alarm_actions.h"
#include "scheduler/alarm_view.h"
#include "scheduler/program_watch.h"
#include "scheduler/scheduler_state.h"

class Scheduler {
public:
    Scheduler(Platform& platform, SchedulerState& state, AlarmCollection& alarms, AlarmStore& store, AlarmView& view,
              AlarmActions& actions, ProgramWatch& programs);
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    // One tick; a tick nested inside a running one (through a modal loop
    // opened by it) does nothing.
    void tick();
    // The walk over the collection at tickTime, with one save at its end
    // when any alarm was due.
    void scanAlarms();
    // A launched program needs the tick every second: the most recent one
    // is reaped when it ends, and close rules are applied.
    bool programsWatched() const;

private:
    bool walkNeeded() const;
    void samplePointer();
    // False when the alarm was destroyed.
    bool handleDueAlarm(Alarm& alarm);
    // Notes a due alarm that is missed or rings late.
    void noteLateness(const Alarm& alarm, std::vector<LateAlarm>& late) const;

    Platform& m_platform;
    SchedulerState& m_state;
    AlarmCollection& m_alarms;
    AlarmStore& m_store;
    AlarmView& m_view;
    AlarmActions& m_actions;
    ProgramWatch& m_programs;
};
