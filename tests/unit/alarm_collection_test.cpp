// The list of alarms: rows for shown alarms, removal of only the given alarm, the count of changes. (The tick's walk
// over the list, in its order, removing and appending entries on the way, is SchedulerTest's.)
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
    AlarmCollection alarms;
    Names rows;
};

}  // namespace

TEST_F(AlarmCollectionTest, ShownAlarmsGetARowOnlyTheGivenAlarmIsRemovedAndEveryChangeCounts)
{
    alarms.addAlarm(named("a"), this);
    alarms.addAlarm(named("watch", ALARM_STATE_WATCH), this);
    alarms.addAlarm(named("odd", ALARM_STATE_WATCH | ALARM_STATE_ARMED), this);  // only exactly 2 hides
    alarms.addAlarm(named("no rows"), nullptr);
    Alarm& appended = alarms.append(named("appended"));
    EXPECT_TRUE(rows == (Names{"a", "odd"}) && alarms.size() == 5u);
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
