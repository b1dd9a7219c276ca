#include "model/alarm_collection.h"

#include <cassert>
#include <utility>

AlarmCollection::~AlarmCollection()
{
    clear();
}

Alarm& AlarmCollection::addAlarm(std::unique_ptr<Alarm> alarm, AlarmRowSink* rows)
{
    Alarm& added = append(std::move(alarm));
    if (rows != nullptr && added.state != ALARM_STATE_WATCH)
        rows->insertAlarmRow(added);
    return added;
}

Alarm& AlarmCollection::append(std::unique_ptr<Alarm> alarm)
{
    assert(alarm != nullptr);
    m_entries.push_back(std::move(alarm));
    ++m_changes;
    return *m_entries.back();
}

bool AlarmCollection::remove(const Alarm* alarm)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->get() == alarm) {
            m_entries.erase(it);
            ++m_changes;
            return true;
        }
    }
    return false;
}

void AlarmCollection::clear()
{
    if (!m_entries.empty())
        ++m_changes;
    while (!m_entries.empty())
        m_entries.pop_back();
}

Alarm* AlarmCollection::find(const Alarm* alarm)
{
    for (const auto& entry : m_entries)
        if (entry.get() == alarm)
            return entry.get();
    return nullptr;
}

bool AlarmCollection::contains(const Alarm* alarm) const
{
    return const_cast<AlarmCollection*>(this)->find(alarm) != nullptr;
}
