#include "ui/win32/alarm_message_dialog.h"

#include <iterator>
#include <utility>

#include "platform/win32/framework/data_exchange.h"
#include "resource.h"
#include "scheduler/snooze.h"

AlarmMessageDialog::AlarmMessageDialog(const Alarm& fired, const std::string& dateText, const std::string& timeText,
                                       int snoozeDelay, SnoozeHandler onSnooze)
    : CSelfDeletingDialog(IDD_ALARM_MESSAGE),
      m_fired(fired),
      m_dateText(dateText),
      m_timeText(timeText),
      m_snoozeDelay(snoozeDelay),
      m_onSnooze(std::move(onSnooze))
{}

void AlarmMessageDialog::open(const Alarm& fired, const std::string& dateText, const std::string& timeText,
                              int snoozeDelay, SnoozeHandler onSnooze)
{
    Open(new AlarmMessageDialog(fired, dateText, timeText, snoozeDelay, std::move(onSnooze)));
}

BOOL AlarmMessageDialog::OnInitDialog()
{
    m_delays.Attach(GetDlgItem(IDC_MESSAGE_SNOOZE_DELAY));
    for (const int minutes : snooze::DELAYS) {
        const int index = m_delays.AddString(snooze::delayText(minutes));
        if (minutes == m_snoozeDelay)
            m_delays.SetCurSel(index);
    }
    return CDialog::OnInitDialog();
}

void AlarmMessageDialog::DoDataExchange(CDataExchange* dx)
{
    std::string message = m_fired.message;
    DdxText(dx, IDC_MESSAGE_TEXT, message);
    DdxText(dx, IDC_MESSAGE_DATE, m_dateText);
    DdxText(dx, IDC_MESSAGE_TIME, m_timeText);
}

BOOL AlarmMessageDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDC_MESSAGE_SNOOZE:
        snooze();
        return TRUE;
    default:
        return FALSE;
    }
}

void AlarmMessageDialog::snooze()
{
    const int chosen = m_delays.GetCurSel();
    const int count = static_cast<int>(std::size(snooze::DELAYS));
    const int minutes = chosen >= 0 && chosen < count ? snooze::DELAYS[chosen] : m_snoozeDelay;
    // The window goes first: the handler adds an alarm and saves the list.
    SnoozeHandler onSnooze = std::move(m_onSnooze);
    const Alarm fired = m_fired;
    EndDialog(IDOK);
    onSnooze(fired, minutes);
}
