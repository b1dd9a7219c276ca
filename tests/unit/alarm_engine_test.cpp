// An edit confirmed after the alarm fired while its editor was open keeps what the firing did.
#include <gtest/gtest.h>

#include <functional>

#include "scheduler/alarm_engine.h"
#include "support/fake_platform.h"

TEST(AlarmEngineTest, EditConfirmedAfterAFiringKeepsItsTimeCountAndEndUnlessTheUserChangedThem)
{
    constexpr Timestamp T = 889959600;
    constexpr Duration DAY = 86400;
    FakePlatform platform;
    AlarmEngine engine(platform, "C:\\Alarms");
    ASSERT_TRUE(engine.loadSettings());
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
        first.flags |= row.flags;
        first.repeatInterval = DAY;
        first.repeatCount = row.count;
        Alarm& alarm = engine.addAlarm(first);
        if (!row.fires)
            alarm.state = ALARM_STATE_IDLE;
        const Alarm opened = alarm;
        if (row.fires)
            alarm.finishFiring(T + 5);
        Alarm edited = opened;
        edited.message = "edited";
        edited.state = ALARM_STATE_IDLE;  // as the editor gives it back
        row.edit(edited);
        const Alarm& stored = engine.replaceAlarm(&alarm, opened, edited);
        EXPECT_TRUE(stored.time == row.time && stored.repeatCount == row.countAfter && stored.isArmed() == row.armed &&
                    stored.message == "edited")
            << row.name;
    }
}
