#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/alarm_store.h"
#include "model/stored_alarm.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp BASE = 889943400;  // 1998-03-15 07:30:00 at UTC+1
using Texts = std::vector<std::string>;

class RecordingRows : public AlarmRowSink {
public:
    void insertAlarmRow(Alarm& alarm) override { rows.push_back(&alarm); }
    std::vector<Alarm*> rows;
};

std::string stored(const std::string& message)
{
    return "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,," + message;
}

class AlarmStoreTest : public ::testing::Test {
protected:
    // Stores the values under keys 0, 1, ... and loads them.
    void load(const Texts& values)
    {
        for (std::size_t key = 0; key < values.size(); ++key)
            if (!values[key].empty())
                platform.putSetting("AlarmList", std::to_string(key), values[key]);
        store.loadAlarmList(alarms, &rows);
    }
    Alarm& add(const std::string& message, std::int32_t state = ALARM_STATE_ARMED, Timestamp time = BASE)
    {
        auto alarm = std::make_unique<Alarm>(time);
        alarm->message = message;
        alarm->state = state;
        return alarms.append(std::move(alarm));
    }
    Texts keys() const
    {
        Texts out;
        for (const auto& section : platform.settings)
            if (section.first == "AlarmList")
                for (const auto& entry : section.second)
                    out.push_back(entry.first);
        return out;
    }
    Texts messages() const
    {
        Texts out;
        for (const Alarm& alarm : alarms)
            out.push_back(alarm.message);
        return out;
    }
    std::string at(const std::string& key) { return platform.readSetting("AlarmList", key); }

    FakePlatform platform;
    AlarmStore store{platform};
    AlarmCollection alarms;
    RecordingRows rows;
};

}  // namespace

TEST_F(AlarmStoreTest, LoadStopsAtTheFirstMissingKeyAndSavesLeaveLaterKeysAlone)
{
    load({});
    EXPECT_TRUE(alarms.empty());
    EXPECT_EQ(store.storedKeyCount(), 0);

    load({stored("zero"), stored("one"), "", stored("three")});  // gap at key 2
    EXPECT_EQ(messages(), (Texts{"zero", "one"}));
    EXPECT_EQ(store.storedKeyCount(), 2);
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0], &*alarms.begin());
    EXPECT_TRUE(platform.messages.empty());

    add("two");
    store.saveAlarmList(alarms);
    EXPECT_EQ(at("2"), stored("two"));
    EXPECT_EQ(at("3"), stored("three"));
    EXPECT_EQ(store.storedKeyCount(), 3);
}

TEST_F(AlarmStoreTest, SaveRewritesTheListInOneWriteAndDeletesLeftOverKeys)
{
    load({stored("m0"), stored("m1"), stored("m2")});
    alarms.remove(&*alarms.begin());
    platform.calls.clear();
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.calls, (Texts{"writeSettings AlarmList 3"}));
    EXPECT_EQ(platform.settingFileWrites, 1);
    EXPECT_EQ(keys(), (Texts{"0", "1"}));
    EXPECT_EQ(at("0"), stored("m1"));
    EXPECT_EQ(at("1"), stored("m2"));
    EXPECT_EQ(store.storedKeyCount(), 2);

    // Emptied: the keys are deleted once, and the count follows the file.
    alarms.clear();
    platform.calls.clear();
    store.saveAlarmList(alarms);
    store.saveAlarmList(alarms);
    EXPECT_TRUE(keys().empty());
    EXPECT_EQ(store.storedKeyCount(), 0);
    EXPECT_EQ(platform.calls, (Texts{"writeSettings AlarmList 2"}));

    // Nothing to write and nothing to delete: no write at all.
    FakePlatform fresh;
    AlarmStore(fresh).saveAlarmList(alarms);
    EXPECT_TRUE(fresh.calls.empty());
}

TEST_F(AlarmStoreTest, ProcessWatchEntriesTakeNoKey)
{
    add("first");
    add("watch", ALARM_STATE_WATCH);
    add("second");
    store.saveAlarmList(alarms);
    EXPECT_EQ(keys(), (Texts{"0", "1"}));
    EXPECT_EQ(at("1"), stored("second"));
    EXPECT_EQ(store.storedKeyCount(), 2);

    // A watch entry at the end counts no key either.
    add("watch at the end", ALARM_STATE_WATCH);
    store.saveAlarmList(alarms);
    EXPECT_EQ(store.storedKeyCount(), 2);
    EXPECT_EQ(keys(), (Texts{"0", "1"}));
}

TEST_F(AlarmStoreTest, SavedAlarmsLoadBackEqual)
{
    Alarm& repeating = add("Time, for a break", ALARM_STATE_ARMED, BASE + 12345);
    repeating.repeatCount = -3;
    repeating.repeatInterval = 5 * 86400 + 7;
    repeating.closeAfter = 30 * 3600;
    repeating.flags = ALARM_REPEAT | ALARM_EXECUTE | ALARM_CLOSE_AFTER;
    repeating.waveFile = "C:\\a,b.wav";
    repeating.commandLine = "notepad.exe 100%,done.txt";
    repeating.workingFolder = "C:\\work";
    add("idle", ALARM_STATE_IDLE);
    add("no time", ALARM_STATE_ARMED, INVALID_TIME);
    AlarmStore(platform).saveAlarmList(alarms);

    AlarmCollection loaded;
    store.loadAlarmList(loaded, nullptr);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(loaded.size(), 3u);
    auto in = alarms.begin();
    for (const Alarm& out : loaded)  // the stored form holds every field
        EXPECT_EQ(StoredAlarm::format(out, platform), StoredAlarm::format(*in++, platform));
    EXPECT_EQ(store.storedKeyCount(), 3);
}

TEST_F(AlarmStoreTest, BadFormatIsReportedAndTheAlarmKeepsDefaults)
{
    platform.clock = BASE + 999;
    load({"not an alarm,,,,,,wave,cmd,dir,msg", stored("fine"), "1998:03:15-07:30:00,4",
          "1998:03:15-07:30:00,-1,0,2, 0:00:00:00,0:00:00:00,,,,idle"});
    EXPECT_EQ(platform.messages, (Texts{"Bad Format!", "Bad Format!"}));
    ASSERT_EQ(alarms.size(), 4u);
    EXPECT_EQ(rows.rows.size(), 4u);
    const Alarm& bad = *alarms.begin();
    EXPECT_TRUE(bad.time == BASE + 999 && bad.repeatCount == -1 && bad.state == ALARM_STATE_IDLE &&
                bad.flags == ALARM_SHOW_MESSAGE && bad.message == "msg");
    EXPECT_EQ(std::next(alarms.begin())->state, ALARM_STATE_ARMED);  // the state is taken as stored
    const Alarm& partial = *std::next(alarms.begin(), 2);
    EXPECT_TRUE(partial.time == BASE && partial.repeatCount == 4 && partial.flags == ALARM_SHOW_MESSAGE);
    EXPECT_EQ(std::next(alarms.begin(), 3)->state, ALARM_STATE_IDLE);
    EXPECT_EQ(store.storedKeyCount(), 4);
}

TEST_F(AlarmStoreTest, FailedSaveIsReportedOnceAndKeepsTheCountUntilTheKeysAreGone)
{
    load({stored("0"), stored("1"), stored("2")});
    alarms.remove(&*alarms.begin());
    platform.failSettingWrites = true;
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.messages, (Texts{"I can't write"}));
    EXPECT_EQ(store.storedKeyCount(), 3);
    // The next save that reaches the file deletes the left-over key, so the
    // deleted alarm cannot come back at the next start.
    platform.failSettingWrites = false;
    store.saveAlarmList(alarms);
    EXPECT_EQ(keys(), (Texts{"0", "1"}));

    // Only deletions: the other message, once.
    alarms.clear();
    platform.messages.clear();
    platform.failSettingWrites = true;
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.messages, (Texts{"Can't Write"}));
    EXPECT_EQ(at("1"), stored("2"));
}
