// The short run of the crash soak: 50 kills of a program saving 1,000 alarms.
#include <gtest/gtest.h>

#include "soak/crash_run.h"
#include "temp_folder.h"

TEST(CrashSafety, KilledSavesLeaveTheOldOrTheNewListAndNoStaleTemporaries)
{
    TempFolder folder;
    const CrashFigures figures = runCrashKills(folder.path(), 50, 1);
    EXPECT_EQ(figures.kills, 50);
    EXPECT_EQ(figures.damaged, 0) << figures.firstDamage;
    EXPECT_EQ(figures.staleAfterStart, 0);
    EXPECT_GT(figures.newLists, 0);
}
