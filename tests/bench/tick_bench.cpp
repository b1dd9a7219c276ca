// The cost of one scheduler tick over a long alarm list none of which is due:
// the work the program does every second.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/alarm.h"
#include "model/alarm_collection.h"
#include "model/alarm_store.h"
#include "scheduler/announcer.h"
#include "scheduler/program_control.h"
#include "scheduler/scheduler.h"
#include "support/fake_platform.h"

namespace {

// The main window's side of a tick, doing nothing: only the tick is measured.
class SilentView : public AlarmView {
public:
    void insertAlarmRow(Alarm&) override {}
    void showCurrentTime(Timestamp) override {}
    void sortRows(SortDirection) override {}
    void refreshRow(Alarm&) override {}
    void deleteRow(const Alarm&) override {}
    void openMessageWindow(const std::string&, Timestamp) override {}
    void settingsLoaded() override {}
};

void BM_TickWithNoAlarmDue(benchmark::State& state)
{
    const Timestamp now = 1700000000;
    FakePlatform platform;
    platform.clock = now;
    SchedulerState schedulerState;
    schedulerState.sortPending = false;
    AlarmCollection alarms;
    for (int i = 0; i < state.range(0); ++i) {
        // Years ahead: however long the measurement runs, none falls due.
        auto alarm = std::make_unique<Alarm>(now + 100000000 + i);
        alarm->state = ALARM_STATE_ARMED;
        alarms.addAlarm(std::move(alarm), nullptr);
    }
    AlarmStore store(platform);
    SilentView view;
    Announcer announcer(platform, schedulerState);
    ProgramControl programs(platform, schedulerState, alarms, view, announcer);
    Scheduler scheduler(platform, schedulerState, alarms, store, view, programs);
    for (auto _ : state) {
        scheduler.tick();
        platform.clock += 1;
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TickWithNoAlarmDue)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
