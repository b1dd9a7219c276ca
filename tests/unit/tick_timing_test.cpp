// Where the one-second timer fires: just after each second boundary.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/tick_timing.h"

TEST(TickTiming, TheTimerStaysJustAfterTheSecondBoundary)
{
    // Milliseconds past the second when the timer fired, whether the tick runs now, the next period.
    const std::tuple<int, bool, int> rows[] = {
        {0, true, 1000},   {40, true, 1000},                    // on time or within the tolerance: the plain period
        {41, true, 969},   {520, true, 490}, {899, true, 111},  // drifted or started at any moment: aligned again
        {900, false, 110}, {999, false, 11}};                   // early: the tick waits for the boundary
    for (const auto& [ms, tickNow, period] : rows) {
        const TickPlan plan = tick_timing::plan(ms);
        EXPECT_TRUE(plan.tickNow == tickNow && plan.period == period) << ms;
    }
}
