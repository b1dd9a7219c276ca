#include <gtest/gtest.h>

#include <limits>
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
    // Stores the values under keys 0, 1, ... (an empty one leaves a gap) and loads them.
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
    EXPECT_TRUE(alarms.empty() && store.storedKeyCount() == 0);
    load({stored("zero"), stored("one"), "", stored("three")});
    EXPECT_EQ(messages(), (Texts{"zero", "one"}));
    EXPECT_EQ(store.storedKeyCount(), 2);
    EXPECT_EQ(rows.rows, (std::vector<Alarm*>{&*alarms.begin(), &*std::next(alarms.begin())}));
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
    add("watch", ALARM_STATE_WATCH);  // never stored, and no gap in the keys
    platform.calls.clear();
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.calls, (Texts{"writeSettings AlarmList 3"}));
    EXPECT_EQ(keys(), (Texts{"0", "1"}));
    EXPECT_EQ(at("0") + at("1"), stored("m1") + stored("m2"));
    EXPECT_EQ(store.storedKeyCount(), 2);
    // Emptied: the keys are deleted once, and the count follows the file.
    alarms.clear();
    platform.calls.clear();
    store.saveAlarmList(alarms);
    store.saveAlarmList(alarms);
    EXPECT_TRUE(keys().empty());
    EXPECT_EQ(store.storedKeyCount(), 0);
    EXPECT_EQ(platform.calls, (Texts{"writeSettings AlarmList 2"}));
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
}

TEST_F(AlarmStoreTest, BadFormatIsReportedOnceForTheListAndTheAlarmsKeepDefaults)
{
    platform.clock = BASE + 999;
    load({"not an alarm,,,,,,wave,cmd,dir,msg", stored("fine"), "1998:03:15-07:30:00,4"});
    EXPECT_EQ(platform.messages, (Texts{"Bad Format! 2 stored alarms could not be read in full."}));
    ASSERT_EQ(alarms.size(), 3u);
    EXPECT_EQ(rows.rows.size(), 3u);
    const Alarm& bad = *alarms.begin();
    EXPECT_TRUE(bad.time == BASE + 999 && bad.repeatCount == -1 && bad.state == ALARM_STATE_IDLE &&
                bad.flags == ALARM_SHOW_MESSAGE && bad.message == "msg");
    const Alarm& partial = *std::next(alarms.begin(), 2);
    EXPECT_TRUE(partial.time == BASE && partial.repeatCount == 4 && partial.flags == ALARM_SHOW_MESSAGE);
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

// A date after January 2038 or before 1970 has no instant: such an alarm is
// never due, and its line is stored as the user wrote it until it changes.
TEST_F(AlarmStoreTest, AlarmsDatedBeyondTheClockNeverRingAndKeepTheirLines)
{
    const Texts lines = {"2039:05:01-08:00:00,-1,1,6, 1:00:00:00,0:00:00:00,,,,late",
                         "1960:05:01-08:00:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,early", stored("now")};
    load(lines);
    for (const Alarm& alarm : alarms)
        for (const Timestamp now : {0, BASE + 1, std::numeric_limits<Timestamp>::max()})
            EXPECT_EQ(alarm.isDue(now), alarm.message == "now" && now > BASE) << alarm.message << ' ' << now;
    Alarm& late = *alarms.begin();
    late = Alarm(late);  // the editor's copy, confirmed unchanged
    alarms.remove(&*std::next(alarms.begin(), 2));
    store.saveAlarmList(alarms);
    EXPECT_EQ(at("0") + at("1"), lines[0] + lines[1]);
    late.message = "changed";
    store.saveAlarmList(alarms);
    EXPECT_EQ(at("0"), std::string(StoredAlarm::INVALID_TIME_TEXT) + ",-1,1,6, 1:00:00:00,0:00:00:00,,,,changed");
}
