// The small window a firing alarm opens: its message with the date and time
// of the tick at which it fired, OK, and Snooze with its delay. One window
// per firing; each is modeless, owned by the main window, and deletes itself
// once it is closed.
#pragma once

#include <functional>
#include <string>

#include "model/alarm.h"
#include "platform/win32/framework/combo_box.h"
#include "platform/win32/framework/dialog.h"

class AlarmMessageDialog : public CSelfDeletingDialog {
public:
    // Called when the user snoozes: the fired alarm and the chosen delay in
    // minutes.
    using SnoozeHandler = std::function<void(const Alarm& fired, int minutes)>;

    // Opens a window for one firing and returns at once; the delay list
    // opens on snoozeDelay.
    static void open(const Alarm& fired, const std::string& dateText, const std::string& timeText, int snoozeDelay,
                     SnoozeHandler onSnooze);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    AlarmMessageDialog(const Alarm& fired, const std::string& dateText, const std::string& timeText,
                       int snoozeDelay, SnoozeHandler onSnooze);
    void snooze();

    Alarm m_fired;
    std::string m_dateText;
    std::string m_timeText;
    int m_snoozeDelay;
    SnoozeHandler m_onSnooze;
    CComboBox m_delays;
};
