// The actions of a due alarm (wave, time announcement, message window,
// program launch) and the control of the programs that alarms launch: every
// launch leaves a hidden process-watch entry in the alarm collection, which
// the close rules and the reaping of ended programs work on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/alarm_collection.h"
#include "platform/platform.h"
#include "scheduler/alarm_view.h"
#include "scheduler/announcer.h"
#include "scheduler/scheduler_state.h"

class ProgramControl {
public:
    // The longest program part and parameter part of a command line.
    static constexpr std::size_t COMMAND_PART_LIMIT = 255;

    struct CommandParts {
        std::string program;
        std::string parameters;
    };

    ProgramControl(Platform& platform, SchedulerState& state, AlarmCollection& alarms, AlarmView& view,
                   Announcer& announcer);
    ProgramControl(const ProgramControl&) = delete;
    ProgramControl& operator=(const ProgramControl&) = delete;

    // Wave, announcement, message window, then the launch or its
    // postponement (ALARM_EXECUTE_PENDING). An alarm already pending only
    // tries the launch again.
    void runAlarmActions(Alarm& alarm);
    // Takes the entry of the most recent launch out of the collection once
    // its program has ended.
    void reapExitedProgram();
    // Terminates the entry's program when its close time has passed or the
    // user is back, as its flags ask.
    void applyCloseRules(const Alarm& entry);
    // Destroys every process-watch entry, giving back its process handle;
    // the programs keep running. For the end of the program.
    void releaseWatchEntries();

    // The program part (first run of non-blank characters, or the text
    // between a leading quote and the next) and the parameter part (the
    // rest of the first line after the blanks), each cut to
    // COMMAND_PART_LIMIT characters. Quotes elsewhere have no meaning.
    static CommandParts splitCommandLine(const std::string& text);
    static int showCommandFor(std::uint32_t flags);

private:
    bool isSilentAlarm(const Alarm& alarm);
    bool launchPostponed(const Alarm& alarm) const;
    void launch(Alarm& alarm);
    void terminate(const Alarm& entry);
    void destroyWatchEntry(Alarm* entry);

    Platform& m_platform;
    SchedulerState& m_state;
    AlarmCollection& m_alarms;
    AlarmView& m_view;
    Announcer& m_announcer;
};
