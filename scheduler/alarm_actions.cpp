#include "scheduler/alarm_actions.h"

#include "scheduler/command_line.h"
#include "scheduler/silence.h"

AlarmActions::AlarmActions(Platform& platform, SchedulerState& state, AlarmView& view, Announcer& announcer,
                           ProgramWatch& programs)
    : m_platform(platform), m_state(state), m_view(view), m_announcer(announcer), m_programs(programs)
{}

bool AlarmActions::isSilentAlarm(const Alarm& alarm)
{
    // The alarm's own time of day counts, so a late alarm is judged by when
    // it was set to ring. An instant with no local time is never silent.
    LocalTime local;
    if (!m_platform.toLocal(alarm.time, local))
        return false;
    return isSilent(m_state.silence, local.hour * 3600 + local.minute * 60 + local.second);
}

void AlarmActions::run(Alarm& alarm)
{
    const bool pending = alarm.has(ALARM_EXECUTE_PENDING);
    const bool sounds = !pending && !isSilentAlarm(alarm);

    // A wave followed by the announcement is heard to its end first; alone
    // it plays on while the message window opens.
    if (sounds && alarm.has(ALARM_PLAY_WAVE))
        m_platform.playSoundFile(alarm.waveFile, alarm.has(ALARM_SAY_TIME));
    if (sounds && alarm.has(ALARM_SAY_TIME))
        m_announcer.announceTime();
    if (!pending && alarm.has(ALARM_SHOW_MESSAGE))
        m_view.openMessageWindow(alarm, m_state.tickTime);

    if (!alarm.has(ALARM_EXECUTE))
        return;
    if (launchPostponed(alarm)) {
        alarm.flags |= ALARM_EXECUTE_PENDING;
        return;
    }
    alarm.flags &= ~ALARM_EXECUTE_PENDING;
    launch(alarm);
}

bool AlarmActions::launchPostponed(const Alarm& alarm) const
{
    if (alarm.has(ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED) && m_state.previousProgram != nullptr)
        return true;
    return alarm.has(ALARM_WAIT_FOR_USER_AWAY) && m_state.userPresent;
}

void AlarmActions::launch(Alarm& alarm)
{
    m_programs.makeWayForLaunch();
    const CommandParts parts = splitCommandLine(alarm.commandLine);
    LaunchRequest request;
    request.file = parts.program;
    request.parameters = parts.parameters;
    request.directory = alarm.workingFolder;
    request.showCommand = showCommandFor(alarm.flags);
    m_programs.watch(alarm, m_platform.launchProgram(request));
}
