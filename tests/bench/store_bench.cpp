// Saving and loading the alarm list through the real settings engine on a
// real file, for lists of 100, 1,000 and 10,000 alarms.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/profile_platform.h"
#include "model/alarm_store.h"

namespace {

// Each save changes one alarm, so each one has something to write.
void BM_SaveChangedList(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ScratchFile file;
    ProfilePlatform platform(file.path());
    AlarmCollection alarms;
    fillAlarms(alarms, count);
    AlarmStore store(platform, platform);
    store.saveAlarmList(alarms);
    const long long before = platform.files.replacements;
    Alarm& changing = *alarms.begin();
    long long saves = 0;
    for (auto _ : state) {
        changing.repeatCount = static_cast<std::int32_t>(saves % 2);
        store.saveAlarmList(alarms);
        ++saves;
    }
    state.counters["file_writes_per_save"] =
        static_cast<double>(platform.files.replacements - before) / static_cast<double>(saves);
    state.SetComplexityN(count);
    if (!platform.messages.empty())
        state.SkipWithError("a save failed");
}

// Saving the list as it already stands writes nothing.
void BM_SaveUnchangedList(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ScratchFile file;
    ProfilePlatform platform(file.path());
    AlarmCollection alarms;
    fillAlarms(alarms, count);
    AlarmStore store(platform, platform);
    store.saveAlarmList(alarms);
    const long long before = platform.files.replacements;
    long long saves = 0;
    for (auto _ : state) {
        store.saveAlarmList(alarms);
        ++saves;
    }
    state.counters["file_writes_per_save"] =
        static_cast<double>(platform.files.replacements - before) / static_cast<double>(saves);
    state.SetComplexityN(count);
}

// Loading at start-up: the file is read and parsed, and every alarm built
// and appended to the collection.
void BM_LoadList(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ScratchFile file;
    {
        ProfilePlatform writer(file.path());
        AlarmCollection alarms;
        fillAlarms(alarms, count);
        AlarmStore(writer, writer).saveAlarmList(alarms);
    }
    for (auto _ : state) {
        ProfilePlatform platform(file.path());
        AlarmStore store(platform, platform);
        auto alarms = std::make_unique<AlarmCollection>();
        store.loadAlarmList(*alarms, nullptr);
        if (static_cast<int>(alarms->size()) != count || store.storedKeyCount() != count)
            state.SkipWithError("not every alarm was loaded");
        state.PauseTiming();
        alarms.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
}

}  // namespace

BENCHMARK(BM_SaveChangedList)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_SaveUnchangedList)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_LoadList)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
