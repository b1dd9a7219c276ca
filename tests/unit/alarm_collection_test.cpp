// The list of alarms: rows for shown alarms, removal of the one given, and the walk the tick makes over it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/alarm_collection.h"

namespace {

using Names = std::vector<std::string>;

class AlarmCollectionTest : public ::testing::Test, public AlarmRowSink {
protected:
    void insertAlarmRow(Alarm& alarm) override { rows.push_back(alarm.message); }
    static std::unique_ptr<Alarm> named(const std::string& message, std::int32_t state = ALARM_STATE_ARMED)
    {
        auto alarm = std::make_unique<Alarm>(1000);
        alarm->message = message;
        alarm->state = state;
        return alarm;
    }
    Names messages() const
    {
        Names out;
        for (const Alarm& alarm : alarms)
            out.push_back(alarm.message);
        return out;
    }

    AlarmCollection alarms;
    Names rows;
};

TEST_F(AlarmCollectionTest, ShownAlarmsGetARowAndOnlyTheGivenAlarmIsRemoved)
{
    alarms.addAlarm(named("a"), this);
    alarms.addAlarm(named("watch", ALARM_STATE_WATCH), this);
    alarms.addAlarm(named("odd", ALARM_STATE_WATCH | ALARM_STATE_ARMED), this);  // only exactly 2 hides
    alarms.addAlarm(named("no rows"), nullptr);
    Alarm& appended = alarms.append(named("appended"));
    EXPECT_EQ(messages(), (Names{"a", "watch", "odd", "no rows", "appended"}));
    EXPECT_EQ(rows, (Names{"a", "odd"}));
    const Alarm stranger(5);
    EXPECT_TRUE(!alarms.remove(&stranger) && alarms.find(&appended) == &appended && alarms.remove(&appended));
    EXPECT_TRUE(!alarms.contains(&appended) && alarms.find(&appended) == nullptr && alarms.size() == 4u);
    alarms.clear();
    EXPECT_TRUE(alarms.empty());
}

// The tick's walk: it takes the successor first, then handles the entry, which may be removed or append one.
TEST_F(AlarmCollectionTest, WalkSurvivesRemovalAndSeesEntriesAppendedOnTheWay)
{
    for (const char* name : {"a", "b", "c"})
        alarms.append(named(name));
    Names visited;
    for (auto it = alarms.begin(); it != alarms.end();) {
        auto next = std::next(it);
        visited.push_back(it->message);
        if (it->message == "a")
            alarms.append(named("watch of a", ALARM_STATE_WATCH));
        if (it->message == "watch of a")
            alarms.append(named("appended by the last"));
        if (it->message == "b")
            alarms.remove(&*it);
        it = next;
    }
    EXPECT_EQ(visited, (Names{"a", "b", "c", "watch of a"}));
    EXPECT_EQ(messages(), (Names{"a", "c", "watch of a", "appended by the last"}));
}

}  // namespace
