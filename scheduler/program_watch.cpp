#include "scheduler/program_watch.h"

#include <memory>

namespace {

// The close time of a launch: the alarm's own time plus its close-after span,
// held to the range of an instant.
Timestamp closeTimeOf(const Alarm& alarm)
{
    return clampTo32Bits(static_cast<long long>(alarm.time) + alarm.closeAfter);
}

}  // namespace

ProgramWatch::ProgramWatch(Platform& platform, SchedulerState& state, AlarmCollection& alarms)
    : m_platform(platform), m_state(state), m_alarms(alarms)
{}

void ProgramWatch::makeWayForLaunch()
{
    Alarm* previous = m_state.previousProgram;
    if (previous == nullptr)
        return;
    if (previous->has(ALARM_CLOSE_ON_NEXT_EXECUTE))
        terminate(*previous);
    m_state.previousProgram = nullptr;
}

void ProgramWatch::watch(const Alarm& alarm, ProcessHandle process)
{
    auto entry = std::make_unique<Alarm>(alarm);
    entry->time = closeTimeOf(alarm);
    entry->state = ALARM_STATE_WATCH;
    entry->process = process;
    m_state.previousProgram = &m_alarms.append(std::move(entry));
}

void ProgramWatch::terminate(const Alarm& entry)
{
    // A handle-less entry has nothing to terminate.
    if (entry.process != NO_PROCESS)
        m_platform.terminateProcess(entry.process);
}

void ProgramWatch::reapExitedProgram()
{
    Alarm* entry = m_state.previousProgram;
    if (entry == nullptr || entry->process == NO_PROCESS)
        return;
    std::uint32_t code = 0;
    if (!m_platform.processExitCode(entry->process, code) || code == STILL_RUNNING_CODE)
        return;
    m_state.previousProgram = nullptr;
    destroyWatchEntry(entry);
}

void ProgramWatch::applyCloseRules(const Alarm& entry)
{
    if (entry.has(ALARM_CLOSE_AFTER) && m_state.tickTime > entry.time) {
        terminate(entry);
        return;
    }
    if (entry.has(ALARM_CLOSE_WHEN_USER_BACK) && m_state.userPresent)
        terminate(entry);
}

void ProgramWatch::destroyWatchEntry(Alarm* entry)
{
    if (entry->process != NO_PROCESS)
        m_platform.releaseProcess(entry->process);
    m_alarms.remove(entry);
}

void ProgramWatch::releaseWatchEntries()
{
    m_state.previousProgram = nullptr;
    for (auto it = m_alarms.begin(); it != m_alarms.end();) {
        Alarm& entry = *it;
        ++it;
        if (entry.isWatchEntry())
            destroyWatchEntry(&entry);
    }
}
