// The alarm list of the main window (control 3017): one row per shown alarm,
// in time order. The control keeps no copy of the rows (it is a virtual
// list): it asks for a row's texts and image when it draws it, so ten
// thousand alarms cost the list a pointer each.
#pragma once

#include <vector>

#include "model/alarm.h"
#include "platform/win32/framework/list_ctrl.h"

class DateTimeText;

class AlarmListCtrl : public CListCtrl {
public:
    explicit AlarmListCtrl(DateTimeText& texts) : m_texts(texts) {}

    // Adds the alarm's row; the caller sorts the rows afterwards, which
    // counts them into the control.
    void insertAlarmRow(Alarm& alarm) { m_rows.push_back(&alarm); }
    // The alarm's row, if it has one, is drawn anew, focused and not
    // selected, and the rows are sorted (once at the release when held).
    void refreshRow(const Alarm& alarm);
    // While held (during a tick, which may refresh thousands of rows), the
    // sorts that refreshed rows ask for are made once, at the release.
    void holdSorting() { ++m_sortHolds; }
    void releaseSorting();
    // Sorts the rows by time; the selected and focused alarms stay so.
    void sortAlarmRows(SortDirection direction);
    void deleteRow(int row);
    // The row of an alarm, or -1.
    int findRow(const Alarm& alarm) const;
    Alarm* alarmOfRow(int row) const;
    // Answers the control's question for a row's text or image.
    void fillDisplayInfo(LVITEMW& item) const;

private:
    DateTimeText& m_texts;
    std::vector<Alarm*> m_rows;
    SortDirection m_direction = SortDirection::LatestFirst;
    int m_sortHolds = 0;
    bool m_sortWanted = false;
};
