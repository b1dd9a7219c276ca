#include "ui/win32/late_alarms_window.h"

#include "resource.h"

LateAlarmsWindow::LateAlarmsWindow(const std::vector<std::string>& lines, LateAlarmsWindow*& open)
    : CSelfDeletingDialog(IDD_LATE_ALARMS), m_open(open)
{
    add(lines);
}

void LateAlarmsWindow::show(const std::vector<std::string>& lines, LateAlarmsWindow*& open)
{
    if (open != nullptr) {
        open->add(lines);
        open->showLines();
        return;
    }
    open = new LateAlarmsWindow(lines, open);
    if (!Open(open))
        open = nullptr;
}

void LateAlarmsWindow::add(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        m_text += (m_text.empty() ? "" : "\r\n") + line;
}

BOOL LateAlarmsWindow::OnInitDialog()
{
    showLines();
    return TRUE;
}

void LateAlarmsWindow::showLines()
{
    // The newest lines are at the end: the list is scrolled there.
    const HWND list = GetDlgItem(IDC_LATE_ALARMS_LIST);
    ::SetWindowTextA(list, m_text.c_str());
    ::SendMessageA(list, EM_SETSEL, m_text.size(), m_text.size());
    ::SendMessageA(list, EM_SCROLLCARET, 0, 0);
}

void LateAlarmsWindow::OnDestroy()
{
    m_open = nullptr;
}
