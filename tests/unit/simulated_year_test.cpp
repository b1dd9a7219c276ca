// A year of the real alarm engine on the test double's clock, in a northern and a southern zone, held tick by tick to
// an account of when every alarm must ring that is worked out from the rules alone (AlarmOracle): a few hundred
// alarms added, edited and deleted along the way, both summer-time changes, 29 February, the clock set back and
// forward, the machine asleep, and the program stopped and started again from the settings file it wrote.
// QUORVEL_YEAR_SEEDS (numbers between blanks) replaces the fixed seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/c_runtime_time.h"
#include "scheduler/alarm_engine.h"
#include "scheduler/wake_plan.h"
#include "support/alarm_oracle.h"
#include "support/fake_platform.h"

namespace {

using Events = std::vector<std::string>;

// When the program next looks at its alarms after the tick at now; nextDue is the earliest time of an armed alarm,
// INVALID_TIME for none.
using TickSchedule = std::function<Timestamp(Timestamp now, Timestamp nextDue, const AlarmEngine& engine)>;

// The one-second timer: every second from the second before an alarm's time on; over a stretch in which nothing can
// fall due, straight to its end (the ticks left out there would only show the time).
Timestamp everySecondNearDue(Timestamp now, Timestamp nextDue, const AlarmEngine&)
{
    return nextDue == INVALID_TIME ? std::numeric_limits<Timestamp>::max() : std::max<Timestamp>(now + 1, nextDue - 1);
}

// The program asleep until something can happen: it wakes when the engine's plan says.
Timestamp plannedWakeUps(Timestamp now, Timestamp, const AlarmEngine& engine)
{
    return wake_plan::nextTick(engine.pendingWork(), now);
}

class SimulatedYear : public AlarmView {
public:
    SimulatedYear(unsigned seed, const fake_zone::Zone& zone, TickSchedule schedule)
        : m_zone(zone), m_random(seed + zone.standardOffset), m_oracle(zone), m_schedule(std::move(schedule))
    {
        platform.zone = &zone;
    }

    void live()
    {
        platform.clock = local(0, 8);
        restart(0);
        setSilence(22 * 3600, 7 * 3600);
        for (int i = 0; i < 40; ++i)
            add(0);
        for (int day = 0; day < 366 && m_mismatches < MISMATCH_LIMIT; ++day) {
            LocalTime f;
            fake_zone::toLocal(local(day, 12), f, m_zone);
            const int date = f.month * 100 + f.day, leapDay = 229, weekend = 614;  // from Friday evening on
            const auto changeOn = [](int d) { return d == 331 || d == 407 || d == 1006 || d == 1027; };  // either zone
            std::vector<std::pair<Timestamp, std::function<void()>>> events;  // the day's, in real time
            const auto at = [&](int hour, int minute, std::function<void()> event) {
                events.emplace_back(local(day, hour, minute), std::move(event));
            };
            if (chance(30) || date == leapDay)
                at(8 + pick(14), pick(60), [this] { session(); });
            if (chance(25))  // a minute to some hours, or to just about five minutes after the next alarm
                at(pick(24), pick(60), [this] {
                    const Timestamp due = m_oracle.nextDue();
                    moveClock(chance(50) && due - platform.clock < 43200 ? due + 299 + pick(3) - platform.clock
                                                                         : 60 + pick(60) * pick(240),
                              false);
                });
            if (chance(40) || changeOn(date + 1))  // the night, over a summer-time change now and then
                at(23, pick(60), [this, day] { moveClock(local(day + 1, 6, pick(90)) - real(), false); });
            if (changeOn(date) || date == leapDay)
                at(9, 0, [this] { restart(120); });
            if (date == weekend)
                at(18, 0, [this, day] { restart(local(day + 3, 8, 30) - real()); });
            if (date == 514)
                at(9, 0, [this] { add(3600), add(3600), add(3600); });
            if (date == 514 || date == 821 || date == 823)  // back an hour; on a day, and back again
                at(10, 0, [this, date] { moveClock(date == 514 ? -3600 : date == 821 ? 86400 : -86400, true); });
            if (date == 701)
                at(10, 0, [this] { setSilence(12 * 3600, 14 * 3600); });
            std::stable_sort(events.begin(), events.end(), [](auto& a, auto& b) { return a.first < b.first; });
            for (auto& [when, event] : events)
                runUntil(when), event();
        }
        runUntil(local(366, 8));
        restart(60);
        EXPECT_EQ(platform.messages, Events{});
        figures["silenced"] = m_oracle.silenced();
        const auto offset = [this](Timestamp t) {
            LocalTime f;
            return fake_zone::toLocal(t, f, m_zone) ? c_runtime_time::wallSeconds(f) - t : 0;
        };
        for (Timestamp t = local(0, 0); t < local(366, 0); t += 3600)
            figures["summer-time changes"] += offset(t) != offset(t + 3600);
    }

    std::map<std::string, long> figures;  // what was compared and what happened
    FakePlatform platform;

private:
    static constexpr int MISMATCH_LIMIT = 5;

    Timestamp local(int day, int hour, int minute = 0) const  // in 2024
    {
        return fake_zone::fromLocal(LocalTime{2024, 1, 1 + day, hour, minute, 0}, m_zone);
    }
    Timestamp real() const { return platform.clock - m_offset; }
    int pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return pick(100) < percent; }
    // Seconds to weeks: one of a few magnitudes, then anywhere up to twice it.
    Duration span()
    {
        static const Duration SPANS[] = {1, 7, 45, 300, 1800, 3600, 4 * 3600, 86400, 7 * 86400, 21 * 86400};
        const Duration base = SPANS[pick(10)];
        return base + pick(base);
    }

    // What the user sets in the editor: a time of day on one of the next days (now and then a bound of the silence,
    // or 02:30 on a night that summer time begins or ends, or on 29 February), some span from now, or within `soon`.
    AlarmPlan plan(const std::string& name, Duration soon)
    {
        AlarmPlan p;
        p.name = name;
        p.time = platform.clock + (soon > 0 ? 1 + pick(soon) : span());
        LocalTime f;
        if (soon == 0 && chance(50) && fake_zone::toLocal(platform.clock, f, m_zone)) {
            static const int BOUNDS[] = {7, 12, 14, 22}, NIGHTS[][2] = {{2, 29}, {3, 31}, {4, 7}, {10, 6}, {10, 27}};
            f = LocalTime{f.year, f.month, f.day + pick(30), pick(24), pick(60), pick(4) * 15};
            if (chance(20))
                f.hour = BOUNDS[pick(4)], f.minute = 0, f.second = pick(3) - 1;
            const auto& night = NIGHTS[pick(5)];
            if (chance(15) && fake_zone::fromLocal(LocalTime{2024, night[0], night[1], 2, 30}, m_zone) > platform.clock)
                f = LocalTime{2024, night[0], night[1], 2, 30};
            p.time = fake_zone::fromLocal(f, m_zone);
        }
        if ((p.repeat = chance(50))) {
            static const Duration ROUND[] = {1, 60, 300, 3600, 86400, 7 * 86400};  // as users like to type them
            p.interval = chance(50) ? ROUND[pick(6)] : span();
            p.count = p.interval >= 4 * 3600 && chance(50) ? -1 : pick(12);
        }
        p.inTime = chance(30), p.autodelete = chance(30), p.wave = chance(25), p.sayTime = chance(30);
        return p;
    }
    static Alarm alarmOf(const AlarmPlan& p)
    {
        Alarm alarm(p.time);
        alarm.message = p.name, alarm.waveFile = "bell.wav", alarm.repeatInterval = p.interval;
        alarm.flags = ALARM_SHOW_MESSAGE | (p.repeat ? ALARM_REPEAT : 0) | (p.inTime ? ALARM_IN_TIME : 0) |
            (p.autodelete ? ALARM_AUTODELETE : 0) | (p.wave ? ALARM_PLAY_WAVE : 0) | (p.sayTime ? ALARM_SAY_TIME : 0);
        alarm.repeatCount = p.count, alarm.state = p.armed ? ALARM_STATE_ARMED : ALARM_STATE_IDLE;
        return alarm;
    }
    Alarm* find(const std::string& name)
    {
        for (Alarm& alarm : m_engine->alarms())
            if (alarm.message == name)
                return &alarm;
        ADD_FAILURE() << name << " is not in the engine's list at " << platform.clock;
        return nullptr;
    }
    std::string someAlarm(bool idle)
    {
        Events names;
        for (const AlarmPlan& p : m_oracle.alarms())
            if (!idle || !p.armed)
                names.push_back(p.name);
        return names.empty() ? someAlarm(false) : names[pick(static_cast<int>(names.size()))];
    }

    // --- what the user and the machine do ---
    void add(Duration soon)
    {
        const AlarmPlan p = plan("A" + std::to_string(++figures["added"]), soon);
        m_engine->addAlarm(alarmOf(p));
        m_oracle.add(p);
    }
    void session()
    {
        for (int n = 1 + pick(3); n > 0; --n)
            add(0);
        for (int n = pick(3); n > 0; --n, ++figures["edited"]) {
            const AlarmPlan p = plan(someAlarm(false), 0);
            if (Alarm* alarm = find(p.name))
                m_engine->replaceAlarm(alarm, *alarm, alarmOf(p));
            m_oracle.replace(p);
        }
        for (int n = pick(5); n > 0 && m_oracle.alarms().size() > 1; --n, ++figures["deleted by the user"]) {
            const std::string name = someAlarm(chance(80));
            if (Alarm* alarm = find(name))
                m_engine->deleteAlarms({alarm});
            m_oracle.remove(name);
        }
    }
    void setSilence(int from, int to)
    {
        m_engine->applySetup("Default", SilencePeriod{from, to});
        m_oracle.setSilence(from, to);
    }
    // The clock set by hand, or the real time gone by while the machine slept.
    void moveClock(Duration change, bool byHand)
    {
        platform.clock += byHand ? change : std::max<Duration>(change, 60);
        m_offset += byHand ? change : 0;
        ++figures[byHand ? "clock settings" : "sleeps"];
    }
    // The program ends (unless it has not started) and starts again after the gap, from the file it wrote.
    void restart(Duration gap)
    {
        if (m_engine) {
            expectSameAlarms("before the restart");
            m_engine.reset();
            platform.clock += std::max<Duration>(gap, 60);
            platform.settings = ProfileDocument(platform.settingsText());
            m_oracle.restart();
            ++figures["restarts"];
        }
        m_engine = std::make_unique<AlarmEngine>(platform, platform, "C:\\Alarms");
        m_engine->setView(this);
        ASSERT_TRUE(m_engine->loadSettings());
        expectSameAlarms("after the restart");
    }
    void expectSameAlarms(const char* when)
    {
        const auto describe = [](const Alarm& a) {
            return std::string(a.message) + " at " + std::to_string(a.time) + " flags " + std::to_string(a.flags) +
                " every " + std::to_string(a.repeatInterval) + " count " + std::to_string(a.repeatCount) + " state " +
                std::to_string(a.state);
        };
        Events expected, seen;
        for (const AlarmPlan& p : m_oracle.alarms())
            expected.push_back(describe(alarmOf(p)));
        for (const Alarm& alarm : m_engine->alarms())
            seen.push_back(describe(alarm));
        EXPECT_EQ(seen, expected) << "the engine's alarms " << when << " at " << platform.clock;
        m_mismatches += seen != expected;
    }

    // The program's ticks until the real time reaches the end, each held to the rules.
    void runUntil(Timestamp realEnd)
    {
        const Timestamp end = std::max<Timestamp>(realEnd + m_offset, platform.clock);
        for (Timestamp next; m_mismatches < MISMATCH_LIMIT &&
             (next = m_schedule(platform.clock, m_oracle.nextDue(), *m_engine)) <= end;) {
            platform.clock = next;
            platform.calls.clear(), m_seen.clear();
            m_engine->tick();
            const Events expected = m_oracle.tick(platform.clock);
            ++figures["ticks compared"];
            for (const std::string& event : expected) {
                std::istringstream words(event.substr(event.find(' ')));
                for (std::string word; words >> word;)
                    ++figures[word];
            }
            if (m_seen == expected)
                continue;
            ++m_mismatches;
            ADD_FAILURE() << "tick at " << platform.clock << "\n  the rules: " << testing::PrintToString(expected)
                          << "\n  the engine: " << testing::PrintToString(m_seen);
        }
        platform.clock = end;
    }

    // --- AlarmView: a firing shows as its sounds, then its message window, then its row refreshed or deleted; a
    // missed alarm only as its row refreshed ---
    void rowChanged(const std::string& name, bool deleted)
    {
        if (m_seen.empty() || m_seen.back().rfind(name + " fired", 0) != 0)
            m_seen.push_back(name + (deleted ? " deleted" : " missed"));
        else if (deleted)
            m_seen.back() += " deleted";
    }
    void insertAlarmRow(Alarm&) override {}
    void showCurrentTime(Timestamp) override {}
    void sortRows() override {}
    void showNextAlarm(const Alarm*) override {}
    void reportLateAlarms(const std::vector<LateAlarm>&) override {}
    void refreshRow(Alarm& alarm) override { rowChanged(alarm.message, false); }
    void deleteRow(const Alarm& alarm) override { rowChanged(alarm.message, true); }
    void openMessageWindow(const Alarm& fired, Timestamp tickTime) override
    {
        const std::string& message = fired.message;
        bool wave = false, say = false;
        for (const std::string& call : platform.calls) {
            wave = wave || call.rfind("playSoundFile", 0) == 0;
            say = say || call.rfind("readWholeFile", 0) == 0 || call.rfind("writeSettings Speak", 0) == 0;
        }
        platform.calls.clear();
        m_seen.push_back(message + " fired" + (wave ? " wave" : "") + (say ? " say" : "") +
                         (tickTime == platform.clock ? "" : " showing another time"));
    }
    void settingsLoaded() override {}

    const fake_zone::Zone& m_zone;
    std::mt19937 m_random;
    AlarmOracle m_oracle;
    TickSchedule m_schedule;
    std::unique_ptr<AlarmEngine> m_engine;
    Events m_seen;           // what the engine's tick showed
    Timestamp m_offset = 0;  // how far the clock is set from the real time
    int m_mismatches = 0;
};

}  // namespace

TEST(SimulatedYearTest, EveryAlarmRingsWhenTheRulesSayInBothHemispheresTickingEverySecondOrAsPlanned)
{
    std::vector<unsigned> seeds{20240229};
    if (const char* given = std::getenv("QUORVEL_YEAR_SEEDS")) {
        std::istringstream in(given);
        seeds.assign(std::istream_iterator<unsigned>(in), std::istream_iterator<unsigned>());
    }
    for (const fake_zone::Zone* zone : {&fake_zone::CENTRAL_EUROPE, &fake_zone::EASTERN_AUSTRALIA})
        for (const unsigned seed : seeds)
            for (const auto& [mode, schedule] :
                 {std::pair{"every second", everySecondNearDue}, {"as planned", plannedWakeUps}}) {
                SCOPED_TRACE(std::string(zone->name) + ", seed " + std::to_string(seed));
                SimulatedYear year(seed, *zone, schedule);
                year.live();
                EXPECT_EQ(year.figures["summer-time changes"], 2);
                std::cout << "Year in " << zone->name << ", seed " << seed << ", ticking " << mode << ":";
                for (const auto& [what, count] : year.figures)
                    std::cout << " " << what << " " << count << ",";
                std::cout << "\n";
            }
}
