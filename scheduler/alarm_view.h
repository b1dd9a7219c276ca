// Everything the tick and the alarm actions show: the current-time field, the
// rows of the alarm list and the alarm message windows. The main window
// implements it; tests record the calls.
#pragma once

#include <string>

#include "platform/types.h"

class Alarm;

class AlarmView {
public:
    virtual ~AlarmView() = default;

    // Puts the formatted current time into the time field.
    virtual void showCurrentTime(const std::string& text) = 0;
    // Sorts the alarm rows by time; +1 or -1.
    virtual void sortRows(int direction) = 0;
    // Finds the alarm's row by the alarm itself, rewrites it and re-sorts;
    // no effect when the alarm has no row.
    virtual void refreshRow(Alarm& alarm) = 0;
    // Deletes the alarm's row; called before the alarm is destroyed.
    virtual void deleteRow(const Alarm& alarm) = 0;
    // Opens a new alarm message window with the message and the date and
    // time of the tick at which the alarm fired; returns at once.
    virtual void openMessageWindow(const std::string& message, Timestamp tickTime) = 0;
};
