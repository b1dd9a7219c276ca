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

TEST(TickTiming, TheTimerIsAimedJustAfterThePlannedSecond)
{
    // The planned second counted from now, milliseconds into now's second, the delay.
    const std::tuple<Timestamp, int, int> rows[] = {
        {1, 10, 1000},   {60, 10, 60000}, {60, 40, 60000},  // on time: whole seconds
        {60, 500, 59510}, {2, 950, 1060},                   // from a command at any moment: just past the boundary
        {0, 500, 510},   {-5, 10, 1000},                    // a second already come: the next boundary
        {100000, 10, 3601000}};                             // at most an hour ahead
    for (const auto& [ahead, ms, delay] : rows)
        EXPECT_EQ(tick_timing::delayTo(1000 + ahead, 1000, ms), delay) << ahead << " " << ms;
}
