// The "Missed alarms" window: one line for each alarm that rang late or not
// at all. One window at a time: while it is open, later notices add their
// lines to it. Modeless, owned by the main window; it deletes itself once
// it is closed and clears the opener's pointer to it.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/framework/dialog.h"

class LateAlarmsWindow : public CSelfDeletingDialog {
public:
    // Adds the lines to the open window, or opens one; open points to the
    // window while it is open.
    static void show(const std::vector<std::string>& lines, LateAlarmsWindow*& open);

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    LateAlarmsWindow(const std::vector<std::string>& lines, LateAlarmsWindow*& open);
    void add(const std::vector<std::string>& lines);
    void showLines();

    std::string m_text;
    LateAlarmsWindow*& m_open;
};
