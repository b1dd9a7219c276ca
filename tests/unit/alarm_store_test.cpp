#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "model/alarm_store.h"
#include "model/stored_alarm.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp BASE = 889943400;  // 1998-03-15 07:30:00 at UTC+1
using Texts = std::vector<std::string>;

std::string stored(const std::string& message)
{
    return "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,," + message;
}

class AlarmStoreTest : public ::testing::Test, public AlarmRowSink {
protected:
    void insertAlarmRow(Alarm& alarm) override { rows.push_back(alarm.message); }
    // Stores the values under keys 0, 1, ... (an empty one leaves a gap) and loads them, rows noted.
    void load(const Texts& values)
    {
        for (std::size_t key = 0; key < values.size(); ++key)
            if (!values[key].empty())
                platform.putSetting("AlarmList", std::to_string(key), values[key]);
        store.loadAlarmList(alarms, this);
    }
    std::string at(const std::string& key) { return platform.readSetting("AlarmList", key); }

    FakePlatform platform;
    AlarmStore store{platform};
    AlarmCollection alarms;
    Texts rows;
};

}  // namespace

TEST_F(AlarmStoreTest, LoadStopsAtAGapAndEverySaveRewritesTheListInOneWrite)
{
    load({stored("zero"), stored("one"), "", stored("three")});
    EXPECT_EQ(rows, (Texts{"zero", "one"}));
    alarms.remove(&*alarms.begin());
    alarms.append(std::make_unique<Alarm>(BASE)).state = ALARM_STATE_WATCH;  // never stored, leaves no gap
    alarms.append(std::make_unique<Alarm>(StoredAlarm::parse(stored("two")).toAlarm(platform, BASE)));
    platform.calls.clear();
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.settingsText(),
              "[AlarmList]\r\n0=" + stored("one") + "\r\n1=" + stored("two") + "\r\n3=" + stored("three") + "\r\n");
    // Emptied: the keys of the list are deleted once, the one after the gap stays, then nothing is written.
    alarms.clear();
    store.saveAlarmList(alarms);
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.settingsText(), "[AlarmList]\r\n3=" + stored("three") + "\r\n");
    EXPECT_EQ(platform.calls, (Texts{"writeSettings AlarmList 2", "writeSettings AlarmList 2"}));
}

TEST_F(AlarmStoreTest, BadFormatIsReportedOnceForTheListAndTheAlarmsKeepDefaults)
{
    platform.clock = BASE + 999;
    load({"not an alarm,,,,,,wave,cmd,dir,msg", stored("fine"), "1998:03:15-07:30:00,4"});
    EXPECT_EQ(platform.messages, (Texts{"Bad Format! 2 stored alarms could not be read in full."}));
    EXPECT_EQ(rows, (Texts{"msg", "fine", ""}));
    store.saveAlarmList(alarms);  // the defaults of a new alarm, and now for a missing date
    EXPECT_EQ(at("0") + '|' + at("2"),
              "1998:03:15-07:46:39,-1,0,2, 0:00:00:00,0:00:00:00,wave,cmd,dir,msg|"
              "1998:03:15-07:30:00,4,0,2, 0:00:00:00,0:00:00:00,,,,");
}

TEST_F(AlarmStoreTest, FailedSaveIsReportedOnceAndKeepsTheCountUntilTheKeysAreGone)
{
    load({stored("0"), stored("1"), stored("2")});
    alarms.remove(&*alarms.begin());
    platform.failSettingWrites = true;
    store.saveAlarmList(alarms);
    EXPECT_TRUE(platform.messages == Texts{"I can't write"} && store.storedKeyCount() == 3);
    // The next save that reaches the file deletes the left-over key: the deleted alarm cannot come back.
    platform.failSettingWrites = false;
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.settingsText(), "[AlarmList]\r\n0=" + stored("1") + "\r\n1=" + stored("2") + "\r\n");
    // Only deletions: the other message, once.
    alarms.clear();
    platform.failSettingWrites = true;
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.messages, (Texts{"I can't write", "Can't Write"}));
    EXPECT_EQ(at("1"), stored("2"));
}

// A date after January 2038 or before 1970 has no instant: such an alarm is never due, and its line is stored
// as the user wrote it until it changes.
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
