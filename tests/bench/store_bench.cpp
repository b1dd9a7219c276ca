// Saving and loading the alarm list through the real settings engine on a
// real file, for lists of 100, 1,000 and 10,000 alarms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "bench/profile_platform.h"
#include "model/alarm_store.h"

namespace {

constexpr Timestamp FIRST_TIME = 1500000000;

// A settings file in a folder of its own, removed afterwards.
class ScratchFile {
public:
    ScratchFile()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/quorvel-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        m_folder = pattern;
        m_path = m_folder + "/TIVRA.INI";
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (file == nullptr) {
            std::perror("fopen");
            std::abort();
        }
        std::fputs("[Options]\r\nColumn=130,124\r\nFlags=1\r\n", file);
        std::fclose(file);
    }
    ~ScratchFile()
    {
        std::remove(m_path.c_str());
        ::rmdir(m_folder.c_str());
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_folder;
    std::string m_path;
};

void fill(AlarmCollection& alarms, int count)
{
    for (int i = 0; i < count; ++i) {
        auto alarm = std::make_unique<Alarm>(FIRST_TIME + i * 3607);
        alarm->state = ALARM_STATE_ARMED;
        alarm->flags = ALARM_PLAY_WAVE | ALARM_SHOW_MESSAGE | ALARM_REPEAT | ALARM_EXECUTE;
        alarm->repeatInterval = 86400;
        alarm->closeAfter = 600;
        alarm->waveFile = "C:\\SOUNDS\\DING.WAV";
        alarm->commandLine = "notepad.exe notes.txt";
        alarm->workingFolder = "C:\\WORK";
        alarm->message = "Alarm number " + std::to_string(i) + ", time for a break";
        alarms.append(std::move(alarm));
    }
}

// Each save changes one alarm, so each one has something to write.
void BM_SaveChangedList(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ScratchFile file;
    ProfilePlatform platform(file.path());
    AlarmCollection alarms;
    fill(alarms, count);
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
    fill(alarms, count);
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
        fill(alarms, count);
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
