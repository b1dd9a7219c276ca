// The alarm list of the main window (control 3017): one row per shown alarm,
// carrying a pointer to its alarm as item data, in time order.
#pragma once

#include "model/alarm_row_sink.h"
#include "platform/win32/framework/list_ctrl.h"

class Alarm;
class DateTimeText;

class AlarmListCtrl : public CListCtrl, public AlarmRowSink {
public:
    explicit AlarmListCtrl(DateTimeText& texts) : m_texts(texts) {}

    // The direction of the order: +1 latest first, -1 earliest first.
    void setDirection(int direction) { m_direction = direction; }

    // Inserts the alarm's row and sorts the rows, unless a bulk insertion
    // is under way, which sorts once at its end.
    void insertAlarmRow(Alarm& alarm) override;
    void beginBulkInsert();
    void endBulkInsert();
    // Rewrites a row (focused, not selected) and sorts; -1 for no row.
    int updateAlarmRow(int row, Alarm& alarm);
    void sortAlarmRows();
    // The row of an alarm, or -1.
    int findRow(const Alarm& alarm) const;
    Alarm* alarmOfRow(int row) const;

private:
    static int CALLBACK compareRows(LPARAM first, LPARAM second, LPARAM direction);

    DateTimeText& m_texts;
    int m_direction = 1;
    bool m_bulk = false;
    LONG m_bulkStyle = 0;
};
