#include "ui/win32/alarm_list_ctrl.h"

#include <algorithm>
#include <unordered_set>

#include "platform/win32/framework/text_encoding.h"
#include "ui/alarm_rows.h"
#include "ui/date_time_text.h"

void AlarmListCtrl::refreshRow(const Alarm& alarm)
{
    const int row = findRow(alarm);
    if (row == -1)
        return;
    // The row shows its alarm's values when it is drawn again.
    SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED | LVIS_SELECTED);
    if (m_sortHolds > 0)
        m_sortWanted = true;
    else
        sortAlarmRows(m_direction);
}

void AlarmListCtrl::releaseSorting()
{
    if (--m_sortHolds == 0 && m_sortWanted)
        sortAlarmRows(m_direction);
}

void AlarmListCtrl::sortAlarmRows(SortDirection direction)
{
    m_direction = direction;
    m_sortWanted = false;
    // Rows added since the last sort are counted into the control now.
    if (static_cast<std::size_t>(GetItemCount()) != m_rows.size())
        SendMessage(LVM_SETITEMCOUNT, m_rows.size(), LVSICF_NOSCROLL);
    // The control keeps selection and focus by row number; they are taken
    // over to the alarms' new rows.
    std::unordered_set<const Alarm*> selected;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row != -1; row = GetNextItem(row, LVNI_SELECTED))
        selected.insert(m_rows[static_cast<std::size_t>(row)]);
    const int focusedRow = GetNextItem(-1, LVNI_FOCUSED);
    const Alarm* focused = focusedRow >= 0 ? m_rows[static_cast<std::size_t>(focusedRow)] : nullptr;

    // Equal times keep their order; compareForList never calls them equal,
    // so a row goes first only when the comparison says so both ways.
    std::stable_sort(m_rows.begin(), m_rows.end(), [direction](const Alarm* first, const Alarm* second) {
        return Alarm::compareForList(*first, *second, direction) < 0 &&
            Alarm::compareForList(*second, *first, direction) > 0;
    });

    if (!selected.empty() || focused != nullptr) {
        const UINT mask = LVIS_SELECTED | LVIS_FOCUSED;
        SetItemState(-1, 0, mask);
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            const UINT state =
                (selected.count(m_rows[row]) != 0 ? LVIS_SELECTED : 0) | (m_rows[row] == focused ? LVIS_FOCUSED : 0);
            if (state != 0)
                SetItemState(static_cast<int>(row), state, mask);
        }
    }
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void AlarmListCtrl::deleteRow(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return;
    m_rows.erase(m_rows.begin() + row);
    DeleteItem(row);
}

int AlarmListCtrl::findRow(const Alarm& alarm) const
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), &alarm);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

Alarm* AlarmListCtrl::alarmOfRow(int row) const
{
    return row >= 0 && static_cast<std::size_t>(row) < m_rows.size() ? m_rows[static_cast<std::size_t>(row)] : nullptr;
}

void AlarmListCtrl::fillDisplayInfo(LVITEMW& item) const
{
    const Alarm* alarm = alarmOfRow(item.iItem);
    if (alarm == nullptr)
        return;
    if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == 0)
        item.iImage = alarm_rows::imageFor(*alarm);
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    // The texts are the system code page's; the list is a Unicode window.
    const std::string text = item.iSubItem == 0 ? m_texts.listRowTime(alarm->time) : alarm->message.str();
    lstrcpynW(item.pszText, text_encoding::fromSystemText(text).c_str(), item.cchTextMax);
}
