#include "scheduler/program_control.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "platform/ascii.h"
#include "scheduler/silence.h"

namespace {

bool hasFlag(const Alarm& alarm, std::uint32_t flag)
{
    return (alarm.flags & flag) != 0;
}

// The close time of a launch: the alarm's own time plus its close-after span,
// held to the range of an instant.
Timestamp closeTimeOf(const Alarm& alarm)
{
    return clampTo32Bits(static_cast<long long>(alarm.time) + alarm.closeAfter);
}

// A program named in quotes, as the browse button stores a path with
// blanks: "C:\Program Files\x.exe" -a. From the opening quote at i, takes
// the text up to the closing quote (or the end of the line when there is
// none) and moves i past it; false, with nothing taken, for a line whose
// program is not quoted.
bool takeQuotedProgram(const std::string& line, std::size_t& i, std::string& program)
{
    if (i >= line.size() || line[i] != '"')
        return false;
    const std::size_t lineEnd = std::min(line.find('\n', i), line.size());
    const std::size_t close = std::min(line.find('"', i + 1), lineEnd);
    program = line.substr(i + 1, close - i - 1);
    i = std::min(close + 1, line.size());
    return true;
}

}  // namespace

ProgramControl::ProgramControl(Platform& platform, SchedulerState& state, AlarmCollection& alarms, AlarmView& view,
                               Announcer& announcer)
    : m_platform(platform), m_state(state), m_alarms(alarms), m_view(view), m_announcer(announcer)
{}

ProgramControl::CommandParts ProgramControl::splitCommandLine(const std::string& text)
{
    // As "%s %[^\n]" scans it, with each part cut at its limit: the rest of
    // an over-long program word is dropped rather than taken for parameters.
    CommandParts parts;
    const std::string line = text.substr(0, text.find('\0'));
    std::size_t i = 0;
    while (i < line.size() && ascii::isSpace(line[i]))
        ++i;
    if (takeQuotedProgram(line, i, parts.program)) {
        parts.program.resize(std::min(parts.program.size(), COMMAND_PART_LIMIT));
    } else {
        const std::size_t programStart = i;
        while (i < line.size() && !ascii::isSpace(line[i]))
            ++i;
        parts.program = line.substr(programStart, std::min(i - programStart, COMMAND_PART_LIMIT));
    }
    while (i < line.size() && ascii::isSpace(line[i]))
        ++i;
    const std::size_t end = line.find('\n', i);
    const std::size_t length = (end == std::string::npos ? line.size() : end) - i;
    parts.parameters = line.substr(i, std::min(length, COMMAND_PART_LIMIT));
    return parts;
}

int ProgramControl::showCommandFor(std::uint32_t flags)
{
    if ((flags & ALARM_WINDOW_MINIMIZED) != 0)
        return SHOW_MINIMIZED;
    if ((flags & ALARM_WINDOW_MAXIMIZED) != 0)
        return SHOW_MAXIMIZED;
    return SHOW_DEFAULT;
}

bool ProgramControl::isSilentAlarm(const Alarm& alarm)
{
    // The alarm's own time of day counts, so a late alarm is judged by when
    // it was set to ring. An instant with no local time is never silent.
    LocalTime local;
    if (!m_platform.toLocal(alarm.time, local))
        return false;
    return isSilent(m_state.silence, local.hour * 3600 + local.minute * 60 + local.second);
}

void ProgramControl::runAlarmActions(Alarm& alarm)
{
    const bool pending = hasFlag(alarm, ALARM_EXECUTE_PENDING);
    const bool sounds = !pending && !isSilentAlarm(alarm);

    // A wave followed by the announcement is heard to its end first; alone
    // it plays on while the message window opens.
    if (sounds && hasFlag(alarm, ALARM_PLAY_WAVE))
        m_platform.playSoundFile(alarm.waveFile, hasFlag(alarm, ALARM_SAY_TIME));
    if (sounds && hasFlag(alarm, ALARM_SAY_TIME))
        m_announcer.announceTime();
    if (!pending && hasFlag(alarm, ALARM_SHOW_MESSAGE))
        m_view.openMessageWindow(alarm.message, m_state.tickTime);

    if (!hasFlag(alarm, ALARM_EXECUTE))
        return;
    if (launchPostponed(alarm)) {
        alarm.flags |= ALARM_EXECUTE_PENDING;
        return;
    }
    alarm.flags &= ~ALARM_EXECUTE_PENDING;
    launch(alarm);
}

bool ProgramControl::launchPostponed(const Alarm& alarm) const
{
    if (hasFlag(alarm, ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED) && m_state.previousProgram != nullptr)
        return true;
    return hasFlag(alarm, ALARM_WAIT_FOR_USER_AWAY) && m_state.userPresent;
}

void ProgramControl::launch(Alarm& alarm)
{
    if (Alarm* previous = m_state.previousProgram) {
        if (hasFlag(*previous, ALARM_CLOSE_ON_NEXT_EXECUTE))
            terminate(*previous);
        // The entry stays in the collection, no longer reaped.
        m_state.previousProgram = nullptr;
    }

    const CommandParts parts = splitCommandLine(alarm.commandLine);
    LaunchRequest request;
    request.file = parts.program;
    request.parameters = parts.parameters;
    request.directory = alarm.workingFolder;
    request.showCommand = showCommandFor(alarm.flags);
    const ProcessHandle process = m_platform.launchProgram(request);

    // A failed launch leaves an entry too, without a handle: it is never
    // reaped and holds the slot until the next launch.
    auto entry = std::make_unique<Alarm>(alarm);
    entry->time = closeTimeOf(alarm);
    entry->state = ALARM_STATE_WATCH;
    entry->process = process;
    m_state.previousProgram = &m_alarms.append(std::move(entry));
}

void ProgramControl::terminate(const Alarm& entry)
{
    // A handle-less entry has nothing to terminate.
    if (entry.process != NO_PROCESS)
        m_platform.terminateProcess(entry.process);
}

void ProgramControl::reapExitedProgram()
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

void ProgramControl::applyCloseRules(const Alarm& entry)
{
    if (hasFlag(entry, ALARM_CLOSE_AFTER) && m_state.tickTime > entry.time) {
        terminate(entry);
        return;
    }
    if (hasFlag(entry, ALARM_CLOSE_WHEN_USER_BACK) && m_state.userPresent)
        terminate(entry);
}

void ProgramControl::destroyWatchEntry(Alarm* entry)
{
    if (entry->process != NO_PROCESS)
        m_platform.releaseProcess(entry->process);
    m_alarms.remove(entry);
}

void ProgramControl::releaseWatchEntries()
{
    m_state.previousProgram = nullptr;
    for (auto it = m_alarms.begin(); it != m_alarms.end();) {
        Alarm& entry = *it;
        ++it;
        if (entry.isWatchEntry())
            destroyWatchEntry(&entry);
    }
}
