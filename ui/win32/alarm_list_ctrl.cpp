#include "ui/win32/alarm_list_ctrl.h"

#include "model/alarm.h"
#include "ui/alarm_rows.h"
#include "ui/date_time_text.h"

void AlarmListCtrl::insertAlarmRow(Alarm& alarm)
{
    const int row = InsertItem(m_bulk ? GetItemCount() : 0, m_texts.listRowTime(alarm.time), alarm_rows::imageFor(alarm),
                               reinterpret_cast<LPARAM>(&alarm));
    if (row >= 0)
        SetItemText(row, 1, alarm.message);
    if (!m_bulk)
        sortAlarmRows();
}

void AlarmListCtrl::beginBulkInsert()
{
    // Thousands of rows go in at once: the control neither draws them one by
    // one nor keeps them sorted by text on the way (the sort by time at the
    // end decides the order anyway).
    m_bulk = true;
    m_bulkStyle = GetWindowLongA(m_hWnd, GWL_STYLE);
    SetWindowLongA(m_hWnd, GWL_STYLE, m_bulkStyle & ~(LVS_SORTASCENDING | LVS_SORTDESCENDING));
    SendMessage(WM_SETREDRAW, FALSE);
}

void AlarmListCtrl::endBulkInsert()
{
    m_bulk = false;
    sortAlarmRows();
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
    sortAlarmRows();
    return 0;
}

void AlarmListCtrl::sortAlarmRows()
{
    SortItems(compareRows, m_direction);
}

int CALLBACK AlarmListCtrl::compareRows(LPARAM first, LPARAM second, LPARAM direction)
{
    return Alarm::compareForList(*reinterpret_cast<const Alarm*>(first), *reinterpret_cast<const Alarm*>(second),
                                 static_cast<int>(direction));
}

int AlarmListCtrl::findRow(const Alarm& alarm) const
{
    return FindItemByData(reinterpret_cast<LPARAM>(&alarm));
}

Alarm* AlarmListCtrl::alarmOfRow(int row) const
{
    return reinterpret_cast<Alarm*>(GetItemData(row));
}
