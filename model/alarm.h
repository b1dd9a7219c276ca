// One scheduled alarm: when it is due, how it repeats and what it does. The
// same record, in the state ALARM_STATE_WATCH, tracks a launched program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/alarm_flags.h"
#include "model/alarm_text.h"
#include "platform/platform.h"
#include "platform/types.h"

// The longest texts an alarm keeps in the settings file: the wave file and
// the other three texts (command line, working folder, message). Longer texts
// are cut to these lengths when stored; the editor limits its fields to them.
constexpr std::size_t WAVE_FILE_LIMIT = 79;
constexpr std::size_t TEXT_LIMIT = 255;

// A duration broken into whole days and the hours, minutes and seconds of the
// rest, each part truncated toward zero (so a negative span has non-positive
// parts and joining the parts gives the span back exactly).
struct DurationParts {
    int days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    static DurationParts split(Duration span);
    // ((days x 24 + hours) x 60 + minutes) x 60 + seconds, held to the range
    // of a Duration when the parts add up to more.
    static Duration join(long long days, long long hours, long long minutes, long long seconds);
};

// The order of the alarm list: the latest alarm first, or the earliest first.
enum class SortDirection { LatestFirst = 1, EarliestFirst = -1 };

class Alarm {
public:
    // time stays INVALID_TIME until assigned (the editor's working copy).
    Alarm() = default;
    explicit Alarm(Timestamp at);
    // From local date-time fields (four-digit year, month 1-12, ...); the
    // conversion is the platform's mktime with the daylight flag left open.
    Alarm(Platform& platform, const LocalTime& fields);
    Alarm(Platform& platform, const LocalTime& fields, Duration repeatInterval, Duration closeAfter);

    // A copy never takes over the process handle: only the process-watch
    // entry needs one, and it sets it right after copying. Assignment copies
    // every field, the handle included.
    Alarm(const Alarm& other);
    Alarm(Alarm&& other) noexcept;
    Alarm& operator=(const Alarm& other) = default;
    Alarm& operator=(Alarm&& other) noexcept = default;
    ~Alarm() = default;

    bool isArmed() const { return (state & ALARM_STATE_ARMED_BIT) != 0; }
    bool isWatchEntry() const { return (state & ALARM_STATE_WATCH_BIT) != 0; }
    // True when the alarm has the flag (ALARM_...) set.
    bool has(std::uint32_t flag) const { return (flags & flag) != 0; }

    // Armed and strictly past its time; never at the invalid instant.
    bool isDue(Timestamp now) const;
    // An "In time" alarm at least IN_TIME_WINDOW seconds late.
    bool isMissed(Timestamp now) const;
    // Destroyed once its actions have run: Autodelete without Repeat, and no
    // postponed launch still waiting (the alarm stays armed until its program
    // has been started, and is destroyed then).
    bool isDiscardedAfterFiring() const;
    // Uses up one repetition and moves on, or disarms the alarm.
    void finishFiring(Timestamp now);
    // Moves time forward by whole repeat intervals to the first occurrence
    // not earlier than now (at least one interval). False, with time
    // unchanged, when that occurrence has no instant (past January 2038).
    bool advance(Timestamp now);

    // List order: negative when first comes before second in that
    // direction. Equal times never compare as equal: the result is then the
    // direction's own sign.
    static int compareForList(const Alarm& first, const Alarm& second, SortDirection direction);

    Timestamp time = INVALID_TIME;
    std::int32_t repeatCount = -1;
    ProcessHandle process = NO_PROCESS;
    Duration closeAfter = 0;
    AlarmText workingFolder;
    AlarmText commandLine;
    Duration repeatInterval = 0;
    AlarmText waveFile;
    std::uint32_t flags = ALARM_SHOW_MESSAGE;
    std::int32_t state = ALARM_STATE_IDLE;
    AlarmText message;
    // Only for an alarm read from a stored line whose date has no instant
    // (before 1970 or after January 2038): that line, which is stored again
    // as it was for as long as the alarm stands for what it said.
    AlarmText storedLine;
};
