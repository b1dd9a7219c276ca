// Crash safety of the saves, proven by killing: a program saving 1,000 alarms
// through the real settings engine is killed 1,000 times at random moments.
#include <gtest/gtest.h>

#include <cstdio>

#include "crash_run.h"
#include "harness.h"

TEST(Soak, CrashKillsLeaveTheOldOrTheNewListAndNoStaleTemporaries)
{
    TempFolder folder;
    const CrashFigures figures = runCrashKills(folder.path(), 1000, 20240601);
    std::printf("crash soak: %d kills in %.1f s: %d times the old list, %d times a new one, %d damaged; "
                "%d kills fell inside a save (at most %d temporary file(s) left), %d left after the next start\n",
                figures.kills, figures.seconds, figures.oldLists, figures.newLists, figures.damaged,
                figures.savesCutShort, figures.maxTemporaries, figures.staleAfterStart);
    EXPECT_EQ(figures.kills, 1000);
    EXPECT_EQ(figures.damaged, 0) << figures.firstDamage;
    EXPECT_EQ(figures.staleAfterStart, 0);
    EXPECT_GT(figures.oldLists, 0);
    EXPECT_GT(figures.newLists, 0);
}
