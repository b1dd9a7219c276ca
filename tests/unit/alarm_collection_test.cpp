#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/alarm_collection.h"

namespace {

class RecordingRows : public AlarmRowSink {
public:
    void insertAlarmRow(Alarm& alarm) override { rows.push_back(alarm.message); }
    std::vector<std::string> rows;
};

std::unique_ptr<Alarm> alarmNamed(const std::string& message, std::int32_t state = ALARM_STATE_ARMED)
{
    auto alarm = std::make_unique<Alarm>(1000);
    alarm->message = message;
    alarm->state = state;
    return alarm;
}

std::vector<std::string> messagesOf(const AlarmCollection& alarms)
{
    std::vector<std::string> out;
    for (const Alarm& alarm : alarms)
        out.push_back(alarm.message);
    return out;
}

}  // namespace

TEST(AlarmCollectionTest, AddAlarmAppendsAndGivesShownAlarmsARow)
{
    AlarmCollection alarms;
    RecordingRows rows;
    alarms.addAlarm(alarmNamed("a"), &rows);
    alarms.addAlarm(alarmNamed("watch", ALARM_STATE_WATCH), &rows);
    alarms.addAlarm(alarmNamed("idle", ALARM_STATE_IDLE), &rows);
    // Only the exact watch value goes without a row.
    alarms.addAlarm(alarmNamed("odd", ALARM_STATE_WATCH | ALARM_STATE_ARMED), &rows);
    alarms.addAlarm(alarmNamed("no rows"), nullptr);
    alarms.append(alarmNamed("appended"));

    EXPECT_EQ(messagesOf(alarms), (std::vector<std::string>{"a", "watch", "idle", "odd", "no rows", "appended"}));
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "idle", "odd"}));
    EXPECT_EQ(alarms.size(), 6u);
}

TEST(AlarmCollectionTest, RemoveDestroysOnlyTheGivenAlarm)
{
    AlarmCollection alarms;
    alarms.append(alarmNamed("a"));
    Alarm& b = alarms.append(alarmNamed("b"));
    alarms.append(alarmNamed("c"));
    const Alarm stranger(5);

    EXPECT_FALSE(alarms.remove(&stranger));
    EXPECT_TRUE(alarms.contains(&b));
    EXPECT_TRUE(alarms.remove(&b));
    EXPECT_FALSE(alarms.contains(&b));
    EXPECT_EQ(messagesOf(alarms), (std::vector<std::string>{"a", "c"}));

    alarms.clear();
    EXPECT_TRUE(alarms.empty());
    EXPECT_TRUE(messagesOf(alarms).empty());
}

TEST(AlarmCollectionTest, WalkSurvivesRemovalAndSeesEntriesAppendedOnTheWay)
{
    AlarmCollection alarms;
    alarms.append(alarmNamed("a"));
    alarms.append(alarmNamed("b"));
    alarms.append(alarmNamed("c"));

    // The scan's walk: remember the successor, handle the entry (which may be
    // removed or append an entry), continue with the successor.
    std::vector<std::string> visited;
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
    EXPECT_EQ(visited, (std::vector<std::string>{"a", "b", "c", "watch of a"}));
    EXPECT_EQ(messagesOf(alarms), (std::vector<std::string>{"a", "c", "watch of a", "appended by the last"}));
}
