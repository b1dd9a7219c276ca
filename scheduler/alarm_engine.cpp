#include "scheduler/alarm_engine.h"

#include <algorithm>
#include <memory>

#include "scheduler/options.h"
#include "scheduler/silence.h"
#include "scheduler/snooze.h"

AlarmEngine::AlarmEngine(Platform& platform, Notices& notices, const std::string& startFolder)
    : m_platform(platform),
      m_notices(notices),
      m_store(platform, notices),
      m_announcer(platform, m_state, notices),
      m_programs(platform, m_state, m_alarms),
      m_actions(platform, m_state, m_view, m_announcer, m_programs),
      m_scheduler(platform, m_state, m_alarms, m_store, m_view, m_actions, m_programs)
{
    m_state.startFolder = startFolder;
}

AlarmEngine::~AlarmEngine()
{
    m_programs.releaseWatchEntries();
}

namespace {

// A try may wait on a file held by someone else for a moment: while the file
// stays unreadable, it is tried again only every few ticks.
const int TICKS_BETWEEN_TRIES = 5;

const char* const SETTINGS_NOT_READ =
    "The settings file TIVRA.INI cannot be read at the moment. The program keeps trying and takes its alarms and "
    "settings from it as soon as it can be read; until then nothing is saved into it.\r\n";

}  // namespace

bool AlarmEngine::loadSettings()
{
    if (m_state.settingsLoaded)
        return true;
    if (!m_platform.settingsReadable()) {
        if (!m_unreadableTold)
            m_notices.showNotice(SETTINGS_NOT_READ, m_state.startFolder);
        m_unreadableTold = true;
        m_ticksSinceTry = 0;
        return false;
    }
    m_state.settingsLoaded = true;
    m_state.currentTheme = options::readTheme(m_platform);
    m_state.silence = parseSilence(m_platform.readSetting(OPTIONS_SECTION, OPTION_SILENCE));
    m_view.settingsLoaded();
    // Alarms the user added while the file could not be read go into it now.
    const bool added =
        std::any_of(m_alarms.begin(), m_alarms.end(), [](const Alarm& alarm) { return !alarm.isWatchEntry(); });
    m_store.loadAlarmList(m_alarms, &m_view);
    m_view.sortRows();
    if (added)
        saveAlarmList();
    // The start-up notice told of a condition that has ended.
    if (m_unreadableTold)
        m_notices.withdrawNotice(SETTINGS_NOT_READ);
    return true;
}

void AlarmEngine::saveAlarmList()
{
    // Until the settings file has been read, nothing is written into it: the
    // user has been told so once, and the alarms added meanwhile are saved
    // when it is read. A save now would only fail and tell it again.
    if (m_state.settingsLoaded)
        m_store.saveAlarmList(m_alarms);
}

void AlarmEngine::userLeft()
{
    // The user counts as away until the pointer moves from where it is now.
    m_state.userPresent = false;
    ScreenPoint position;
    if (m_platform.cursorPosition(position))
        m_state.lastPointer = position;
}

void AlarmEngine::tick()
{
    if (!m_state.settingsLoaded && !m_state.tickRunning && ++m_ticksSinceTry >= TICKS_BETWEEN_TRIES)
        loadSettings();
    m_scheduler.tick();
    replan();
}

PendingWork AlarmEngine::pendingWork() const
{
    PendingWork work;
    work.settingsPending = !m_state.settingsLoaded;
    work.walkPending = m_state.walkedChangeCount != m_alarms.changeCount();
    work.programsWatched = m_scheduler.programsWatched();
    work.tickRunning = m_state.tickRunning;
    work.earliestArmed = m_state.earliestArmed;
    return work;
}

Alarm& AlarmEngine::addAlarm(const Alarm& edited)
{
    auto alarm = std::make_unique<Alarm>(edited);
    alarm->state = ALARM_STATE_ARMED;
    Alarm& added = m_alarms.addAlarm(std::move(alarm), &m_view);
    m_view.sortRows();
    saveAlarmList();
    replan();
    return added;
}

Alarm& AlarmEngine::replaceAlarm(const Alarm* alarm, const Alarm& opened, const Alarm& edited)
{
    // The editor worked on a copy; the tick may have destroyed an Autodelete
    // alarm meanwhile. What the user confirmed is then kept as a new alarm,
    // as a fired alarm that was kept would have been re-armed.
    Alarm* target = m_alarms.find(alarm);
    if (target == nullptr)
        return addAlarm(edited);
    // Or the tick fired it: moved it to its next time, counted the firing,
    // or ended it. Where the user left time and count as the editor opened
    // them, what the firing did stays; the stale copy would be due again and
    // ring a second time at once.
    const bool timeKept = edited.time == opened.time;
    const bool countKept = edited.repeatCount == opened.repeatCount;
    const bool endedMeanwhile = timeKept && countKept && opened.isArmed() && !target->isArmed();
    const Timestamp time = timeKept ? target->time : edited.time;
    const std::int32_t count = countKept ? target->repeatCount : edited.repeatCount;
    const std::int32_t firedState = target->state;
    *target = edited;
    target->time = time;
    target->repeatCount = count;
    target->state = endedMeanwhile ? firedState : ALARM_STATE_ARMED;
    m_alarms.touch();
    m_view.refreshRow(*target);
    saveAlarmList();
    replan();
    return *target;
}

void AlarmEngine::deleteAlarms(const std::vector<Alarm*>& alarms)
{
    // A tick that opened a modal loop still walks the alarms this would
    // destroy.
    if (m_state.tickRunning)
        return;
    for (Alarm* alarm : alarms) {
        m_view.deleteRow(*alarm);
        m_alarms.remove(alarm);
    }
    saveAlarmList();
    replan();
}

Alarm& AlarmEngine::snooze(const Alarm& fired, int minutes)
{
    // The result of the write is not looked at: the delay is a convenience.
    m_platform.writeSetting(OPTIONS_SECTION, OPTION_SNOOZE, std::to_string(minutes));
    return addAlarm(snooze::alarmFor(fired, m_platform.now(), minutes));
}

int AlarmEngine::snoozeDelay()
{
    return snooze::parseDelay(m_platform.readSetting(OPTIONS_SECTION, OPTION_SNOOZE));
}

void AlarmEngine::applySetup(const std::string& theme, const SilencePeriod& silence)
{
    // The results of both writes are not looked at.
    m_state.currentTheme = theme;
    m_state.silence = silence;
    m_platform.writeSetting(OPTIONS_SECTION, OPTION_THEME, theme);
    m_platform.writeSetting(OPTIONS_SECTION, OPTION_SILENCE, formatSilence(silence));
    replan();
}

void AlarmEngine::AttachedView::insertAlarmRow(Alarm& alarm)
{
    if (m_view != nullptr)
        m_view->insertAlarmRow(alarm);
}

void AlarmEngine::AttachedView::showCurrentTime(Timestamp tickTime)
{
    if (m_view != nullptr)
        m_view->showCurrentTime(tickTime);
}

void AlarmEngine::AttachedView::sortRows()
{
    if (m_view != nullptr)
        m_view->sortRows();
}

void AlarmEngine::AttachedView::refreshRow(Alarm& alarm)
{
    if (m_view != nullptr)
        m_view->refreshRow(alarm);
}

void AlarmEngine::AttachedView::deleteRow(const Alarm& alarm)
{
    if (m_view != nullptr)
        m_view->deleteRow(alarm);
}

void AlarmEngine::AttachedView::openMessageWindow(const Alarm& fired, Timestamp tickTime)
{
    if (m_view != nullptr)
        m_view->openMessageWindow(fired, tickTime);
}

void AlarmEngine::AttachedView::showNextAlarm(const Alarm* next)
{
    if (m_view != nullptr)
        m_view->showNextAlarm(next);
}

void AlarmEngine::AttachedView::reportLateAlarms(const std::vector<LateAlarm>& late)
{
    if (m_view != nullptr)
        m_view->reportLateAlarms(late);
}

void AlarmEngine::AttachedView::settingsLoaded()
{
    if (m_view != nullptr)
        m_view->settingsLoaded();
}
