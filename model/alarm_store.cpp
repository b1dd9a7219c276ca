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

AlarmStore::AlarmStore(Platform& platform, Notices& notices) : m_platform(platform), m_notices(notices) {}

void AlarmStore::saveAlarmList(const AlarmCollection& alarms)
{
    // Every shown alarm takes the next key; process-watch entries are never
    // stored.
    std::vector<SettingChange> changes;
    for (const Alarm& alarm : alarms)
        if (alarm.state != ALARM_STATE_WATCH)
            changes.push_back(
                SettingChange{std::to_string(changes.size()), StoredAlarm::storedValue(alarm, m_platform)});
    const std::int32_t stored = static_cast<std::int32_t>(changes.size());
    // Keys of a longer list stored before are deleted.
    for (std::int32_t key = stored; key < m_storedKeyCount; ++key)
        changes.push_back(SettingChange{std::to_string(key), std::nullopt});
    if (changes.empty())
        return;
    // The count follows the file: after a failed write the keys it would
    // have deleted are still there, and the next save deletes them.
    if (m_platform.writeSettings(SECTION, changes))
        m_storedKeyCount = stored;
    else
        m_notices.showNotice(stored > 0 ? WRITE_FAILED : DELETE_FAILED);
}

void AlarmStore::loadAlarmList(AlarmCollection& alarms, AlarmRowSink* rows)
{
    // The keys are read a batch at a time: one look at the file per batch,
    // and never the whole list's texts at once beside the alarms made of them.
    constexpr std::int32_t BATCH = 1024;
    std::int32_t key = 0;
    int unreadable = 0;
    std::vector<std::string> keys;
    for (bool more = true; more && key < KEY_LIMIT;) {
        keys.clear();
        for (std::int32_t next = key; next < KEY_LIMIT && next < key + BATCH; ++next)
            keys.push_back(std::to_string(next));
        for (const std::string& value : m_platform.readSettings(SECTION, keys)) {
            if (value.empty()) {
                more = false;
                break;
            }
            const StoredAlarm stored = StoredAlarm::parse(value);
            if (!stored.complete())
                ++unreadable;
            // A value without a whole date and time stands for an alarm made
            // now, as a new alarm is.
            const Timestamp missingTime = stored.hasDateTime() ? INVALID_TIME : m_platform.now();
            auto alarm = std::make_unique<Alarm>(stored.toAlarm(m_platform, missingTime));
            StoredAlarm::keepLineIfNeeded(*alarm, value, m_platform);
            alarms.addAlarm(std::move(alarm), rows);
            ++key;
        }
    }
    m_storedKeyCount = key;
    // One message for the whole list: a damaged file must not open a box
    // for every alarm before the program can be used.
    if (unreadable > 0) {
        m_notices.showNotice(std::string(BAD_FORMAT) + ' ' + std::to_string(unreadable) +
                             (unreadable == 1 ? " stored alarm" : " stored alarms") + " could not be read in full.");
    }
}
