// The actions of a due alarm: its wave, the time announcement, its message
// window, and the launch of its program or the launch's postponement.
#pragma once

#include "model/alarm.h"
#include "platform/platform.h"
#include "scheduler/alarm_view.h"
#include "scheduler/announcer.h"
#include "scheduler/program_watch.h"
#include "scheduler/scheduler_state.h"

class AlarmActions {
public:
    AlarmActions(Platform& platform, SchedulerState& state, AlarmView& view, Announcer& announcer,
                 ProgramWatch& programs);
    AlarmActions(const AlarmActions&) = delete;
    AlarmActions& operator=(const AlarmActions&) = delete;

    // Wave, announcement, message window, then the launch or its
    // postponement (ALARM_EXECUTE_PENDING). An alarm already pending only
    // tries the launch again.
    void run(Alarm& alarm);

private:
    bool isSilentAlarm(const Alarm& alarm);
    bool launchPostponed(const Alarm& alarm) const;
    void launch(Alarm& alarm);

    Platform& m_platform;
    SchedulerState& m_state;
    AlarmView& m_view;
    Announcer& m_announcer;
    ProgramWatch& m_programs;
};
