#include "model/alarm.h"

#include <limits>
#include <utility>

DurationParts DurationParts::split(Duration span)
{
    DurationParts parts;
    parts.days = static_cast<int>(span / SECONDS_PER_DAY);
    parts.hours = static_cast<int>(span / 3600 - parts.days * 24LL);
    parts.minutes = static_cast<int>(span / 60 - (span / 3600) * 60LL);
    parts.seconds = static_cast<int>(span - (span / 60) * 60LL);
    return parts;
}

Duration DurationParts::join(long long days, long long hours, long long minutes, long long seconds)
{
    // Each part comes from a 32-bit scan, so the sum fits easily in 64 bits.
    return clampTo32Bits(((days * 24 + hours) * 60 + minutes) * 60 + seconds);
}

Alarm::Alarm(Timestamp at) : time(at) {}

Alarm::Alarm(Platform& platform, const LocalTime& fields) : time(platform.fromLocal(fields)) {}

Alarm::Alarm(Platform& platform, const LocalTime& fields, Duration repeatIntervalSpan, Duration closeAfterSpan)
    : time(platform.fromLocal(fields)), closeAfter(closeAfterSpan), repeatInterval(repeatIntervalSpan)
{}

Alarm::Alarm(const Alarm& other)
    : time(other.time),
      repeatCount(other.repeatCount),
      process(NO_PROCESS),
      closeAfter(other.closeAfter),
      workingFolder(other.workingFolder),
      commandLine(other.commandLine),
      repeatInterval(other.repeatInterval),
      waveFile(other.waveFile),
      flags(other.flags),
      state(other.state),
      message(other.message),
      storedLine(other.storedLine)
{}

Alarm::Alarm(Alarm&& other) noexcept
    : time(other.time),
      repeatCount(other.repeatCount),
      process(NO_PROCESS),
      closeAfter(other.closeAfter),
      workingFolder(std::move(other.workingFolder)),
      commandLine(std::move(other.commandLine)),
      repeatInterval(other.repeatInterval),
      waveFile(std::move(other.waveFile)),
      flags(other.flags),
      state(other.state),
      message(std::move(other.message)),
      storedLine(std::move(other.storedLine))
{}

bool Alarm::isDue(Timestamp now) const
{
    // An alarm whose date cannot be represented has no moment to ring at;
    // taken for the second before 1970 it would ring at once and its
    // repetitions would move it to a made-up time.
    return isArmed() && time != INVALID_TIME && now > time;
}

bool Alarm::isMissed(Timestamp now) const
{
    return (flags & ALARM_IN_TIME) != 0 && static_cast<long long>(now) - time >= IN_TIME_WINDOW;
}

bool Alarm::isDiscardedAfterFiring() const
{
    return (flags & ALARM_REPEAT) == 0 && (flags & ALARM_AUTODELETE) != 0 && (flags & ALARM_EXECUTE_PENDING) == 0;
}

void Alarm::finishFiring(Timestamp now)
{
    const std::int32_t shownStateBits = ALARM_STATE_ARMED_BIT | ALARM_STATE_WATCH_BIT;
    if ((flags & ALARM_REPEAT) != 0) {
        if (repeatCount > 0)
            --repeatCount;
        // The repetition ends after the last firing, and also when the next
        // occurrence lies past what an instant can hold (January 2038): the
        // alarm then stays at its last real occurrence, idle, never due again.
        if (repeatCount != 0 && advance(now))
            return;
        flags &= ~ALARM_REPEAT;
        state &= ~shownStateBits;
        return;
    }
    if ((flags & ALARM_EXECUTE_PENDING) == 0)
        state &= ~shownStateBits;
}

bool Alarm::advance(Timestamp now)
{
    // A span that does not move forward would never reach now; the alarm then
    // keeps its time, like one with no interval, and is due at the next scan.
    if (repeatInterval <= 0)
        return true;
    // The number of whole intervals is computed at once rather than added one
    // by one, so an alarm years late with a short interval costs nothing.
    const long long behind = static_cast<long long>(now) - time;
    long long steps = 1;
    if (behind > repeatInterval)
        steps = (behind + repeatInterval - 1) / repeatInterval;
    const long long next = time + steps * repeatInterval;
    if (next > std::numeric_limits<Timestamp>::max())
        return false;
    time = static_cast<Timestamp>(next);
    return true;
}

int Alarm::compareForList(const Alarm& first, const Alarm& second, SortDirection direction)
{
    const int sign = static_cast<int>(direction);
    return first.time > second.time ? -sign : sign;
}
