// The alarm engine wired to the test double, as the program starts it on empty settings, for the tests of the engine
// and of its parts. The rig is the engine's view too: it logs each call of the view into the platform's calls, so
// that the order of views and platform calls can be checked together.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "scheduler/alarm_engine.h"
#include "support/fake_platform.h"

constexpr Timestamp NOON = 889959600;  // 1998-03-15 12:00:00 in the test zone (UTC+1)
constexpr Duration DAY = 86400;
inline const char* const SAVE = "writeSettings AlarmList";
inline const std::string SHOWN = " @" + std::to_string(NOON + 5);
using Calls = std::vector<std::string>;
using Handles = std::vector<ProcessHandle>;

class EngineRig : public ::testing::Test, public AlarmView {
protected:
    EngineRig();
    // An armed alarm at the end of the list; its program and wave are named after it.
    Alarm& addAlarm(const std::string& message, std::uint32_t flags, Timestamp time);
    static long countOf(const Calls& calls, const std::string& prefix);
    // All calls of one tick at the given time; of them, those that show or store the firing of alarms.
    Calls tickAt(Timestamp time);
    Calls firingsAt(Timestamp time);
    // The calls of the actions of an alarm found due at the tick five seconds after noon.
    Calls run(Alarm& alarm);

    // --- AlarmView; the next alarm and the late-alarm notices are kept apart from the call log ---
    void insertAlarmRow(Alarm& alarm) override { log("insertAlarmRow " + alarm.message); }
    void showCurrentTime(Timestamp tickTime) override { log("showCurrentTime " + std::to_string(tickTime)); }
    void sortRows() override { log("sortRows"); }
    void refreshRow(Alarm& alarm) override { log("refreshRow " + alarm.message); }
    void deleteRow(const Alarm& alarm) override { log("deleteRow " + alarm.message); }
    void openMessageWindow(const Alarm& fired, Timestamp tickTime) override;
    void settingsLoaded() override { log("settingsLoaded"); }
    void showNextAlarm(const Alarm* next) override { nextAlarm = next == nullptr ? "none" : next->message.str(); }
    void reportLateAlarms(const std::vector<LateAlarm>& late) override { lateNotices.push_back(late); }
    void log(const std::string& call) { platform.calls.push_back(call); }

    FakePlatform platform;
    AlarmEngine engine{platform, platform, "C:\\Alarms"};
    SchedulerState& state = engine.state();
    AlarmCollection& alarms = engine.alarms();
    ProgramWatch& programs = engine.programs();
    std::function<void()> duringMessageWindow;  // a modal loop of the tick, say
    std::string nextAlarm;
    std::vector<std::vector<LateAlarm>> lateNotices;
};
