// The alarm list in the settings: the text of one alarm (StoredAlarm) and the
// list it is loaded from and saved to (AlarmStore).
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "model/alarm_store.h"
#include "model/stored_alarm.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp BASE = 889943400;  // 1998-03-15 07:30:00 at UTC+1
constexpr Timestamp NOW = 900000000;   // stands for an incomplete date
const std::string HEAD = "1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,";
const std::string WORKED_EXAMPLE = HEAD + "D:\\SOUNDS\\DING.WAV,notepad.exe notes.txt,D:\\WORK,Time for a break";
using Texts = std::vector<std::string>;

std::string stored(const std::string& message)
{
    return "1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,," + message;
}

// Time, count, state, flags, repeat and close-after spans, then the four texts.
std::string fieldsOf(const Alarm& a)
{
    return std::to_string(a.time) + ' ' + std::to_string(a.repeatCount) + ' ' + std::to_string(a.state) + ' ' +
        std::to_string(a.flags) + ' ' + std::to_string(a.repeatInterval) + ' ' + std::to_string(a.closeAfter) + '|' +
        a.waveFile + '|' + a.commandLine + '|' + a.workingFolder + '|' + a.message;
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
    Alarm read(const std::string& value) { return StoredAlarm::parse(value).toAlarm(platform, NOW); }
    std::string write(const Alarm& alarm) { return StoredAlarm::format(alarm, platform); }

    FakePlatform platform;
    AlarmStore store{platform, platform};
    AlarmCollection alarms;
    Texts rows;
};

}  // namespace

// Numbers not read keep the defaults of a new alarm, spans the parts read, an incomplete date stands for
// now; the texts start after the sixth comma.
TEST_F(AlarmStoreTest, ValuesReadAsTheLoaderReadsThem)
{
    const struct {
        std::string value, fields;
    } rows[] = {
        // clang-format off
        {WORKED_EXAMPLE, "889943400 -1 1 39 86400 600|D:\\SOUNDS\\DING.WAV|notepad.exe notes.txt|D:\\WORK|Time for a break"},
        {"  1998:03:15 - 07:30:00 , -1 , 1 , 39 ,  1:00:00:00 , 0:00:10:00,w,c,f,m", "889943400 -1 1 39 86400 600|w|c|f|m"},
        {"1998:03:15-07:30:00,5,1,x, 1:00:00:00,0:00:10:00,w,c,f,m", "889943400 5 1 2 0 0|w|c|f|m"},
        {"1998:03:15-07:30:00,5,1,39, 2:03", "889943400 5 1 39 183600 0||||"},
        {"garbage", "900000000 -1 0 2 0 0||||"}, {"1998:03:15-07:30", "900000000 -1 0 2 0 0||||"},
        {",,,,,,only", "900000000 -1 0 2 0 0|only|||"}, {"a,b,c,d,e,only,x", "900000000 -1 0 2 0 0|x|||"},
        {HEAD + "a.wav,run x,y,D:\\W,msg", "889943400 -1 1 39 86400 600|a.wav|run x|y|D:\\W"},  // a plain comma shifts
        {HEAD + "a%2cb%2Cc%25d%25,100%,%2,50 %2c", "889943400 -1 1 39 86400 600|a,b,c%d%|100%|%2|50 ,"},
        {HEAD + std::string(90, 'w') + ",c,f," + std::string(400, 'm'),
         "889943400 -1 1 39 86400 600|" + std::string(79, 'w') + "|c|f|" + std::string(255, 'm')}};
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(fieldsOf(read(row.value)), row.fields) << row.value;
}

// Spans: days plain, the rest two digits each; "%2C" for a comma, "%25" for a '%' before "2C" or "25"; texts
// cut to the reader's limits; the longest value fits the reader; the invalid instant is a date before 1970.
TEST_F(AlarmStoreTest, WrittenValuesReadBackEqual)
{
    EXPECT_EQ(write(read(WORKED_EXAMPLE)), WORKED_EXAMPLE);
    const std::string odd = "1998:03:15-07:30:00,-7,0,32767, 45:01:02:03,0:-1:-30:-30,C:\\a%2Cb.wav,copy a%2Cb 100%,,"
                            "50%252C and %2525%2C %%252C %2525% stay";
    Alarm alarm = read(odd);
    EXPECT_EQ(fieldsOf(alarm),
              "889943400 -7 0 32767 3891723 -5430|C:\\a,b.wav|copy a,b 100%||50%2C and %25, %%2C %25% stay");
    EXPECT_EQ(write(alarm), odd);
    alarm.waveFile = std::string(100, ',');
    alarm.commandLine = std::string("two\r\nlines\0", 11);
    alarm.workingFolder = std::string(254, 'f') + ",,";
    alarm.message = std::string(300, 'm');
    EXPECT_EQ(fieldsOf(read(write(alarm))),
              "889943400 -7 0 32767 3891723 -5430|" + std::string(79, ',') + "|two  lines |" + std::string(254, 'f') +
                  ",|" + std::string(255, 'm'));
    Alarm longest(std::numeric_limits<Timestamp>::max());
    longest.repeatCount = longest.state = std::numeric_limits<std::int32_t>::min();
    longest.flags = 0x80000000u;
    longest.repeatInterval = longest.closeAfter = std::numeric_limits<Duration>::min();
    longest.waveFile = std::string(200, ',');
    longest.commandLine = longest.workingFolder = longest.message = std::string(300, ',');
    EXPECT_TRUE(write(longest).size() <= 4095u && write(read(write(longest))) == write(longest));
    const std::string invalid = write(Alarm(INVALID_TIME));
    EXPECT_TRUE(invalid.rfind(StoredAlarm::INVALID_TIME_TEXT, 0) == 0 && StoredAlarm::parse(invalid).complete() &&
                read(invalid).time == INVALID_TIME)
        << invalid;
}

// The list is read in batches of keys: a gap on either side of a batch's end stops it there; at the key limit, one
// key more is stored than is read.
TEST(AlarmStoreLoad, ReadsEveryKeyUpToTheFirstGapOrTheKeyLimit)
{
    for (int gap : {1023, 1024, 1025, 2048, AlarmStore::KEY_LIMIT}) {
        FakePlatform platform;
        std::string file = "[AlarmList]\r\n";
        for (int key = 0; key <= std::min(gap + 1, AlarmStore::KEY_LIMIT); ++key)
            file += key == gap && gap < AlarmStore::KEY_LIMIT ? "" : std::to_string(key) + '=' + stored("") + "\r\n";
        platform.settings = ProfileDocument(file);
        AlarmStore store(platform, platform);
        AlarmCollection alarms;
        store.loadAlarmList(alarms, nullptr);
        EXPECT_TRUE(static_cast<int>(alarms.size()) == gap && store.storedKeyCount() == gap) << gap;
    }
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

// Loading stops at a gap. A save rewrites the shown alarms from key 0 in one write (a watch entry is never stored)
// and deletes the keys left over, a key after the gap stays; a failed save is told once, "Can't Write" when it only
// deletes, and keeps the count until a save reaches the file: a deleted alarm cannot come back.
TEST_F(AlarmStoreTest, LoadStopsAtAGapAndSavesRewriteTheListOnceAFailedOneKeepsTheCount)
{
    load({stored("zero"), stored("one"), stored("two"), "", stored("four")});
    EXPECT_EQ(rows, (Texts{"zero", "one", "two"}));
    alarms.remove(&*alarms.begin());
    alarms.append(std::make_unique<Alarm>(BASE)).state = ALARM_STATE_WATCH;
    platform.failSettingWrites = true;
    store.saveAlarmList(alarms);
    EXPECT_TRUE(platform.messages == Texts{"I can't write"} && store.storedKeyCount() == 3);
    platform.failSettingWrites = false;
    platform.calls.clear();
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.settingsText(),
              "[AlarmList]\r\n0=" + stored("one") + "\r\n1=" + stored("two") + "\r\n4=" + stored("four") + "\r\n");
    alarms.clear();
    platform.failSettingWrites = true;
    store.saveAlarmList(alarms);
    platform.failSettingWrites = false;
    store.saveAlarmList(alarms);
    store.saveAlarmList(alarms);
    EXPECT_EQ(platform.messages, (Texts{"I can't write", "Can't Write"}));
    EXPECT_EQ(platform.settingsText(), "[AlarmList]\r\n4=" + stored("four") + "\r\n");
    EXPECT_EQ(platform.calls,
              (Texts{"writeSettings AlarmList 3", "writeSettings AlarmList 2", "writeSettings AlarmList 2"}));
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
