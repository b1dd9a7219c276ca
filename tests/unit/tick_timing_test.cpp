// Where the one-second timer fires: just after each second boundary.
#include <gtest/gtest.h>

#include "ui/tick_timing.h"

namespace {

TEST(TickTiming, TheTimerStaysJustAfterTheSecondBoundary)
{
    const struct {
        int ms;
        bool tickNow;
        int period;
    } rows[] = {
        {0, true, 1000},     // on time: the plain period
        {40, true, 1000},    // within the tolerance
        {41, true, 969},     // drifted: aligned again, the tick still runs
        {520, true, 490},    // a timer started at any moment is aligned
        {899, true, 111},
        {900, false, 110},   // early: the tick waits for the boundary
        {999, false, 11},
    };
    for (const auto& row : rows) {
        const TickPlan plan = tick_timing::plan(row.ms);
        EXPECT_EQ(plan.tickNow, row.tickNow) << row.ms;
        EXPECT_EQ(plan.period, row.period) << row.ms;
    }
}

}  // namespace
