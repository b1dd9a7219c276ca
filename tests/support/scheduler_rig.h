// The alarm engine wired to the fake platform, for the tests of the tick, the
// alarm actions and launched programs. The rig is the engine's view too: it
// logs each call of the view into the platform's calls, so that the order of
// views and platform calls can be checked together.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scheduler/alarm_engine.h"
#include "support/fake_platform.h"

using Calls = std::vector<std::string>;

class SchedulerRig : public ::testing::Test, public AlarmView {
protected:
    // The engine as the program starts it, on empty settings.
    SchedulerRig()
    {
        engine.setView(this);
        EXPECT_TRUE(engine.loadSettings());
        platform.calls.clear();
    }

    // An armed alarm at the end of the list; its program and wave are named after it.
    Alarm& addAlarm(const std::string& message, std::uint32_t flags, Timestamp time)
    {
        auto alarm = std::make_unique<Alarm>(time);
        alarm->message = message;
        alarm->flags = flags;
        alarm->state = ALARM_STATE_ARMED;
        alarm->commandLine = message + ".exe";
        alarm->waveFile = "ding.wav";
        state.alarmsChanged = true;
        return alarms.append(std::move(alarm));
    }

    static long countOf(const Calls& calls, const std::string& prefix)
    {
        return std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    }

    // --- AlarmView ---
    void insertAlarmRow(Alarm& alarm) override { log("insertAlarmRow " + alarm.message); }
    void showCurrentTime(Timestamp tickTime) override { log("showCurrentTime " + std::to_string(tickTime)); }
    void sortRows(SortDirection direction) override
    {
        log(direction == SortDirection::LatestFirst ? "sortRows latest first" : "sortRows earliest first");
    }
    void refreshRow(Alarm& alarm) override { log("refreshRow " + alarm.message); }
    void deleteRow(const Alarm& alarm) override { log("deleteRow " + alarm.message); }
    void openMessageWindow(const std::string& message, Timestamp tickTime) override
    {
        log("openMessageWindow " + message + " @" + std::to_string(tickTime));
        if (duringMessageWindow)
            duringMessageWindow();  // a modal loop of the tick, say
    }
    void settingsLoaded() override { log("settingsLoaded"); }
    void log(const std::string& call) { platform.calls.push_back(call); }

    FakePlatform platform;
    AlarmEngine engine{platform, "C:\\Alarms"};
    SchedulerState& state = engine.state();
    AlarmCollection& alarms = engine.alarms();
    std::function<void()> duringMessageWindow;
};
