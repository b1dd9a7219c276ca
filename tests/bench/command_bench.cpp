// The user's commands on the longest list the settings file holds (65,535
// alarms, the key limit): Add, Edit and Delete, each from the command to the
// saved file, through the alarm engine and the real settings engine on a real
// file (the program's own work without its window).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/profile_platform.h"
#include "model/alarm_store.h"
#include "scheduler/alarm_engine.h"

namespace {

enum Command { ADD, EDIT, DELETE };

void BM_CommandOnLongestList(benchmark::State& state)
{
    const auto command = static_cast<Command>(state.range(0));
    // Add fills the list up to the limit; Edit and Delete start from it.
    const int stored = AlarmStore::KEY_LIMIT - (command == ADD ? 1 : 0);
    ScratchFile file;
    {
        ProfilePlatform writer(file.path());
        AlarmCollection alarms;
        fillAlarms(alarms, stored);
        AlarmStore(writer, writer).saveAlarmList(alarms);
    }
    ProfilePlatform platform(file.path());
    platform.clock = 1500000000;
    AlarmEngine engine(platform, platform, file.folder());
    engine.loadSettings();
    Alarm edited(platform.clock + 86400);
    long long edits = 0;
    for (auto _ : state) {
        switch (command) {
        case ADD: {
            Alarm& added = engine.addAlarm(edited);
            state.PauseTiming();
            engine.deleteAlarms({&added});
            state.ResumeTiming();
            break;
        }
        case EDIT:
            edited.message = "Edited " + std::to_string(++edits);  // a change to save every time
            engine.replaceAlarm(&*engine.alarms().begin(), *engine.alarms().begin(), edited);
            break;
        case DELETE: {
            Alarm* last = &*--engine.alarms().end();
            engine.deleteAlarms({last});
            state.PauseTiming();
            engine.addAlarm(edited);
            state.ResumeTiming();
            break;
        }
        }
    }
    if (static_cast<int>(engine.alarms().size()) != stored || !platform.messages.empty())
        state.SkipWithError("the list did not stay as it was, or a save failed");
}

}  // namespace

BENCHMARK(BM_CommandOnLongestList)
    ->ArgName("add0_edit1_delete2")
    ->Arg(ADD)
    ->Arg(EDIT)
    ->Arg(DELETE)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
