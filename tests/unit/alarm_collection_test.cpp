// The list of alarms: rows for shown alarms, removal of only the given alarm, the count of changes. (The tick's walk
// over the list, in its order, removing and appending entries on the way, is SchedulerTest's.)
#include <gtest/gtest.h>

#include <memory>

#include "model/alarm_collection.h"

namespace {

struct Rows : AlarmRowSink {
    void insertAlarmRow(Alarm& alarm) override { names.push_back(alarm.message); }
    std::vector<std::string> names;
};

std::unique_ptr<Alarm> named(const std::string& message, std::int32_t state = ALARM_STATE_ARMED)
{
    auto alarm = std::make_unique<Alarm>(1000);
    alarm->message = message, alarm->state = state;
    return alarm;
}

}  // namespace

TEST(AlarmCollectionTest, ShownAlarmsGetARowOnlyTheGivenAlarmIsRemovedAndEveryChangeCounts)
{
    AlarmCollection alarms;
    Rows rows;
    alarms.addAlarm(named("a"), &rows);
    alarms.addAlarm(named("watch", ALARM_STATE_WATCH), &rows);
    alarms.addAlarm(named("odd", ALARM_STATE_WATCH | ALARM_STATE_ARMED), &rows);  // only exactly 2 hides
    alarms.addAlarm(named("no rows"), nullptr);
    Alarm& appended = alarms.append(named("appended"));
    EXPECT_TRUE(rows.names == (std::vector<std::string>{"a", "odd"}) && alarms.size() == 5u);
    const Alarm stranger(5);
    EXPECT_TRUE(!alarms.remove(&stranger) && alarms.changeCount() == 5u);  // every addition counts, no failed removal
    EXPECT_TRUE(alarms.find(&appended) == &appended && alarms.remove(&appended));
    EXPECT_TRUE(!alarms.contains(&appended) && alarms.find(&appended) == nullptr && alarms.size() == 4u);
    alarms.touch();
    alarms.clear();
    EXPECT_TRUE(alarms.empty() && alarms.changeCount() == 8u);
    alarms.clear();
    EXPECT_EQ(alarms.changeCount(), 8u) << "clearing an empty list changes nothing";
}
