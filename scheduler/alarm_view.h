// Everything the alarm engine shows: the current-time field, the rows of the
// alarm list and the alarm message windows. The main window implements it;
// tests record the calls.
#pragma once

#include <string>
#include <vector>

#include "model/alarm.h"
#include "model/alarm_row_sink.h"
#include "platform/types.h"
#include "scheduler/late_alarm.h"

class AlarmView : public AlarmRowSink {
public:
    // Shows the time of the latest tick in the time field.
    virtual void showCurrentTime(Timestamp tickTime) = 0;
    // Sorts the alarm rows by time in the view's order.
    virtual void sortRows() = 0;
    // Finds the alarm's row by the alarm itself, rewrites it and re-sorts;
    // no effect when the alarm has no row.
    virtual void refreshRow(Alarm& alarm) = 0;
    // Deletes the alarm's row; called before the alarm is destroyed.
    virtual void deleteRow(const Alarm& alarm) = 0;
    // Opens a new alarm message window with the alarm's message and the
    // date and time of the tick at which it fired; returns at once. The
    // window keeps what it needs to snooze the alarm.
    virtual void openMessageWindow(const Alarm& fired, Timestamp tickTime) = 0;
    // After a walk over the alarms: the armed alarm that rings next (the
    // earliest, the first of equals in list order), or null when none is.
    virtual void showNextAlarm(const Alarm* next) = 0;
    // After a walk that skipped alarms as missed or rang them late: all of
    // them, once for the tick.
    virtual void reportLateAlarms(const std::vector<LateAlarm>& late) = 0;
    // The settings file has been read, at start-up or at a later tick when
    // it could not be read before: the view takes its own keys from it.
    virtual void settingsLoaded() = 0;
};
