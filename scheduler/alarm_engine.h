// The program's data and its wiring: the alarm collection and its store, the
// settings and state the scheduler shares, the announcer, the actions of due
// alarms, the watch of launched programs and the one-second tick. The application object creates
// it; the main window shows it (as its AlarmView) and forwards the user's
// commands to it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/alarm_collection.h"
#include "model/alarm_store.h"
#include "platform/notices.h"
#include "platform/platform.h"
#include "scheduler/alarm_actions.h"
#include "scheduler/alarm_view.h"
#include "scheduler/announcer.h"
#include "scheduler/program_watch.h"
#include "scheduler/scheduler.h"
#include "scheduler/scheduler_state.h"
#include "scheduler/wake_plan.h"

class AlarmEngine {
public:
    // notices: where the core tells the user what went wrong.
    AlarmEngine(Platform& platform, Notices& notices, const std::string& startFolder);
    // Destroys every alarm; launched programs keep running, only their
    // handles are given back.
    ~AlarmEngine();
    AlarmEngine(const AlarmEngine&) = delete;
    AlarmEngine& operator=(const AlarmEngine&) = delete;

    // The view that shows the alarms from now on; null detaches it.
    void setView(AlarmView* view) { m_view.attach(view); }

    // Start-up: once the settings file can be read, the Theme and Silence
    // keys, the view's own keys (settingsLoaded) and the stored alarms
    // are taken from it, each alarm with a row, the rows sorted once; alarms
    // added before then are kept and saved with them. While the file cannot
    // be read nothing is read from it or written into it: the user is told
    // once, and the tick tries again every few seconds.
    bool loadSettings();
    bool settingsLoaded() const { return m_state.settingsLoaded; }

    // One tick of the one-second timer.
    void tick();
    // Says the time of the latest tick (the current time before the first).
    void announceTime() { m_announcer.announceTime(); }
    // The screen saver has started: the user counts as away until the
    // pointer moves.
    void userLeft();

    // Add confirmed in the editor: a copy of the edited alarm, armed, is
    // appended with its row, and the list is saved.
    Alarm& addAlarm(const Alarm& edited);
    // Edit confirmed: the edited values replace the alarm's, it is armed
    // again, its row rewritten and the list saved. opened is the alarm as
    // the editor opened on it: time and count the user left as they were
    // keep what a firing meanwhile made of them (and an alarm the firing
    // ended stays idle). An alarm the tick has destroyed while the editor
    // was open comes back as a new alarm.
    Alarm& replaceAlarm(const Alarm* alarm, const Alarm& opened, const Alarm& edited);
    // Delete: every given alarm loses its row and is destroyed; one save,
    // also when none was given. Not while a tick walks the alarms.
    void deleteAlarms(const std::vector<Alarm*>& alarms);
    // Snooze pressed in a fired alarm's message window: the alarm rings
    // again minutes from now as a one-time alarm of its own, added and saved
    // as Add does; the delay is remembered for the next window.
    Alarm& snooze(const Alarm& fired, int minutes);
    // The delay a message window offers first: the one used last.
    int snoozeDelay();

    // The setup: the voice theme and the silence period.
    const std::string& currentTheme() const { return m_state.currentTheme; }
    const SilencePeriod& silence() const { return m_state.silence; }
    // Setup confirmed: both are taken over and written to the settings.
    void applySetup(const std::string& theme, const SilencePeriod& silence);
    // Copies a theme's theme.ini into the Speak section.
    void loadThemeFile(const std::string& theme) { m_announcer.loadThemeFile(theme); }
    const std::string& startFolder() const { return m_state.startFolder; }

    // What decides when the next tick must run (the window's visibility is
    // the view's to add; see wake_plan.h).
    PendingWork pendingWork() const;
    // Called after every tick and every command that may move the next tick.
    void setReplan(std::function<void()> replan) { m_replan = std::move(replan); }

    bool tickRunning() const { return m_state.tickRunning; }
    const AlarmCollection& alarms() const { return m_alarms; }
    // The shared state, the collection and the parts, for their tests.
    SchedulerState& state() { return m_state; }
    AlarmCollection& alarms() { return m_alarms; }
    Announcer& announcer() { return m_announcer; }
    AlarmActions& actions() { return m_actions; }
    ProgramWatch& programs() { return m_programs; }

private:
    void saveAlarmList();

    // Passes every call on to the attached view; without one, nothing is
    // shown. The parts hold it from their construction on.
    class AttachedView : public AlarmView {
    public:
        void attach(AlarmView* view) { m_view = view; }
        void insertAlarmRow(Alarm& alarm) override;
        void showCurrentTime(Timestamp tickTime) override;
        void sortRows() override;
        void refreshRow(Alarm& alarm) override;
        void deleteRow(const Alarm& alarm) override;
        void openMessageWindow(const Alarm& fired, Timestamp tickTime) override;
        void showNextAlarm(const Alarm* next) override;
        void reportLateAlarms(const std::vector<LateAlarm>& late) override;
        void settingsLoaded() override;

    private:
        AlarmView* m_view = nullptr;
    };

    // The data first: the parts below hold references to it.
    Platform& m_platform;
    Notices& m_notices;
    SchedulerState m_state;
    AlarmCollection m_alarms;
    AlarmStore m_store;
    AttachedView m_view;
    Announcer m_announcer;
    ProgramWatch m_programs;
    AlarmActions m_actions;
    Scheduler m_scheduler;
    bool m_unreadableTold = false;
    // Ticks since the last try to read the settings file.
    int m_ticksSinceTry = 0;
    std::function<void()> m_replan;

    void replan()
    {
        if (m_replan)
            m_replan();
    }
};
