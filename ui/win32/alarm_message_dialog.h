// The small window a firing alarm opens: its message with the date and time
// of the tick at which it fired. One window per firing; each is modeless,
// owned by the main window, and deletes itself once it is closed.
#pragma once

#include <string>

#include "platform/win32/framework/dialog.h"

class AlarmMessageDialog : public CSelfDeletingDialog {
public:
    // Opens a window for one firing and returns at once.
    static void open(const std::string& message, const std::string& dateText, const std::string& timeText);

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    AlarmMessageDialog(const std::string& message, const std::string& dateText, const std::string& timeText);

    std::string m_messageText;
    std::string m_dateText;
    std::string m_timeText;
};
