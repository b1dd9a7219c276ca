// The program's main window: hidden most of the time, with its icon in the
// notification area; it shows the current time and the alarm list, owns the
// program's settings held in memory, and carries the one-second timer.
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
#include "ui/date_time_text.h"
#include "ui/win32/alarm_list_ctrl.h"
#include "ui/win32/tray_icon.h"

class Win32Platform;

class MainDialog : public CDialog {
public:
    // Creates the window at once (hidden); its set-up has run on return.
    // instanceName marks the window so that a second copy of the program
    // started on the same settings file can find it.
    MainDialog(Win32Platform& platform, const std::string& instanceName);
    ~MainDialog() override;

    // The message that asks the window to show itself.
    static UINT ShowRequestMessage();

    // --- state read by the other parts of the program ---
    int userPresent = 1;
    SilencePeriod silence;
    std::string currentTheme;
    int listFlags = DEFAULT_LIST_FLAGS;
    bool windowReady = false;
    Timestamp tickTime = INVALID_TIME;

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
    void readOptions();
    void setUpList();
    void loadAlarms();
    void deleteSelectedAlarms();
    void reverseListOrder();
    void showCurrentTime();
    void onTrayEvent(UINT mouseMessage);
    bool onSysCommand(WPARAM command);
    void savePosition(LPARAM coordinates);
    void saveColumnWidths();
    void showYourself();

    Win32Platform& m_platform;
    std::string m_instanceName;
    DateTimeText m_texts;
    CEdit m_timeField;
    AlarmListCtrl m_alarmList;
    AlarmCollection m_alarms;
    AlarmStore m_store;
    HIMAGELIST m_images = nullptr;
    TrayIcon m_trayIcon;
    bool m_trayBusy = false;
    // A Position write that keeps failing is reported once, not at every
    // move notification of a drag; a successful write re-arms the report.
    bool m_positionFailureShown = false;
};
