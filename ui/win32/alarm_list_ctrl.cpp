#include "ui/win32/alarm_list_ctrl.h"

#include "model/alarm.h"
#include "ui/alarm_rows.h"
#include "ui/date_time_text.h"

void AlarmListCtrl::insertAlarmRow(Alarm& alarm)
{
    // Rows go in at the end: the sort that follows decides their place.
    const int row = InsertItem(GetItemCount(), m_texts.listRowTime(alarm.time), alarm_rows::imageFor(alarm),
                               reinterpret_cast<LPARAM>(&alarm));
    if (row >= 0)
        SetItemText(row, 1, alarm.message);
}

void AlarmListCtrl::beginBulkInsert()
{
    // The order comes from the sort by time at the end anyway.
    m_bulkStyle = GetWindowLongA(m_hWnd, GWL_STYLE);
    SetWindowLongA(m_hWnd, GWL_STYLE, m_bulkStyle & ~(LVS_SORTASCENDING | LVS_SORTDESCENDING));
    SendMessage(WM_SETREDRAW, FALSE);
}

void AlarmListCtrl::endBulkInsert()
{
    SetWindowLongA(m_hWnd, GWL_STYLE, m_bulkStyle);
    SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

int AlarmListCtrl::updateAlarmRow(int row, Alarm& alarm)
{
    if (row == -1)
        return -1;
    const std::string text = m_texts.listRowTime(alarm.time);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = alarm_rows::imageFor(alarm);
    item.lParam = reinterpret_cast<LPARAM>(&alarm);
    item.state = LVIS_FOCUSED;
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SetItem(item);
    SetItemText(row, 1, alarm.message);
    sortAlarmRows(m_direction);
    return 0;
}

void AlarmListCtrl::sortAlarmRows(SortDirection direction)
{
    m_direction = direction;
    SortItems(compareRows, static_cast<LPARAM>(direction));
}

int CALLBACK AlarmListCtrl::compareRows(LPARAM first, LPARAM second, LPARAM direction)
{
    return Alarm::compareForList(*reinterpret_cast<const Alarm*>(first), *reinterpret_cast<const Alarm*>(second),
                                 static_cast<SortDirection>(direction));
}

int AlarmListCtrl::findRow(const Alarm& alarm) const
{
    return FindItemByData(reinterpret_cast<LPARAM>(&alarm));
}

Alarm* AlarmListCtrl::alarmOfRow(int row) const
{
    return reinterpret_cast<Alarm*>(GetItemData(row));
}
