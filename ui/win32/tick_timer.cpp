#include "ui/win32/tick_timer.h"

#include "ui/tick_timing.h"

namespace {

const UINT_PTR TICK_TIMER = 1;

// Where the system clock stands within its current second.
int millisecondsIntoSecond()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<int>(ticks / 10000 % 1000);
}

}  // namespace

void TickTimer::start(HWND window)
{
    m_window = window;
    realign();
}

bool TickTimer::arrived()
{
    const TickPlan plan = tick_timing::plan(millisecondsIntoSecond());
    setPeriod(plan.period);
    return plan.tickNow;
}

void TickTimer::realign()
{
    setPeriod(tick_timing::plan(millisecondsIntoSecond()).period);
}

void TickTimer::setPeriod(int period)
{
    // Setting the timer again restarts its count, so only a change is set.
    if (period == m_period)
        return;
    SetTimer(m_window, TICK_TIMER, static_cast<UINT>(period), nullptr);
    m_period = period;
}
