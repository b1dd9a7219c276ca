#include "support/alarm_oracle.h"

#include <algorithm>

void AlarmOracle::replace(const AlarmPlan& edited)
{
    for (AlarmPlan& plan : m_alarms)
        if (plan.name == edited.name)
            plan = edited, plan.armed = true;
}

void AlarmOracle::remove(const std::string& name)
{
    m_alarms.erase(std::remove_if(m_alarms.begin(), m_alarms.end(), [&](const AlarmPlan& p) { return p.name == name; }),
                   m_alarms.end());
}

void AlarmOracle::restart()
{
    for (AlarmPlan& plan : m_alarms) {
        LocalTime local;
        fake_zone::toLocal(plan.time, local, m_zone);
        plan.time = fake_zone::fromLocal(local, m_zone);
    }
}

std::vector<std::string> AlarmOracle::tick(Timestamp now)
{
    std::vector<std::string> events;
    for (std::size_t i = 0; i < m_alarms.size(); ++i) {
        AlarmPlan& plan = m_alarms[i];
        if (!plan.armed || now <= plan.time)  // due at the first tick strictly after its time
            continue;
        if (plan.inTime && now - plan.time >= 300) {
            events.push_back(plan.name + " missed");  // nothing rings; even with Autodelete it stays
        } else {
            // Silence goes by the alarm's own time of day, both ends sounding, and keeps back only the sounds.
            LocalTime local;
            fake_zone::toLocal(plan.time, local, m_zone);
            const int second = local.hour * 3600 + local.minute * 60 + local.second;
            const bool silent = m_silenceFrom <= m_silenceTo ? m_silenceFrom < second && second < m_silenceTo
                                                             : second > m_silenceFrom || second < m_silenceTo;
            m_silenced += silent && (plan.wave || plan.sayTime);
            events.push_back(plan.name + " fired" + (plan.wave && !silent ? " wave" : "") +
                             (plan.sayTime && !silent ? " say" : ""));
            if (!plan.repeat && plan.autodelete) {
                events.back() += " deleted";
                m_alarms.erase(m_alarms.begin() + static_cast<std::ptrdiff_t>(i--));
                continue;
            }
        }
        // One count for the firing and every occurrence missed with it; after the last, a plain idle alarm.
        if (plan.repeat && plan.count > 0)
            --plan.count;
        if (!plan.repeat || plan.count == 0)
            plan.repeat = plan.armed = false;
        else if (plan.interval > 0)
            do
                plan.time += plan.interval;
            while (plan.time < now);
    }
    return events;
}

Timestamp AlarmOracle::nextDue() const
{
    Timestamp next = INVALID_TIME;
    for (const AlarmPlan& plan : m_alarms)
        if (plan.armed && (next == INVALID_TIME || plan.time < next))
            next = plan.time;
    return next;
}
