// Everything the alarm engine shows: the current-time field, the rows of the
// alarm list and the alarm message windows. The main window implements it;
// tests record the calls.
#pragma once

#include <string>

#include "model/alarm.h"
#include "model/alarm_row_sink.h"
#include "platform/types.h"

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
    // Opens a new alarm message window with the message and the date and
    // time of the tick at which the alarm fired; returns at once.
    virtual void openMessageWindow(const std::string& message, Timestamp tickTime) = 0;
    // The settings file has been read, at start-up or at a later tick when
    // it could not be read before: the view takes its own keys from it.
    virtual void settingsLoaded() = 0;
};
