#include "support/engine_rig.h"

#include <algorithm>
#include <memory>

EngineRig::EngineRig()
{
    engine.setView(this);
    EXPECT_TRUE(engine.loadSettings());
    platform.calls.clear();
}

Alarm& EngineRig::addAlarm(const std::string& message, std::uint32_t flags, Timestamp time)
{
    auto alarm = std::make_unique<Alarm>(time);
    alarm->message = message, alarm->flags = flags, alarm->state = ALARM_STATE_ARMED;
    alarm->commandLine = message + ".exe", alarm->waveFile = "ding.wav";
    return alarms.append(std::move(alarm));
}

long EngineRig::countOf(const Calls& calls, const std::string& prefix)
{
    return std::count_if(calls.begin(), calls.end(),
                         [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
}

Calls EngineRig::tickAt(Timestamp time)
{
    platform.calls.clear();
    platform.clock = time;
    engine.tick();
    return platform.calls;
}

Calls EngineRig::firingsAt(Timestamp time)
{
    Calls seen;
    for (const auto& call : tickAt(time))
        for (const char* kind : {"openMessageWindow", "refreshRow", "deleteRow", SAVE, "launchProgram"})
            if (call.rfind(kind, 0) == 0)
                seen.push_back(kind == SAVE ? std::string(SAVE) : call.substr(0, call.find(" @")));
    return seen;
}

Calls EngineRig::run(Alarm& alarm)
{
    state.tickTime = NOON + 5;
    platform.calls.clear();
    engine.actions().run(alarm);
    return platform.calls;
}

void EngineRig::openMessageWindow(const Alarm& fired, Timestamp tickTime)
{
    log("openMessageWindow " + fired.message + " @" + std::to_string(tickTime));
    if (duringMessageWindow)
        duringMessageWindow();
}
