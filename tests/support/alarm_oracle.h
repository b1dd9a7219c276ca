// When alarms must ring, worked out from the program's rules alone, apart from its code: the simulated year
// (simulated_year_test.cpp) drives the real engine and holds it to this account, tick by tick.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"
#include "support/fake_zone.h"

// One alarm as the user set it (its message is its name), and whether it is armed.
struct AlarmPlan {
    std::string name;
    Timestamp time = 0;
    bool repeat = false, inTime = false, autodelete = false, wave = false, sayTime = false, armed = true;
    Duration interval = 0;
    int count = -1;  // negative: without end
};

class AlarmOracle {
public:
    explicit AlarmOracle(const fake_zone::Zone& zone) : m_zone(zone) {}

    void add(const AlarmPlan& plan) { m_alarms.push_back(plan); }
    void replace(const AlarmPlan& edited);  // the alarm of that name, armed again in its place
    void remove(const std::string& name);
    void setSilence(int from, int to) { m_silenceFrom = from, m_silenceTo = to; }
    // The program starts again from its file, which holds local date and time: of an hour that the clock shows
    // twice, the first comes back.
    void restart();
    // What a tick at now does, in list order: "A7 fired", "A7 fired wave say deleted", "A7 missed".
    std::vector<std::string> tick(Timestamp now);
    // The earliest time of an armed alarm (nothing is due before the clock is past it); INVALID_TIME for none.
    Timestamp nextDue() const;
    const std::vector<AlarmPlan>& alarms() const { return m_alarms; }
    long silenced() const { return m_silenced; }  // firings whose sounds the silence kept back

private:
    const fake_zone::Zone& m_zone;
    std::vector<AlarmPlan> m_alarms;
    int m_silenceFrom = 0, m_silenceTo = 0;
    long m_silenced = 0;
};
