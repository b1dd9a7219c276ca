// An edit confirmed after the alarm fired while its editor was open keeps what the firing did.
#include <gtest/gtest.h>

#include <functional>

#include "scheduler/alarm_engine.h"
#include "support/fake_platform.h"

TEST(AlarmEngineTest, EditConfirmedAfterAFiringKeepsItsTimeCountAndEndUnlessTheUserChangedThem)
{
    constexpr Timestamp T = 889959600;
    constexpr Duration DAY = 86400;
    const struct {
        const char* name;
        std::uint32_t flags;
        std::int32_t count;
        std::function<void(Alarm&)> edit;  // what the user changed in the editor
        Timestamp time;
        std::int32_t countAfter;
        bool armed;
    } rows[] = {
        {"daily, untouched: tomorrow", ALARM_REPEAT, -1, [](Alarm&) {}, T + DAY, -1, true},
        {"daily, new time", ALARM_REPEAT, -1, [](Alarm& a) { a.time = T + 60; }, T + 60, -1, true},
        {"counted, untouched", ALARM_REPEAT, 3, [](Alarm&) {}, T + DAY, 2, true},
        {"counted, new count", ALARM_REPEAT, 3, [](Alarm& a) { a.repeatCount = 5; }, T + DAY, 5, true},
        {"last of a count, untouched: ended", ALARM_REPEAT, 1, [](Alarm&) {}, T, 0, false},
        {"once, untouched: ended", 0, -1, [](Alarm&) {}, T, -1, false},
        {"once, new time", 0, -1, [](Alarm& a) { a.time = T + DAY; }, T + DAY, -1, true},
    };
    for (const auto& row : rows) {
        FakePlatform platform;
        AlarmEngine engine(platform, "C:\\Alarms");
        ASSERT_TRUE(engine.loadSettings());
        Alarm first(T);
        first.flags |= row.flags;
        first.repeatInterval = DAY;
        first.repeatCount = row.count;
        Alarm& alarm = engine.addAlarm(first);
        const Alarm opened = alarm;
        alarm.finishFiring(T + 5);  // the tick, while the editor is open
        Alarm edited = opened;
        edited.message = "edited";
        edited.state = ALARM_STATE_IDLE;  // as the editor gives it back
        row.edit(edited);
        const Alarm& stored = engine.replaceAlarm(&alarm, opened, edited);
        EXPECT_EQ(stored.time, row.time) << row.name;
        EXPECT_EQ(stored.repeatCount, row.countAfter) << row.name;
        EXPECT_EQ(stored.isArmed(), row.armed) << row.name;
        EXPECT_EQ(stored.message, "edited") << row.name;
    }
    // Not fired meanwhile: an idle alarm confirmed as it was is armed again.
    FakePlatform platform;
    AlarmEngine engine(platform, "C:\\Alarms");
    ASSERT_TRUE(engine.loadSettings());
    Alarm& idle = engine.addAlarm(Alarm(T));
    idle.state = ALARM_STATE_IDLE;
    const Alarm opened = idle;
    EXPECT_TRUE(engine.replaceAlarm(&idle, opened, opened).isArmed());
}
