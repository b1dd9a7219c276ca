#include "ui/win32/tick_timer.h"

#include "ui/tick_timing.h"

namespace {

const UINT_PTR TICK_TIMER = 1;

// The system clock: whole seconds since 1970 and the milliseconds into the
// current second.
struct ClockReading {
    Timestamp second;
    int ms;
};

ClockReading readClock()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const ULONGLONG ms = ticks / 10000;
    return {clampTo32Bits(static_cast<long long>(ms / 1000) - 11644473600LL), static_cast<int>(ms % 1000)};
}

}  // namespace

void TickTimer::start(HWND window)
{
    m_window = window;
    const ClockReading clock = readClock();
    aimAt(clock.second + 1);
}

bool TickTimer::arrived()
{
    const TickPlan plan = tick_timing::plan(readClock().ms);
    m_justFired = plan.tickNow;
    if (!plan.tickNow)
        setPeriod(plan.period);
    return plan.tickNow;
}

void TickTimer::aimAt(Timestamp second)
{
    if (m_window == nullptr)
        return;  // not started yet: start() aims it
    const ClockReading clock = readClock();
    const int delay = tick_timing::delayTo(second, clock.second, clock.ms);
    // Setting the timer restarts its count: a timer that has just fired
    // with this very period already counts toward the target. Any other
    // call sets it from now.
    if (!(m_justFired && delay == m_period))
        setPeriod(delay);
    m_justFired = false;
}

void TickTimer::setPeriod(int period)
{
    SetTimer(m_window, TICK_TIMER, static_cast<UINT>(period), nullptr);
    m_period = period;
}
