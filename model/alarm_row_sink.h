// Receives a list row for every shown alarm the collection takes in. The list
// display implements it; loading inserts all rows through it and the caller
// sorts the rows once afterwards.
#pragma once

class Alarm;

class AlarmRowSink {
public:
    virtual ~AlarmRowSink() = default;
    virtual void insertAlarmRow(Alarm& alarm) = 0;
};
