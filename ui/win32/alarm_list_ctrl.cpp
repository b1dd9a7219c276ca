#include "ui/win32/alarm_list_ctrl.h"

#include <algorithm>
#include <cwchar>
#include <unordered_set>

#include "ui/alarm_rows.h"
#include "ui/date_time_text.h"

void AlarmListCtrl::insertAlarmRow(Alarm& alarm)
{
    m_rows.push_back(&alarm);
    if (!m_bulk)
        countRows();
}

void AlarmListCtrl::endBulkInsert()
{
    m_bulk = false;
    countRows();
}

void AlarmListCtrl::countRows()
{
    SendMessage(LVM_SETITEMCOUNT, m_rows.size(), LVSICF_NOSCROLL);
}

int AlarmListCtrl::updateAlarmRow(int row, Alarm& alarm)
{
    if (row == -1)
        return -1;
    LVITEMA item = {};
    item.state = LVIS_FOCUSED;
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    (void)alarm;  // the row shows its alarm's values when it is drawn again
    sortAlarmRows(m_direction);
    return 0;
}

void AlarmListCtrl::sortAlarmRows(SortDirection direction)
{
    m_direction = direction;
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
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            item.state =
                (selected.count(m_rows[row]) != 0 ? LVIS_SELECTED : 0) | (m_rows[row] == focused ? LVIS_FOCUSED : 0);
            if (item.state != 0)
                SendMessage(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
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
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                             &wide[0], static_cast<int>(wide.size()))));
    const std::size_t length = std::min(wide.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::wmemcpy(item.pszText, wide.data(), length);
    item.pszText[length] = L'\0';
}
