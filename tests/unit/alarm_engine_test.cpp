// The alarm engine: settings unreadable at start-up, and the user's commands.
#include <gtest/gtest.h>

#include "support/engine_rig.h"

using AlarmEngineTest = EngineRig;

// Start-up takes the theme, the silence and the alarms from the settings, sorted once. A file that cannot be read is
// not written until it has been loaded; alarms added meanwhile are then saved. The user is told once, and that
// notice is withdrawn once the file has been loaded.
TEST_F(AlarmEngineTest, SettingsUnreadableAtStartAreLoadedWhenReadableAndNotWrittenBefore)
{
    platform.settings = ProfileDocument("[Options]\nTheme=Russian\nSilence=22:00:00, 07:00:00\nFlags=0\n[AlarmList]\n"
                                        "0=1998:03:15-12:00:05,-1,1,2, 0:00:00:00,0:00:00:00,,,,stored\n"
                                        "1=1998:03:16-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,second\n");
    platform.settingsUnreadable = true;
    AlarmEngine starting(platform, platform, "C:\\Alarms");
    starting.setView(this);
    EXPECT_FALSE(starting.loadSettings());
    starting.addAlarm(Alarm(NOON + 3600));  // added meanwhile: kept, not saved
    for (platform.clock = NOON; platform.clock < NOON + 9; ++platform.clock)
        starting.tick();
    EXPECT_TRUE(platform.settingFileWrites == 0 && !starting.settingsLoaded() && starting.alarms().size() == 1u);
    EXPECT_EQ(countOf(platform.messages, "The settings file TIVRA.INI cannot be read"), 1);
    EXPECT_EQ(platform.messages.size(), 1u) << "the Add tells nothing of its own";
    // Tried again every five ticks (the last at NOON + 4): once readable, everything is taken from it.
    platform.settingsUnreadable = false, platform.calls.clear();
    for (; !starting.settingsLoaded(); ++platform.clock)
        starting.tick();
    EXPECT_TRUE(platform.clock == NOON + 10 && starting.loadSettings());  // loaded at NOON + 9
    EXPECT_TRUE(starting.currentTheme() == "Russian" && starting.silence().from == 79200 &&
                starting.silence().to == 25200);
    const std::string at = std::to_string(NOON + 9);
    EXPECT_EQ(platform.calls,
              (Calls{"settingsLoaded", "insertAlarmRow stored", "insertAlarmRow second", "sortRows",
                     "writeSettings AlarmList 3", "showCurrentTime " + at, "openMessageWindow stored @" + at,
                     "refreshRow stored", "writeSettings AlarmList 3"}));
    EXPECT_EQ(platform.readSetting("AlarmList", "1").substr(0, 26), "1998:03:15-12:00:05,-1,0,2");  // fired
    EXPECT_TRUE(platform.withdrawn.size() == 1u && platform.messages[0].rfind(platform.withdrawn[0], 0) == 0);
}

TEST_F(AlarmEngineTest, CommandsOfTheUserSaveOnceEach)
{
    Alarm edited(NOON);
    edited.message = "new";
    Alarm& added = engine.addAlarm(edited);
    Alarm* other = &engine.addAlarm(edited);
    edited.message = "changed";
    engine.replaceAlarm(&added, added, edited);  // re-armed, its row rewritten
    EXPECT_TRUE(added.message == "changed" && added.isArmed() && other->isArmed() && platform.settingFileWrites == 3);
    state.tickRunning = true;  // not from a modal loop of the tick, which still walks the alarms
    engine.deleteAlarms({other});
    state.tickRunning = false;
    engine.deleteAlarms({other});
    const Alarm& again = engine.replaceAlarm(other, edited, edited);  // destroyed meanwhile (fired, say): added anew
    EXPECT_TRUE(again.isArmed() && again.message == "changed");
    engine.applySetup("Russian", SilencePeriod{90000, 59});
    EXPECT_TRUE(countOf(platform.calls, "sortRows") == 3 && countOf(platform.calls, "refreshRow changed") == 1 &&
                countOf(platform.calls, "deleteRow new") == 1);
    EXPECT_TRUE(alarms.size() == 2u && platform.settingFileWrites == 7 && engine.currentTheme() == "Russian" &&
                engine.silence().from == 90000);
    // Snooze: one alarm more, the delay remembered (what the alarm holds: SnoozeTest; that it rings once and deletes
    // itself: the rules of Autodelete).
    EXPECT_EQ(engine.snoozeDelay(), 10);
    platform.clock = NOON;
    EXPECT_EQ(engine.snooze(again, 5).time, NOON + 300);
    EXPECT_TRUE(alarms.size() == 3u && engine.snoozeDelay() == 5 && platform.settingFileWrites == 9);
    EXPECT_EQ(platform.settingsText().substr(platform.settingsText().find("[Options]")),
              "[Options]\r\nTheme=Russian\r\nSilence=01:00:00, 00:00:59\r\nSnooze=5\r\n");
}

// An edit confirmed after the alarm fired while its editor was open keeps what the firing did.
TEST_F(AlarmEngineTest, EditConfirmedAfterAFiringKeepsItsTimeCountAndEndUnlessTheUserChangedThem)
{
    constexpr Timestamp T = NOON;
    const struct {
        const char* name;
        std::uint32_t flags;
        std::int32_t count;
        bool fires;                        // while the editor is open
        std::function<void(Alarm&)> edit;  // what the user changed in the editor
        Timestamp time;
        std::int32_t countAfter;
        bool armed;
    } rows[] = {
        {"daily, untouched: tomorrow", ALARM_REPEAT, -1, true, [](Alarm&) {}, T + DAY, -1, true},
        {"daily, new time", ALARM_REPEAT, -1, true, [](Alarm& a) { a.time = T + 60; }, T + 60, -1, true},
        {"counted, untouched", ALARM_REPEAT, 3, true, [](Alarm&) {}, T + DAY, 2, true},
        {"counted, new count", ALARM_REPEAT, 3, true, [](Alarm& a) { a.repeatCount = 5; }, T + DAY, 5, true},
        {"last of a count, untouched: ended", ALARM_REPEAT, 1, true, [](Alarm&) {}, T, 0, false},
        {"once, untouched: ended", 0, -1, true, [](Alarm&) {}, T, -1, false},
        {"once, new time", 0, -1, true, [](Alarm& a) { a.time = T + DAY; }, T + DAY, -1, true},
        {"idle, not fired: armed again", 0, -1, false, [](Alarm&) {}, T, -1, true},
    };
    for (const auto& row : rows) {
        Alarm first(T);
        first.flags |= row.flags, first.repeatInterval = DAY, first.repeatCount = row.count;
        Alarm& alarm = engine.addAlarm(first);
        alarm.state = row.fires ? alarm.state : ALARM_STATE_IDLE;
        const Alarm opened = alarm;
        if (row.fires)
            alarm.finishFiring(T + 5);
        Alarm edited = opened;
        edited.message = "edited", edited.state = ALARM_STATE_IDLE;  // as the editor gives it back
        row.edit(edited);
        const Alarm& stored = engine.replaceAlarm(&alarm, opened, edited);
        EXPECT_TRUE(stored.time == row.time && stored.repeatCount == row.countAfter && stored.isArmed() == row.armed &&
                    stored.message == "edited")
            << row.name;
    }
}
