// The alarm list of the main window (control 3017): one row per shown alarm,
// carrying a pointer to its alarm as item data, in time order.
#pragma once

#include "model/alarm.h"
#include "platform/win32/framework/list_ctrl.h"

class DateTimeText;

class AlarmListCtrl : public CListCtrl {
public:
    explicit AlarmListCtrl(DateTimeText& texts) : m_texts(texts) {}

    // Adds the alarm's row; the caller sorts the rows afterwards.
    void insertAlarmRow(Alarm& alarm);
    // Thousands of rows go in at once between these two: the control neither
    // draws them one by one nor keeps them sorted by text on the way.
    void beginBulkInsert();
    void endBulkInsert();
    // Rewrites a row (focused, not selected) and sorts; -1 for no row.
    int updateAlarmRow(int row, Alarm& alarm);
    void sortAlarmRows(SortDirection direction);
    // The row of an alarm, or -1.
    int findRow(const Alarm& alarm) const;
    Alarm* alarmOfRow(int row) const;

private:
    static int CALLBACK compareRows(LPARAM first, LPARAM second, LPARAM direction);

    DateTimeText& m_texts;
    SortDirection m_direction = SortDirection::LatestFirst;
    LONG m_bulkStyle = 0;
};
