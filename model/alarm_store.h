// Keeps the alarm collection in the AlarmList section of the settings file:
// one key per shown alarm, numbered from 0 in collection order.
#pragma once

#include <cstdint>

#include "model/alarm_collection.h"
#include "model/alarm_row_sink.h"
#include "platform/notices.h"
#include "platform/platform.h"

class AlarmStore {
public:
    static const char* const SECTION;
    // Loading stops at this key at the latest.
    static constexpr std::int32_t KEY_LIMIT = 65535;

    // notices: where a failed save and stored alarms that cannot be read
    // are told.
    AlarmStore(Platform& platform, Notices& notices);

    // Rewrites the whole section in one write: keys 0 to n-1 hold the shown
    // alarms, keys left over from a longer list up to storedKeyCount() are
    // deleted. A failed write is reported once and leaves the count as it
    // was.
    void saveAlarmList(const AlarmCollection& alarms);
    // Appends the stored alarms to the collection, each with a row through
    // rows (may be null); the caller sorts the rows once afterwards.
    void loadAlarmList(AlarmCollection& alarms, AlarmRowSink* rows);

    // The keys believed present in the section.
    std::int32_t storedKeyCount() const { return m_storedKeyCount; }

private:
    Platform& m_platform;
    Notices& m_notices;
    std::int32_t m_storedKeyCount = 0;
};
