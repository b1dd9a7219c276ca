// The cost of one scheduler tick over a long alarm list none of which is due:
// the work the program does every second.
#include <benchmark/benchmark.h>

#include <memory>

#include "scheduler/alarm_engine.h"
#include "support/fake_platform.h"

namespace {

void BM_TickWithNoAlarmDue(benchmark::State& state)
{
    const Timestamp now = 1700000000;
    FakePlatform platform;
    platform.clock = now;
    // No view is attached: only the engine's own work is measured.
    AlarmEngine engine(platform, platform, "C:\\Alarms");
    for (int i = 0; i < state.range(0); ++i) {
        // Early in 2037, the last years an instant holds: the clock moves a
        // second per tick, and however many ticks the measurement takes
        // (a few hundred million at most), none falls due.
        auto alarm = std::make_unique<Alarm>(now + 440000000 + i);
        alarm->state = ALARM_STATE_ARMED;
        engine.alarms().append(std::move(alarm));
    }
    for (auto _ : state) {
        engine.tick();
        platform.clock += 1;
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TickWithNoAlarmDue)->Arg(100)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
