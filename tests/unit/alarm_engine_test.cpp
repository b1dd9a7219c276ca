// The user's commands as the main window forwards them to the alarm engine.
#include <gtest/gtest.h>

#include <functional>

#include "support/scheduler_rig.h"

namespace {

constexpr Timestamp NOON = 889959600;  // 1998-03-15 12:00:00 in the test zone (UTC+1)

class AlarmEngineTest : public SchedulerRig {
protected:
    Calls callsOf(const std::function<void()>& command)
    {
        platform.calls.clear();
        command();
        Calls seen;
        for (const auto& call : platform.calls)
            if (call.rfind("readSetting", 0) != 0)
                seen.push_back(call.substr(0, call.find(" @")));
        return seen;
    }
    Alarm edited(const std::string& message, Timestamp time)
    {
        Alarm alarm(time);
        alarm.message = message;
        return alarm;
    }
};

TEST_F(AlarmEngineTest, StartUpReadsTheSettingsAndListsTheStoredAlarmsSortedOnce)
{
    platform.putSetting("Options", "Theme", "Russian");
    platform.putSetting("Options", "Silence", "22:00:00, 07:00:00");
    platform.putSetting("Options", "Flags", "2");
    platform.putSetting("AlarmList", "0", "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,first");
    platform.putSetting("AlarmList", "1", "1998:03:16-07:30:00,-1,0,2, 0:00:00:00,0:00:00:00,,,,second");
    engine.readSettings();
    EXPECT_EQ(callsOf([&] { engine.loadAlarms(); }),
              (Calls{"insertAlarmRow first", "insertAlarmRow second", "sortRows earliest first"}));
    EXPECT_TRUE(engine.currentTheme() == "Russian" && engine.silence().from == 79200 && engine.silence().to == 25200);
}

TEST_F(AlarmEngineTest, AddEditDeleteAndHeaderClickEachSaveOnce)
{
    const Calls added = callsOf([&] { engine.addAlarm(edited("new", NOON)); });
    EXPECT_EQ(added, (Calls{"insertAlarmRow new", "sortRows latest first", "writeSettings AlarmList 1"}));
    Alarm& alarm = *alarms.begin();
    EXPECT_EQ(alarm.state, ALARM_STATE_ARMED);

    alarm.state = ALARM_STATE_IDLE;  // fired: confirming the editor arms it again
    EXPECT_EQ(callsOf([&] { engine.replaceAlarm(&alarm, edited("changed", NOON + 60)); }),
              (Calls{"refreshRow changed", "writeSettings AlarmList 1"}));
    EXPECT_TRUE(alarm.state == ALARM_STATE_ARMED && alarm.time == NOON + 60 && alarms.size() == 1u);

    // The tick destroyed the alarm while the editor was open: what the user
    // confirmed comes back as a new alarm.
    const Alarm* gone = &alarm;
    engine.deleteAlarms({&alarm});
    Alarm& again = engine.replaceAlarm(gone, edited("kept", NOON));
    EXPECT_TRUE(alarms.size() == 1u && again.message == "kept" && again.state == ALARM_STATE_ARMED);

    // Not while a tick walks the alarms.
    state.tickRunning = true;
    EXPECT_TRUE(callsOf([&] { engine.deleteAlarms({&again}); }).empty());
    state.tickRunning = false;
    EXPECT_EQ(callsOf([&] { engine.deleteAlarms({&again}); }), (Calls{"deleteRow kept", "writeSettings AlarmList 1"}));

    platform.putSetting("Options", "Flags", "3");
    engine.readSettings();
    EXPECT_EQ(callsOf([&] { engine.reverseListOrder(); }),
              (Calls{"sortRows earliest first", "writeSetting Options Flags=2"}));
}

TEST_F(AlarmEngineTest, ConfirmedSetupIsTakenOverAndWritten)
{
    engine.applySetup("Russian", SilencePeriod{90000, 59});
    EXPECT_EQ(engine.currentTheme(), "Russian");
    EXPECT_EQ(platform.readSetting("Options", "Theme"), "Russian");
    EXPECT_EQ(platform.readSetting("Options", "Silence"), "01:00:00, 00:00:59");
}

}  // namespace
