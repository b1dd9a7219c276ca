// The wake-up planning: when the next tick must run for each kind of pending work, and that every tick and command
// of the engine plans again (that ticking only at the planned seconds rings every alarm on time: SimulatedYearTest).
#include <gtest/gtest.h>

#include <functional>

#include "scheduler/alarm_engine.h"
#include "scheduler/wake_plan.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp NOW = 889959600;  // 1998-03-15 12:00:00 in the test zone

PendingWork work(bool visible, bool settings, bool walk, bool programs, bool running, Timestamp earliest)
{
    PendingWork pending;
    pending.windowVisible = visible, pending.settingsPending = settings, pending.walkPending = walk;
    pending.programsWatched = programs, pending.tickRunning = running, pending.earliestArmed = earliest;
    return pending;
}

// The engine on empty settings with a hook that plans as the main window does (hidden), counting the plans.
struct PlannedEngine {
    explicit PlannedEngine(bool unreadable = false)
    {
        platform.settingsUnreadable = unreadable;
        platform.clock = NOW;
        engine.loadSettings();
        engine.setReplan([this] {
            ++plans;
            next = wake_plan::nextTick(engine.pendingWork(), platform.clock);
        });
    }
    Alarm& add(Timestamp time, std::uint32_t flags = ALARM_SHOW_MESSAGE)
    {
        Alarm alarm(time);
        alarm.flags = flags, alarm.commandLine = "run.exe";
        return engine.addAlarm(alarm);
    }
    void tickAt(Timestamp time)
    {
        platform.clock = time;
        engine.tick();
    }

    FakePlatform platform;
    AlarmEngine engine{platform, platform, "C:\\Alarms"};
    int plans = 0;
    Timestamp next = INVALID_TIME;
};

}  // namespace

TEST(WakePlan, NextTickForEachKindOfPendingWork)
{
    struct Row {
        const char* what;
        PendingWork pending;
        Timestamp next;
    };
    const Row rows[] = {
        {"nothing at all: the safety net a minute on", work(false, false, false, false, false, INVALID_TIME), NOW + 60},
        {"an alarm at NOW + 10 is due a second past it", work(false, false, false, false, false, NOW + 10), NOW + 11},
        {"an alarm at NOW + 59 is due at the minute", work(false, false, false, false, false, NOW + 59), NOW + 60},
        {"one further ahead: the safety net", work(false, false, false, false, false, NOW + 3600), NOW + 60},
        {"one past (a postponed launch) is due at once", work(false, false, false, false, false, NOW - 99), NOW + 1},
        {"one at the last instant does not overflow", work(false, false, false, false, false, INT32_MAX), NOW + 60},
        {"the visible window's clock", work(true, false, false, false, false, NOW + 3600), NOW + 1},
        {"the settings file tried again", work(false, true, false, false, false, INVALID_TIME), NOW + 1},
        {"alarms changed since the walk", work(false, false, true, false, false, NOW + 3600), NOW + 1},
        {"a launched program watched", work(false, false, false, true, false, NOW + 3600), NOW + 1},
        {"a modal loop inside a tick", work(false, false, false, false, true, INVALID_TIME), NOW + 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(wake_plan::nextTick(row.pending, NOW), row.next) << row.what;
    EXPECT_EQ(wake_plan::nextTick(work(false, false, false, false, false, INVALID_TIME), INT32_MAX), INT32_MAX);
}

TEST(WakePlan, EveryTickAndCommandPlansAgain)
{
    PlannedEngine rig;
    Alarm* alarm = nullptr;
    struct Row {
        const char* what;
        std::function<void()> step;
        Timestamp next;
    };
    const Row rows[] = {
        {"a tick with no alarm", [&] { rig.tickAt(NOW); }, NOW + 60},
        {"Add: the next tick walks", [&] { alarm = &rig.add(NOW + 30); }, NOW + 1},
        {"the walk finds it", [&] { rig.tickAt(NOW + 1); }, NOW + 31},
        {"Edit to an earlier time", [&] { rig.engine.replaceAlarm(alarm, *alarm, Alarm(NOW + 5)); }, NOW + 2},
        {"the walk finds the new time", [&] { rig.tickAt(NOW + 2); }, NOW + 6},
        {"the alarm fires and goes idle", [&] { rig.tickAt(NOW + 6); }, NOW + 66},
        {"Delete", [&] { rig.engine.deleteAlarms({alarm}); }, NOW + 7},
        {"Setup", [&] { rig.tickAt(NOW + 7), rig.engine.applySetup("Russian", SilencePeriod{1, 2}); }, NOW + 67},
        {"a launch with a close rule: watched", [&] { rig.add(NOW + 7, ALARM_EXECUTE | ALARM_CLOSE_AFTER); }, NOW + 8},
        {"at every tick", [&] { rig.tickAt(NOW + 8), rig.tickAt(NOW + 9); }, NOW + 10},
        {"a launch without a close rule", [&] { rig.add(NOW + 9, ALARM_EXECUTE), rig.tickAt(NOW + 10); }, NOW + 11},
        {"the first entry's rule holds", [&] { rig.platform.exitCodes[101] = 0, rig.tickAt(NOW + 11); }, NOW + 12},
        {"then alarms alone", [&] { rig.engine.programs().releaseWatchEntries(), rig.tickAt(NOW + 12); }, NOW + 72},
        {"a launch for the user away", [&] { rig.add(NOW, ALARM_EXECUTE | ALARM_WAIT_FOR_USER_AWAY); }, NOW + 13},
        {"is tried at every tick", [&] { rig.tickAt(NOW + 13), rig.tickAt(NOW + 14); }, NOW + 15},
        {"until the user leaves", [&] { rig.engine.userLeft(), rig.tickAt(NOW + 15); }, NOW + 16},
        {"and its program has ended", [&] { rig.platform.exitCodes[102] = 0, rig.tickAt(NOW + 16); }, NOW + 76},
        {"no handle", [&] { rig.platform.launchGivesProcess = false, rig.add(NOW, ALARM_EXECUTE); }, NOW + 17},
        {"a launch that gave none is not watched", [&] { rig.tickAt(NOW + 17), rig.tickAt(NOW + 18); }, NOW + 78},
    };
    for (const Row& row : rows) {
        const int before = rig.plans;
        row.step();
        EXPECT_TRUE(rig.plans > before && rig.next == row.next) << row.what << ": " << rig.next - NOW;
    }
    // A settings file that cannot be read is tried again at every few ticks, so they keep coming.
    PlannedEngine unreadable(true);
    unreadable.tickAt(NOW);
    EXPECT_EQ(unreadable.next, NOW + 1);
    unreadable.platform.settingsUnreadable = false;
    for (Timestamp t = NOW + 1; t < NOW + 6; ++t)
        unreadable.tickAt(t);
    EXPECT_TRUE(unreadable.engine.settingsLoaded() && unreadable.next == NOW + 65);
}
