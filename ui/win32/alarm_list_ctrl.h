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

    // Adds the alarm's row; the caller sorts the rows afterwards.
    void insertAlarmRow(Alarm& alarm);
    // Rows added between these two are counted into the control at once.
    void beginBulkInsert() { m_bulk = true; }
    void endBulkInsert();
    // Rewrites a row (focused, not selected) and sorts; -1 for no row.
    int updateAlarmRow(int row, Alarm& alarm);
    // Sorts the rows by time; the selected and focused alarms stay so.
    void sortAlarmRows(SortDirection direction);
    void deleteRow(int row);
    // The row of an alarm, or -1.
    int findRow(const Alarm& alarm) const;
    Alarm* alarmOfRow(int row) const;
    // Answers the control's question for a row's text or image.
    void fillDisplayInfo(LVITEMW& item) const;

private:
    void countRows();

    DateTimeText& m_texts;
    std::vector<Alarm*> m_rows;
    SortDirection m_direction = SortDirection::LatestFirst;
    bool m_bulk = false;
};
