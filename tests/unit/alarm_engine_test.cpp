// What the alarm engine takes from the settings at start and after a confirmed setup.
#include <gtest/gtest.h>

#include "support/scheduler_rig.h"

namespace {

using AlarmEngineTest = SchedulerRig;

TEST_F(AlarmEngineTest, StartUpReadsTheSettingsAndListsTheStoredAlarmsSortedOnce)
{
    platform.putSetting("Options", "Theme", "Russian");
    platform.putSetting("Options", "Silence", "22:00:00, 07:00:00");
    platform.putSetting("Options", "Flags", "2");
    platform.putSetting("AlarmList", "0", "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,first");
    platform.putSetting("AlarmList", "1", "1998:03:16-07:30:00,-1,0,2, 0:00:00:00,0:00:00:00,,,,second");
    AlarmEngine starting(platform, "C:\\Alarms");
    starting.setView(&view);
    ASSERT_TRUE(starting.loadSettings());
    Calls shown;
    for (const auto& call : platform.calls)
        if (call.rfind("readSetting", 0) != 0)
            shown.push_back(call);
    EXPECT_EQ(shown,
              (Calls{"settingsLoaded", "insertAlarmRow first", "insertAlarmRow second", "sortRows earliest first"}));
    EXPECT_TRUE(starting.currentTheme() == "Russian" && starting.silence().from == 79200 &&
                starting.silence().to == 25200);
}

TEST_F(AlarmEngineTest, ConfirmedSetupIsTakenOverAndWritten)
{
    engine.applySetup("Russian", SilencePeriod{90000, 59});
    EXPECT_EQ(engine.currentTheme(), "Russian");
    EXPECT_EQ(platform.readSetting("Options", "Theme"), "Russian");
    EXPECT_EQ(platform.readSetting("Options", "Silence"), "01:00:00, 00:00:59");
}

}  // namespace
