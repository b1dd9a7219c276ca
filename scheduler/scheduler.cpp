#include "scheduler/scheduler.h"

#include "scheduler/options.h"

namespace {

// Marks a tick as running for as long as it lasts, however it ends.
class TickGuard {
public:
    explicit TickGuard(bool& running) : m_running(running) { m_running = true; }
    ~TickGuard() { m_running = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

private:
    bool& m_running;
};

}  // namespace

Scheduler::Scheduler(Platform& platform, SchedulerState& state, AlarmCollection& alarms, AlarmStore& store,
                     AlarmView& view, ProgramControl& programs)
    : m_platform(platform), m_state(state), m_alarms(alarms), m_store(store), m_view(view), m_programs(programs)
{}

void Scheduler::tick()
{
    if (m_state.tickRunning)
        return;
    const TickGuard guard(m_state.tickRunning);
    samplePointer();
    m_state.tickTime = m_platform.now();
    m_view.showCurrentTime(m_state.tickTime);
    if (m_state.sortPending) {
        m_view.sortRows(options::sortDirectionOf(m_state.listFlags));
        m_state.sortPending = false;
    }
    scanAlarms();
}

void Scheduler::samplePointer()
{
    // A position that cannot be read (a locked workstation) says nothing
    // about the user: presence and the previous sample stay as they are.
    ScreenPoint position;
    if (!m_platform.cursorPosition(position))
        return;
    if (position.x != m_state.lastPointer.x || position.y != m_state.lastPointer.y)
        m_state.userPresent = true;
    m_state.lastPointer = position;
}

void Scheduler::scanAlarms()
{
    m_programs.reapExitedProgram();
    // The successor is taken before an entry is handled, so the entry may be
    // destroyed; entries appended meanwhile (watch entries of launches) are
    // reached later in the same walk.
    bool changed = false;
    for (auto it = m_alarms.begin(); it != m_alarms.end();) {
        Alarm& entry = *it;
        ++it;
        if (entry.isWatchEntry()) {
            m_programs.applyCloseRules(entry);
        } else if (entry.isDue(m_state.tickTime)) {
            handleDueAlarm(entry);
            changed = true;
        }
    }
    // One save for the whole walk: thousands of alarms due in the same
    // second would otherwise rewrite the list once each, and hold up the
    // program for seconds. The file ends the same.
    if (changed)
        m_store.saveAlarmList(m_alarms);
}

void Scheduler::handleDueAlarm(Alarm& alarm)
{
    const Timestamp now = m_state.tickTime;
    if (alarm.isMissed(now)) {
        // A missed occurrence launches nothing, so a launch still postponed
        // from it is given up: otherwise a one-time alarm would stay armed,
        // missed and saved again at every tick for good.
        if ((alarm.flags & ALARM_REPEAT) == 0)
            alarm.flags &= ~ALARM_EXECUTE_PENDING;
    } else {
        m_programs.runAlarmActions(alarm);
        // An alarm whose launch is still postponed is kept armed until the
        // launch has happened, and destroyed then.
        if (alarm.isDiscardedAfterFiring()) {
            m_view.deleteRow(alarm);
            m_alarms.remove(&alarm);
            return;
        }
    }
    alarm.finishFiring(now);
    m_view.refreshRow(alarm);
}
