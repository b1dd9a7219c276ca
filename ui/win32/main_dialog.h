// The program's main window: hidden most of the time, with its icon in the
// notification area; it shows the current time and the alarm list, owns the
// alarms and the program's settings held in memory, and carries the
// one-second timer that drives the scheduler.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/main_options.h"
#include "model/alarm_collection.h"
#include "model/alarm_store.h"
#include "platform/types.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/edit.h"
#include "scheduler/alarm_view.h"
#include "scheduler/announcer.h"
#include "scheduler/program_control.h"
#include "scheduler/scheduler.h"
#include "scheduler/scheduler_state.h"
#include "ui/date_time_text.h"
#include "ui/win32/alarm_list_ctrl.h"
#include "ui/win32/tray_icon.h"

class Win32Platform;

class MainDialog : public CDialog, private AlarmView {
public:
    // Creates the window at once (hidden); its set-up has run on return.
    // instanceName marks the window so that a second copy of the program
    // started on the same settings file can find it.
    MainDialog(Win32Platform& platform, const std::string& instanceName, const std::string& startFolder);
    ~MainDialog() override;

    // The message that asks the window to show itself.
    static UINT ShowRequestMessage();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(NMHDR* header, LRESULT* result) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostNcDestroy() override;

private:
    // What the scheduler shows.
    void showCurrentTime(const std::string& text) override;
    void sortRows(int direction) override;
    void refreshRow(Alarm& alarm) override;
    void deleteRow(const Alarm& alarm) override;
    void openMessageWindow(const std::string& message, Timestamp tickTime) override;

    void readOptions();
    void setUpList();
    void loadAlarms();
    void deleteSelectedAlarms();
    void reverseListOrder();
    void onTrayEvent(UINT mouseMessage);
    bool onSysCommand(WPARAM command);
    void savePosition(LPARAM coordinates);
    void saveColumnWidths();
    void showYourself();

    Win32Platform& m_platform;
    std::string m_instanceName;
    SchedulerState m_state;
    DateTimeText m_texts;
    CEdit m_timeField;
    AlarmListCtrl m_alarmList;
    AlarmCollection m_alarms;
    AlarmStore m_store;
    Announcer m_announcer;
    ProgramControl m_programs;
    Scheduler m_scheduler;
    HIMAGELIST m_images = nullptr;
    TrayIcon m_trayIcon;
    bool m_trayBusy = false;
    // Moves of the window are saved once its set-up is done.
    bool m_windowReady = false;
    // A Position write that keeps failing is reported once, not at every
    // move notification of a drag; a successful write re-arms the report.
    bool m_positionFailureShown = false;
};
