// The program's main window: hidden most of the time, with its icon in the
// notification area; it shows the current time and the alarm list of the
// alarm engine, forwards the user's commands to it, and carries the
// one-second timer that drives it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/edit.h"
#include "scheduler/alarm_engine.h"
#include "scheduler/alarm_view.h"
#include "ui/date_time_text.h"
#include "ui/list_order.h"
#include "ui/win32/alarm_list_ctrl.h"
#include "ui/win32/notice_boxes.h"
#include "ui/win32/tick_timer.h"
#include "ui/win32/window_placement.h"
#include "ui/win32/tray_icon.h"

class LateAlarmsWindow;

class MainDialog : public CDialog, private AlarmView {
public:
    // The window is made (hidden) by Create; its set-up has run on return.
    // Each of the instance names marks the window, so that a second copy of
    // the program started on the same settings file can find it. The window
    // shows the notices while it exists.
    MainDialog(AlarmEngine& engine, Platform& platform, NoticeBoxes& notices,
               const std::vector<std::string>& instanceNames);
    ~MainDialog() override;

    // The message that asks the window to show itself.
    static UINT ShowRequestMessage();
    // The message that asks the program to end, as its Exit button does (an
    // installer sends it before replacing the program). The answer is 1 when
    // the program is going to end, 0 while a dialog of it is open.
    static UINT ExitRequestMessage();

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
    // What the alarm engine shows.
    void insertAlarmRow(Alarm& alarm) override;
    void showCurrentTime(Timestamp tickTime) override;
    void sortRows() override;
    void refreshRow(Alarm& alarm) override;
    void deleteRow(const Alarm& alarm) override;
    void openMessageWindow(const Alarm& fired, Timestamp tickTime) override;
    void showNextAlarm(const Alarm* next) override;
    void reportLateAlarms(const std::vector<LateAlarm>& late) override;
    void settingsLoaded() override;

    void setUpList();
    void deleteSelectedAlarms();
    void addAlarm();
    void editSelectedAlarm();
    void runSetup();
    void onTrayEvent(UINT mouseMessage);
    void showLateAlarms();
    bool onSysCommand(WPARAM command);
    void saveColumnWidths();
    void showYourself();
    bool acceptExitRequest();
    void show();
    // Aims the tick timer at the next tick the pending work needs.
    void aimTickTimer();

    AlarmEngine& m_engine;
    Platform& m_platform;
    NoticeBoxes& m_notices;
    std::vector<std::string> m_instanceNames;
    DateTimeText m_texts;
    CEdit m_timeField;
    AlarmListCtrl m_alarmList;
    ListOrder m_listOrder;
    // The first tick sorts the rows once, in the order of the settings.
    bool m_sortPending = true;
    HIMAGELIST m_images = nullptr;
    TrayIcon m_trayIcon;
    bool m_trayBusy = false;
    TickTimer m_tickTimer;
    WindowPlacement m_placement;
    // The alarm the editor is open on; cleared when the tick destroys it meanwhile.
    const Alarm* m_alarmUnderEdit = nullptr;
    // The Missed alarms window while it is open, and the lines of the
    // latest notice, which a click on its balloon shows again.
    LateAlarmsWindow* m_lateAlarmsWindow = nullptr;
    std::vector<std::string> m_lateLines;
};
