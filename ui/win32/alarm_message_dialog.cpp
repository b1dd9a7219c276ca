#include "ui/win32/alarm_message_dialog.h"

#include "platform/win32/framework/data_exchange.h"
#include "resource.h"

AlarmMessageDialog::AlarmMessageDialog(const std::string& message, const std::string& dateText,
                                       const std::string& timeText)
    : CSelfDeletingDialog(IDD_ALARM_MESSAGE), m_messageText(message), m_dateText(dateText), m_timeText(timeText)
{}

void AlarmMessageDialog::open(const std::string& message, const std::string& dateText, const std::string& timeText)
{
    Open(new AlarmMessageDialog(message, dateText, timeText));
}

void AlarmMessageDialog::DoDataExchange(CDataExchange* dx)
{
    DdxText(dx, IDC_MESSAGE_TEXT, m_messageText);
    DdxText(dx, IDC_MESSAGE_DATE, m_dateText);
    DdxText(dx, IDC_MESSAGE_TIME, m_timeText);
}
