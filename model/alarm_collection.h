// The ordered, owning list of the main window's alarms and process-watch
// entries. Order is insertion order; it fixes the stored key numbers and the
// order in which the scan visits alarms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <list>
#include <memory>

#include "model/alarm.h"
#include "model/alarm_row_sink.h"

class AlarmCollection {
    using Entries = std::list<std::unique_ptr<Alarm>>;

public:
    // Walks the alarms in order. An iterator stays valid while other entries
    // are removed or appended, so a walk may remove the entry it stands on
    // after stepping past it.
    template <typename Base, typename Value>
    class BasicIterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = Alarm;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        BasicIterator() = default;
        explicit BasicIterator(Base position) : m_position(position) {}
        reference operator*() const { return **m_position; }
        pointer operator->() const { return m_position->get(); }
        BasicIterator& operator++()
        {
            ++m_position;
            return *this;
        }
        BasicIterator operator++(int)
        {
            BasicIterator old = *this;
            ++m_position;
            return old;
        }
        BasicIterator& operator--()
        {
            --m_position;
            return *this;
        }
        bool operator==(const BasicIterator& other) const { return m_position == other.m_position; }
        bool operator!=(const BasicIterator& other) const { return m_position != other.m_position; }

    private:
        Base m_position{};
    };
    using iterator = BasicIterator<Entries::iterator, Alarm>;
    using const_iterator = BasicIterator<Entries::const_iterator, const Alarm>;

    AlarmCollection() = default;
    AlarmCollection(const AlarmCollection&) = delete;
    AlarmCollection& operator=(const AlarmCollection&) = delete;
    ~AlarmCollection();

    // Every change of the list counts: an alarm added, appended or removed,
    // the list cleared, or a held alarm edited in place (touch). Whoever
    // remembers the count knows later whether anything changed meanwhile.
    std::uint64_t changeCount() const { return m_changes; }
    // Counts an edit made to a held alarm in place.
    void touch() { ++m_changes; }

    // Appends the alarm and, unless it is exactly a process-watch entry,
    // gives it a list row through rows (when there is one).
    Alarm& addAlarm(std::unique_ptr<Alarm> alarm, AlarmRowSink* rows);
    // Appends without a row (a process-watch entry).
    Alarm& append(std::unique_ptr<Alarm> alarm);
    // Takes the given alarm out and destroys it; false when it is not held.
    bool remove(const Alarm* alarm);
    // Destroys every alarm, from the last to the first.
    void clear();

    // The held alarm at that address, or null when it is not held (any more).
    Alarm* find(const Alarm* alarm);
    bool contains(const Alarm* alarm) const;
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    iterator begin() { return iterator(m_entries.begin()); }
    iterator end() { return iterator(m_entries.end()); }
    const_iterator begin() const { return const_iterator(m_entries.begin()); }
    const_iterator end() const { return const_iterator(m_entries.end()); }

private:
    Entries m_entries;
    std::uint64_t m_changes = 0;
};
