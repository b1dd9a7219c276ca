// The silence period: which times of day it silences, and its stored form.
#include <gtest/gtest.h>

#include <vector>

#include "scheduler/silence.h"

namespace {

constexpr int at(int hours, int minutes, int seconds = 0)
{
    return hours * 3600 + minutes * 60 + seconds;
}

}  // namespace

TEST(SilenceTest, BothBoundsAreOutsideThePeriodAndEqualBoundsSilenceNothing)
{
    const struct {
        SilencePeriod period;
        std::vector<int> silent, heard;
    } cases[] = {
        {{at(22, 0), at(7, 0)}, {at(22, 0, 1), 0, at(6, 59, 59)}, {at(22, 0), at(7, 0), at(12, 0)}},
        {{at(9, 0), at(17, 0)}, {at(9, 0, 1), at(16, 59, 59)}, {at(9, 0), at(17, 0), at(23, 0), at(8, 59, 59)}},
        {{at(8, 0), at(8, 0)}, {}, {0, at(8, 0), at(8, 0, 1)}},
        {{at(25, 30), at(26, 0)}, {at(1, 45)}, {at(1, 30), at(2, 30)}},  // hours past the day: 1:30 to 2:00
    };
    for (const auto& c : cases) {
        for (const int time : c.silent)
            EXPECT_TRUE(isSilent(c.period, time)) << c.period.from << "-" << c.period.to << " at " << time;
        for (const int time : c.heard)
            EXPECT_FALSE(isSilent(c.period, time)) << c.period.from << "-" << c.period.to << " at " << time;
    }
    const SilencePeriod stored = parseSilence("08:15:30, 17:45:10");
    EXPECT_TRUE(stored.from == at(8, 15, 30) && stored.to == at(17, 45, 10));
    EXPECT_EQ(formatSilence(stored), "08:15:30, 17:45:10");
}
