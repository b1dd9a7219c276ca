#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/alarm_store.h"
#include "model/stored_alarm.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp BASE = 889943400;  // 1998-03-15 07:30:00 at UTC+1

class RecordingRows : public AlarmRowSink {
public:
    void insertAlarmRow(Alarm& alarm) override { rows.push_back(&alarm); }
    std::vector<Alarm*> rows;
};

std::unique_ptr<Alarm> alarmWith(const std::string& message, Timestamp time = BASE,
                                 std::int32_t state = ALARM_STATE_ARMED)
{
    auto alarm = std::make_unique<Alarm>(time);
    alarm->message = message;
    alarm->state = state;
    return alarm;
}

std::string storedValue(const std::string& message)
{
    return "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,," + message;
}

std::vector<std::string> keysOf(const FakePlatform& platform)
{
    std::vector<std::string> keys;
    for (const auto& section : platform.settings)
        if (section.first == "AlarmList")
            for (const auto& entry : section.second)
                keys.push_back(entry.first);
    return keys;
}

std::vector<std::string> messagesOf(const AlarmCollection& alarms)
{
    std::vector<std::string> out;
    for (const Alarm& alarm : alarms)
        out.push_back(alarm.message);
    return out;
}

int countCalls(const FakePlatform& platform, const std::string& prefix)
{
    int count = 0;
    for (const auto& call : platform.calls)
        if (call.rfind(prefix, 0) == 0)
            ++count;
    return count;
}

}  // namespace

TEST(AlarmStoreTest, MissingSectionLoadsNothing)
{
    FakePlatform platform;
    AlarmStore store(platform);
    AlarmCollection alarms;
    store.loadAlarmList(alarms, nullptr);
    EXPECT_TRUE(alarms.empty());
    EXPECT_EQ(store.storedKeyCount(), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(AlarmStoreTest, LoadStopsAtTheFirstMissingKeyAndSavesLeaveLaterKeysAlone)
{
    FakePlatform platform;
    platform.putSetting("AlarmList", "0", storedValue("zero"));
    platform.putSetting("AlarmList", "1", storedValue("one"));
    platform.putSetting("AlarmList", "3", storedValue("three"));
    AlarmStore store(platform);
    AlarmCollection alarms;
    RecordingRows rows;
    store.loadAlarmList(alarms, &rows);
    EXPECT_EQ(messagesOf(alarms), (std::vector<std::string>{"zero", "one"}));
    EXPECT_EQ(store.storedKeyCount(), 2);
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0], &*alarms.begin());

    alarms.append(alarmWith("two"));
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.readSetting("AlarmList", "2"), storedValue("two"));
    EXPECT_EQ(platform.readSetting("AlarmList", "3"), storedValue("three"));
    EXPECT_EQ(store.storedKeyCount(), 3);
}

TEST(AlarmStoreTest, SaveRewritesTheListInOneWriteAndDeletesLeftOverKeys)
{
    FakePlatform platform;
    for (const char* key : {"0", "1", "2"})
        platform.putSetting("AlarmList", key, storedValue(std::string("m") + key));
    AlarmStore store(platform);
    AlarmCollection alarms;
    store.loadAlarmList(alarms, nullptr);
    ASSERT_EQ(store.storedKeyCount(), 3);

    alarms.remove(&*alarms.begin());
    platform.calls.clear();
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"writeSettings AlarmList 3"}));
    EXPECT_EQ(platform.settingFileWrites, 1);
    EXPECT_EQ(keysOf(platform), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(platform.readSetting("AlarmList", "0"), storedValue("m1"));
    EXPECT_EQ(platform.readSetting("AlarmList", "1"), storedValue("m2"));
    EXPECT_EQ(store.storedKeyCount(), 2);
}

TEST(AlarmStoreTest, EmptyCollectionKeepsTheCountAndDeletesTheSameKeysAgain)
{
    FakePlatform platform;
    platform.putSetting("AlarmList", "0", storedValue("a"));
    platform.putSetting("AlarmList", "1", storedValue("b"));
    AlarmStore store(platform);
    AlarmCollection alarms;
    store.loadAlarmList(alarms, nullptr);
    alarms.clear();

    store.saveAlarmList(alarms);
    EXPECT_TRUE(keysOf(platform).empty());
    EXPECT_EQ(store.storedKeyCount(), 2);
    store.saveAlarmList(alarms);
    EXPECT_EQ(countCalls(platform, "writeSettings AlarmList 2"), 2);

    // Nothing to write and nothing to delete: no write at all.
    FakePlatform fresh;
    AlarmStore empty(fresh);
    empty.saveAlarmList(alarms);
    EXPECT_EQ(countCalls(fresh, "writeSettings"), 0);
}

TEST(AlarmStoreTest, ProcessWatchEntriesTakeNoKey)
{
    FakePlatform platform;
    AlarmStore store(platform);
    AlarmCollection alarms;
    alarms.append(alarmWith("first"));
    alarms.append(alarmWith("watch", BASE, ALARM_STATE_WATCH));
    alarms.append(alarmWith("second"));
    store.saveAlarmList(alarms);
    EXPECT_EQ(keysOf(platform), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(platform.readSetting("AlarmList", "1"), storedValue("second"));
    EXPECT_EQ(store.storedKeyCount(), 2);

    // A watch entry at the end still counts a key, which the next save
    // deletes although it never existed.
    alarms.append(alarmWith("watch at the end", BASE, ALARM_STATE_WATCH));
    store.saveAlarmList(alarms);
    EXPECT_EQ(store.storedKeyCount(), 3);
    EXPECT_EQ(keysOf(platform), (std::vector<std::string>{"0", "1"}));
}

TEST(AlarmStoreTest, SavedAlarmsLoadBackEqual)
{
    FakePlatform platform;
    AlarmCollection saved;
    Alarm& repeating = saved.append(alarmWith("Time, for a break", BASE + 12345));
    repeating.repeatCount = -3;
    repeating.repeatInterval = 5 * 86400 + 7;
    repeating.closeAfter = 30 * 3600;
    repeating.flags = ALARM_REPEAT | ALARM_EXECUTE | ALARM_CLOSE_AFTER;
    repeating.waveFile = "C:\\a,b.wav";
    repeating.commandLine = "notepad.exe 100%,done.txt";
    repeating.workingFolder = "C:\\work";
    saved.append(alarmWith("idle", BASE, ALARM_STATE_IDLE));
    saved.append(alarmWith("no time", INVALID_TIME));
    AlarmStore(platform).saveAlarmList(saved);

    AlarmStore store(platform);
    AlarmCollection loaded;
    store.loadAlarmList(loaded, nullptr);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(loaded.size(), 3u);
    auto in = saved.begin();
    for (const Alarm& out : loaded) {
        EXPECT_EQ(out.time, in->time) << out.message;
        EXPECT_EQ(out.repeatCount, in->repeatCount);
        EXPECT_EQ(out.state, in->state);
        EXPECT_EQ(out.flags, in->flags);
        EXPECT_EQ(out.repeatInterval, in->repeatInterval);
        EXPECT_EQ(out.closeAfter, in->closeAfter);
        EXPECT_EQ(out.waveFile, in->waveFile);
        EXPECT_EQ(out.commandLine, in->commandLine);
        EXPECT_EQ(out.workingFolder, in->workingFolder);
        EXPECT_EQ(out.message, in->message);
        ++in;
    }
    EXPECT_EQ(store.storedKeyCount(), 3);
}

TEST(AlarmStoreTest, BadFormatIsReportedAndTheAlarmKeepsDefaults)
{
    FakePlatform platform;
    platform.clock = BASE + 999;
    platform.putSetting("AlarmList", "0", "not an alarm,,,,,,wave,cmd,dir,msg");
    platform.putSetting("AlarmList", "1", storedValue("fine"));
    platform.putSetting("AlarmList", "2", "1998:03:15-07:30:00,4");
    AlarmStore store(platform);
    AlarmCollection alarms;
    RecordingRows rows;
    store.loadAlarmList(alarms, &rows);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"Bad Format!", "Bad Format!"}));
    ASSERT_EQ(alarms.size(), 3u);
    EXPECT_EQ(rows.rows.size(), 3u);
    const Alarm& bad = *alarms.begin();
    EXPECT_EQ(bad.time, BASE + 999);
    EXPECT_EQ(bad.repeatCount, -1);
    EXPECT_EQ(bad.state, ALARM_STATE_IDLE);
    EXPECT_EQ(bad.flags, ALARM_SHOW_MESSAGE);
    EXPECT_EQ(bad.message, "msg");
    const Alarm& partial = *std::next(alarms.begin(), 2);
    EXPECT_EQ(partial.time, BASE);
    EXPECT_EQ(partial.repeatCount, 4);
    EXPECT_EQ(partial.flags, ALARM_SHOW_MESSAGE);
    EXPECT_EQ(store.storedKeyCount(), 3);
}

TEST(AlarmStoreTest, FailedSaveIsReportedOncePerSave)
{
    FakePlatform platform;
    for (const char* key : {"0", "1", "2"})
        platform.putSetting("AlarmList", key, storedValue(key));
    AlarmStore store(platform);
    AlarmCollection alarms;
    store.loadAlarmList(alarms, nullptr);
    platform.failSettingWrites = true;

    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"I can't write"}));

    // Only deletions: the other message, once.
    alarms.clear();
    platform.messages.clear();
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"Can't Write"}));
    EXPECT_EQ(platform.readSetting("AlarmList", "2"), storedValue("2"));
}

TEST(AlarmStoreTest, LoadedStateIsTakenAsStored)
{
    FakePlatform platform;
    platform.putSetting("AlarmList", "0", "1998:03:15-07:30:00,-1,0,2, 0:00:00:00,0:00:00:00,,,,idle");
    platform.putSetting("AlarmList", "1", "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,armed");
    AlarmStore store(platform);
    AlarmCollection alarms;
    store.loadAlarmList(alarms, nullptr);
    ASSERT_EQ(alarms.size(), 2u);
    EXPECT_EQ(alarms.begin()->state, ALARM_STATE_IDLE);
    EXPECT_EQ(std::next(alarms.begin())->state, ALARM_STATE_ARMED);
}
