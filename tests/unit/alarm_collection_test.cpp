#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/alarm_collection.h"

namespace {

using Names = std::vector<std::string>;

class RecordingRows : public AlarmRowSink {
public:
    void insertAlarmRow(Alarm& alarm) override { rows.push_back(alarm.message); }
    Names rows;
};

std::unique_ptr<Alarm> alarmNamed(const std::string& message, std::int32_t state = ALARM_STATE_ARMED)
{
    auto alarm = std::make_unique<Alarm>(1000);
    alarm->message = message;
    alarm->state = state;
    return alarm;
}

Names messagesOf(const AlarmCollection& alarms)
{
    Names out;
    for (const Alarm& alarm : alarms)
        out.push_back(alarm.message);
    return out;
}

TEST(AlarmCollectionTest, ShownAlarmsGetARowAndOnlyTheGivenAlarmIsRemoved)
{
    AlarmCollection alarms;
    RecordingRows rows;
    alarms.addAlarm(alarmNamed("a"), &rows);
    alarms.addAlarm(alarmNamed("watch", ALARM_STATE_WATCH), &rows);
    alarms.addAlarm(alarmNamed("odd", ALARM_STATE_WATCH | ALARM_STATE_ARMED), &rows);  // only exactly 2 hides
    alarms.addAlarm(alarmNamed("no rows"), nullptr);
    Alarm& appended = alarms.append(alarmNamed("appended"));
    EXPECT_EQ(messagesOf(alarms), (Names{"a", "watch", "odd", "no rows", "appended"}));
    EXPECT_EQ(rows.rows, (Names{"a", "odd"}));

    const Alarm stranger(5);
    EXPECT_FALSE(alarms.remove(&stranger));
    EXPECT_EQ(alarms.find(&appended), &appended);
    EXPECT_TRUE(alarms.remove(&appended));
    EXPECT_FALSE(alarms.contains(&appended));
    EXPECT_EQ(alarms.size(), 4u);
    alarms.clear();
    EXPECT_TRUE(alarms.empty());
}

TEST(AlarmCollectionTest, WalkSurvivesRemovalAndSeesEntriesAppendedOnTheWay)
{
    AlarmCollection alarms;
    for (const char* name : {"a", "b", "c"})
        alarms.append(alarmNamed(name));
    // The scan's walk: remember the successor, handle the entry (which may be
    // removed or append an entry), continue with the successor.
    Names visited;
    for (auto it = alarms.begin(); it != alarms.end();) {
        auto next = std::next(it);
        const std::string message = it->message;
        visited.push_back(message);
        if (message == "a")
            alarms.append(alarmNamed("watch of a", ALARM_STATE_WATCH));
        if (message == "b")
            alarms.remove(&*it);
        if (message == "watch of a")
            alarms.append(alarmNamed("appended by the last"));
        it = next;
    }
    EXPECT_EQ(visited, (Names{"a", "b", "c", "watch of a"}));
    EXPECT_EQ(messagesOf(alarms), (Names{"a", "c", "watch of a", "appended by the last"}));
}

}  // namespace
