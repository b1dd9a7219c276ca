#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "model/stored_alarm.h"
#include "support/fake_platform.h"

namespace {

const std::string HEAD = "1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,";
const std::string WORKED_EXAMPLE = HEAD + "D:\\SOUNDS\\DING.WAV,notepad.exe notes.txt,D:\\WORK,Time for a break";
constexpr Timestamp EXAMPLE_TIME = 889943400;  // 1998-03-15 07:30:00 at UTC+1
constexpr Timestamp NOW = 900000000;

class StoredAlarmTest : public ::testing::Test {
protected:
    Alarm read(const std::string& value) { return StoredAlarm::parse(value).toAlarm(platform, NOW); }
    std::string write(const Alarm& alarm) { return StoredAlarm::format(alarm, platform); }
    Alarm roundTrip(const Alarm& alarm) { return read(write(alarm)); }

    FakePlatform platform;
};

}  // namespace

TEST_F(StoredAlarmTest, WorkedExampleReadsAndRoundTripsByteForByte)
{
    EXPECT_TRUE(StoredAlarm::parse(WORKED_EXAMPLE).complete());
    const Alarm alarm = read(WORKED_EXAMPLE);
    EXPECT_EQ(alarm.time, EXAMPLE_TIME);
    EXPECT_EQ(alarm.repeatCount, -1);
    EXPECT_EQ(alarm.state, ALARM_STATE_ARMED);
    EXPECT_EQ(alarm.flags, ALARM_PLAY_WAVE | ALARM_SHOW_MESSAGE | ALARM_REPEAT | ALARM_EXECUTE);
    EXPECT_EQ(alarm.repeatInterval, 86400);
    EXPECT_EQ(alarm.closeAfter, 600);
    EXPECT_EQ(alarm.waveFile, "D:\\SOUNDS\\DING.WAV");
    EXPECT_EQ(alarm.commandLine, "notepad.exe notes.txt");
    EXPECT_EQ(alarm.workingFolder, "D:\\WORK");
    EXPECT_EQ(alarm.message, "Time for a break");
    EXPECT_EQ(write(alarm), WORKED_EXAMPLE);

    // Blanks around the numeric separators are accepted.
    const Alarm blanks = read("  1998:03:15 - 07:30:00 , -1 , 1 , 39 ,  1:00:00:00 , 0:00:10:00,w,c,f,m");
    EXPECT_TRUE(blanks.time == EXAMPLE_TIME && blanks.flags == 39u && blanks.repeatInterval == 86400 &&
                blanks.closeAfter == 600 && blanks.waveFile == "w" && blanks.message == "m");
}

TEST_F(StoredAlarmTest, SpansHaveUnpaddedDaysAndTwoDigitPartsAndComeBack)
{
    Alarm alarm(EXAMPLE_TIME);
    alarm.closeAfter = 90061;
    EXPECT_EQ(write(alarm), "1998:03:15-07:30:00,-1,0,2, 0:00:00:00,1:01:01:01,,,,");

    alarm.repeatInterval = 45 * 86400 + 3723;
    alarm.closeAfter = -5430;
    alarm.repeatCount = -7;
    alarm.flags = 0x7fff;
    const std::string value = write(alarm);
    EXPECT_NE(value.find(" 45:01:02:03,0:-1:-30:-30,"), std::string::npos) << value;
    const Alarm back = read(value);
    EXPECT_TRUE(back.repeatInterval == alarm.repeatInterval && back.closeAfter == -5430 && back.repeatCount == -7 &&
                back.flags == 0x7fffu);
}

TEST_F(StoredAlarmTest, NumbersNotReadTakeTheDefaultsOfANewAlarm)
{
    // The scan stops at the flags: count and state were read.
    const StoredAlarm partial = StoredAlarm::parse("1998:03:15-07:30:00,5,1,x, 1:00:00:00,0:00:10:00,w,c,f,m");
    EXPECT_FALSE(partial.complete());
    EXPECT_EQ(partial.numbersRead(), 8);
    const Alarm alarm = partial.toAlarm(platform, NOW);
    EXPECT_TRUE(alarm.time == EXAMPLE_TIME && alarm.repeatCount == 5 && alarm.state == ALARM_STATE_ARMED);
    EXPECT_TRUE(alarm.flags == ALARM_SHOW_MESSAGE && alarm.repeatInterval == 0 && alarm.closeAfter == 0);
    EXPECT_EQ(alarm.message, "m");
    // A span cut short keeps the parts it has.
    EXPECT_EQ(read("1998:03:15-07:30:00,5,1,39, 2:03").repeatInterval, 2 * 86400 + 3 * 3600);

    // An incomplete date or time stands for now, as a new alarm.
    EXPECT_FALSE(StoredAlarm::parse("garbage").hasDateTime());
    const Alarm none = read("garbage");
    EXPECT_TRUE(none.time == NOW && none.repeatCount == -1 && none.state == ALARM_STATE_IDLE &&
                none.flags == ALARM_SHOW_MESSAGE && none.waveFile.empty() && none.message.empty());
    EXPECT_EQ(read("1998:03:15-07:30").time, NOW);

    // Few commas: the missing texts are empty.
    for (const std::string value : {"", ",", "1998:03:15-07:30:00,-1,1,39", "a,b,c,d,e,", "a,b,c,d,e,f,only"}) {
        const Alarm a = read(value);
        EXPECT_TRUE(a.commandLine.empty() && a.message.empty()) << value;
        EXPECT_EQ(a.waveFile, value == "a,b,c,d,e,f,only" ? "only" : "") << value;
    }
}

TEST_F(StoredAlarmTest, CommasAreEscapedAndPlainLinesReadAsBefore)
{
    Alarm alarm(EXAMPLE_TIME);
    alarm.waveFile = "C:\\a,b.wav";
    alarm.commandLine = "copy a,b c";
    alarm.workingFolder = "D:\\x,y";
    alarm.message = "Hello, world, 100% done, 50%2C and %25 stay";
    const std::string value = write(alarm);
    EXPECT_NE(value.find(",C:\\a%2Cb.wav,copy a%2Cb c,D:\\x%2Cy,Hello%2C world%2C 100% done%2C 50%252C and %2525 stay"),
              std::string::npos)
        << value;
    const Alarm back = read(value);
    EXPECT_TRUE(back.waveFile == alarm.waveFile && back.commandLine == alarm.commandLine &&
                back.workingFolder == alarm.workingFolder && back.message == alarm.message);

    EXPECT_EQ(StoredAlarm::unescapeText("a%2cb%2Cc%25d%25", 255), "a,b,c%d%");                 // either case
    for (const std::string text : {"%", "100%", "%2", "%%", "%2D", "%%2C", "%25%", "50 %2c"})  // stray '%' kept
        EXPECT_EQ(StoredAlarm::unescapeText(StoredAlarm::escapeText(text, 255), 255), text) << text;
    EXPECT_EQ(StoredAlarm::escapeText("100% sure", 255), "100% sure");
    EXPECT_EQ(StoredAlarm::escapeText(std::string("two\r\nlines\0", 11), 255), "two  lines ");

    // Written without the escape, the comma shifts the texts and cuts the message.
    const Alarm plain = read(HEAD + "a.wav,run x,y,D:\\W,msg");
    EXPECT_TRUE(plain.waveFile == "a.wav" && plain.commandLine == "run x" && plain.workingFolder == "y" &&
                plain.message == "D:\\W");
}

TEST_F(StoredAlarmTest, TextsAreHeldToTheReaderLimits)
{
    Alarm alarm(EXAMPLE_TIME);
    alarm.waveFile = std::string(100, 'w');
    alarm.commandLine = std::string(300, 'c');
    alarm.workingFolder = std::string(254, 'f') + ",,";
    alarm.message = std::string(300, ',');
    const Alarm back = roundTrip(alarm);
    EXPECT_EQ(back.waveFile, std::string(79, 'w'));
    EXPECT_EQ(back.commandLine, std::string(255, 'c'));
    EXPECT_EQ(back.workingFolder, std::string(254, 'f') + ",");
    EXPECT_EQ(back.message, std::string(255, ','));

    // Longer texts in a line written by hand are cut when read.
    const Alarm cut = read(HEAD + std::string(90, 'w') + ",c,f," + std::string(400, 'm'));
    EXPECT_EQ(cut.waveFile.size(), 79u);
    EXPECT_EQ(cut.message, std::string(255, 'm'));
    EXPECT_EQ(StoredAlarm::unescapeText(std::string(100, 'x') + "%2C", 100), std::string(100, 'x'));

    // The longest value fits what the settings reader gives.
    Alarm longest(std::numeric_limits<Timestamp>::max());
    longest.repeatCount = longest.state = std::numeric_limits<std::int32_t>::min();
    longest.flags = 0x80000000u;
    longest.repeatInterval = longest.closeAfter = std::numeric_limits<Duration>::min();
    longest.waveFile = std::string(200, ',');
    longest.commandLine = longest.workingFolder = longest.message = std::string(300, ',');
    EXPECT_LE(write(longest).size(), 4095u);
    const Alarm big = roundTrip(longest);
    EXPECT_TRUE(big.time == longest.time && big.repeatCount == longest.repeatCount && big.flags == longest.flags &&
                big.repeatInterval == longest.repeatInterval);
}

TEST_F(StoredAlarmTest, InvalidInstantIsStoredAsADateBefore1970AndReadBack)
{
    Alarm alarm(INVALID_TIME);
    alarm.message = "m";
    const std::string value = write(alarm);
    EXPECT_EQ(value.rfind(StoredAlarm::INVALID_TIME_TEXT, 0), 0u) << value;
    EXPECT_TRUE(StoredAlarm::parse(value).complete());
    const Alarm back = read(value);
    EXPECT_EQ(back.time, INVALID_TIME);
    EXPECT_EQ(back.message, "m");
    EXPECT_EQ(write(back), value);
}
