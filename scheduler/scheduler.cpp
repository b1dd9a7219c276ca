#include "scheduler/scheduler.h"

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
                     AlarmView& view, AlarmActions& actions, ProgramWatch& programs)
    : m_platform(platform),
      m_state(state),
      m_alarms(alarms),
      m_store(store),
      m_view(view),
      m_actions(actions),
      m_programs(programs)
{}

void Scheduler::tick()
{
    if (m_state.tickRunning)
        return;
    const TickGuard guard(m_state.tickRunning);
    m_state.tickTime = m_platform.now();
    m_view.showCurrentTime(m_state.tickTime);
    // A tick with no alarm due and no launched program to police does
    // nothing more: the program runs all day, and such ticks are most of them.
    if (!walkNeeded())
        return;
    // Only the walk asks whether the user is present; a pointer moved since
    // the previous sample counts as moved now.
    samplePointer();
    scanAlarms();
}

bool Scheduler::walkNeeded() const
{
    return m_state.walkedChangeCount != m_alarms.changeCount() || programsWatched() ||
        (m_state.earliestArmed != INVALID_TIME && m_state.tickTime > m_state.earliestArmed);
}

bool Scheduler::programsWatched() const
{
    // A launch that failed left an entry without a process: nothing to reap.
    const Alarm* previous = m_state.previousProgram;
    return m_state.watchEntriesLeft || (previous != nullptr && previous->process != NO_PROCESS);
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
    std::vector<LateAlarm> late;
    const Alarm* next = nullptr;
    m_state.walkedChangeCount = m_alarms.changeCount();
    m_state.watchEntriesLeft = false;
    m_state.earliestArmed = INVALID_TIME;
    for (auto it = m_alarms.begin(); it != m_alarms.end();) {
        Alarm& entry = *it;
        ++it;
        if (entry.isWatchEntry()) {
            m_programs.applyCloseRules(entry);
            // An entry without a close rule has nothing left to do at a tick.
            if ((entry.flags & (ALARM_CLOSE_AFTER | ALARM_CLOSE_WHEN_USER_BACK)) != 0)
                m_state.watchEntriesLeft = true;
            continue;
        }
        if (entry.isDue(m_state.tickTime)) {
            changed = true;
            noteLateness(entry, late);
            if (!handleDueAlarm(entry))
                continue;  // destroyed
        }
        if (!entry.isArmed() || entry.time == INVALID_TIME)
            continue;
        if (m_state.earliestArmed == INVALID_TIME || entry.time < m_state.earliestArmed)
            m_state.earliestArmed = entry.time;
        // An alarm still waiting to start its program has rung already.
        if ((entry.flags & ALARM_EXECUTE_PENDING) == 0 && (next == nullptr || entry.time < next->time))
            next = &entry;
    }
    // One save for the whole walk: thousands of alarms due in the same
    // second would otherwise rewrite the list once each, and hold up the
    // program for seconds. The file ends the same.
    if (changed && m_state.settingsLoaded)
        m_store.saveAlarmList(m_alarms);
    m_view.showNextAlarm(next);
    if (!late.empty())
        m_view.reportLateAlarms(late);
}

void Scheduler::noteLateness(const Alarm& alarm, std::vector<LateAlarm>& late) const
{
    // An alarm whose launch is postponed is due again at every tick until
    // its program starts; it rang when it first came due.
    if (alarm.has(ALARM_EXECUTE_PENDING))
        return;
    const long long behind = static_cast<long long>(m_state.tickTime) - alarm.time;
    if (alarm.isMissed(m_state.tickTime))
        late.push_back(LateAlarm{alarm.time, alarm.message, LateAlarm::MISSED});
    else if (behind >= LATE_NOTICE_SPAN)
        late.push_back(LateAlarm{alarm.time, alarm.message, clampTo32Bits(behind / 60)});
}

bool Scheduler::handleDueAlarm(Alarm& alarm)
{
    const Timestamp now = m_state.tickTime;
    if (alarm.isMissed(now)) {
        // A missed occurrence launches nothing, so a launch still postponed
        // from it is given up: otherwise a one-time alarm would stay armed,
        // missed and saved again at every tick for good.
        if ((alarm.flags & ALARM_REPEAT) == 0)
            alarm.flags &= ~ALARM_EXECUTE_PENDING;
    } else {
        m_actions.run(alarm);
        // An alarm whose launch is still postponed is kept armed until the
        // launch has happened, and destroyed then.
        if (alarm.isDiscardedAfterFiring()) {
            m_view.deleteRow(alarm);
            m_alarms.remove(&alarm);
            return false;
        }
    }
    alarm.finishFiring(now);
    m_view.refreshRow(alarm);
    return true;
}
