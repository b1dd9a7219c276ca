// The alarm engine wired to the fake platform and a recording view that logs
// into the platform's calls, for the tests of the tick, the alarm actions
// and launched programs.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scheduler/alarm_engine.h"
#include "support/fake_platform.h"
#include "support/recording_view.h"

using Calls = std::vector<std::string>;

class SchedulerRig : public ::testing::Test {
protected:
    // The engine as the program starts it, on empty settings.
    SchedulerRig()
    {
        engine.setView(&view);
        engine.loadSettings();
        platform.calls.clear();
    }

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

    FakePlatform platform;
    RecordingView view{platform.calls};
    AlarmEngine engine{platform, "C:\\Alarms"};
    SchedulerState& state = engine.state();
    AlarmCollection& alarms = engine.alarms();
};
