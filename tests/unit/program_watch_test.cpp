// The close rules of launched programs. (Launches that wait for the previous program or for the user away, reaping
// and the release of every handle at the end: SchedulerTest, WakePlan, and the launches of the integration tests.)
#include <gtest/gtest.h>

#include "support/engine_rig.h"

using ProgramWatchTest = EngineRig;

TEST_F(ProgramWatchTest, CloseRulesAskAgainAtEveryScanWhileTheyHold)
{
    Alarm entry(NOON + 5);
    entry.state = ALARM_STATE_WATCH, entry.process = 7;
    const auto closes = [&](std::uint32_t flags, bool userPresent, Timestamp tick) {
        entry.flags = flags, state.userPresent = userPresent, state.tickTime = tick;
        platform.terminated.clear();
        programs.applyCloseRules(entry);
        return platform.terminated;
    };
    const std::uint32_t AFTER = ALARM_CLOSE_AFTER, BACK = ALARM_CLOSE_WHEN_USER_BACK;
    EXPECT_TRUE(closes(AFTER, true, NOON + 5).empty() && closes(AFTER, false, NOON + 6) == Handles{7});
    EXPECT_TRUE(closes(BACK, false, NOON).empty() && closes(BACK, true, NOON) == Handles{7});
    EXPECT_TRUE(closes(AFTER | BACK, true, NOON + 6) == Handles{7} &&  // one for both
                closes(ALARM_CLOSE_ON_NEXT_EXECUTE, true, NOON + 6).empty());
}
