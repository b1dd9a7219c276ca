#include "model/alarm_store.h"

#include <memory>
#include <string>
#include <vector>

#include "model/stored_alarm.h"

const char* const AlarmStore::SECTION = "AlarmList";

namespace {

const char* const WRITE_FAILED = "I can't write";
const char* const DELETE_FAILED = "Can't Write";
const char* const BAD_FORMAT = "Bad Format!";

}  // namespace

AlarmStore::AlarmStore(Platform& platform) : m_platform(platform) {}

void AlarmStore::saveAlarmList(const AlarmCollection& alarms)
{
    // The key sequence of a key-by-key save, gathered into one write: every
    // shown alarm takes the next key, process-watch entries take none, and
    // keys up to the old count that no alarm needs are deleted.
    const std::int32_t limit = m_storedKeyCount;
    std::vector<SettingChange> changes;
    bool writesAlarm = false;
    std::int32_t key = 0;
    auto node = alarms.begin();
    while (key < limit || node != alarms.end()) {
        if (node == alarms.end()) {
            changes.push_back(SettingChange{std::to_string(key), std::nullopt});
            ++key;
            continue;
        }
        m_storedKeyCount = key + 1;
        const Alarm& alarm = *node;
        ++node;
        if (alarm.state == ALARM_STATE_WATCH)
            continue;
        changes.push_back(SettingChange{std::to_string(key), StoredAlarm::format(alarm, m_platform)});
        writesAlarm = true;
        ++key;
    }
    if (changes.empty())
        return;
    if (!m_platform.writeSettings(SECTION, changes))
        m_platform.showMessage(writesAlarm ? WRITE_FAILED : DELETE_FAILED);
}

void AlarmStore::loadAlarmList(AlarmCollection& alarms, AlarmRowSink* rows)
{
    std::int32_t key = 0;
    for (; key < KEY_LIMIT; ++key) {
        const std::string value = m_platform.readSetting(SECTION, std::to_string(key));
        if (value.empty())
            break;
        const StoredAlarm stored = StoredAlarm::parse(value);
        if (!stored.complete())
            m_platform.showMessage(BAD_FORMAT);
        // A value without a whole date and time stands for an alarm made now,
        // as a new alarm is.
        const Timestamp missingTime = stored.hasDateTime() ? INVALID_TIME : m_platform.now();
        alarms.addAlarm(std::make_unique<Alarm>(stored.toAlarm(m_platform, missingTime)), rows);
    }
    m_storedKeyCount = key;
}
