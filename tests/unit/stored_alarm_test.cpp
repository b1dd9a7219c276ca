#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "model/stored_alarm.h"
#include "support/fake_platform.h"

namespace {

const std::string WORKED_EXAMPLE =
    "1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,D:\\SOUNDS\\DING.WAV,notepad.exe notes.txt,D:\\WORK,"
    "Time for a break";

constexpr Timestamp EXAMPLE_TIME = 889943400;  // 1998-03-15 07:30:00 at UTC+1
constexpr Timestamp NOW = 900000000;

Alarm read(FakePlatform& platform, const std::string& value)
{
    return StoredAlarm::parse(value).toAlarm(platform, NOW);
}

}  // namespace

TEST(StoredAlarmTest, WorkedExampleReadsAndRoundTripsByteForByte)
{
    FakePlatform platform;
    const StoredAlarm stored = StoredAlarm::parse(WORKED_EXAMPLE);
    EXPECT_TRUE(stored.complete());
    const Alarm alarm = stored.toAlarm(platform, NOW);
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

    EXPECT_EQ(StoredAlarm::format(alarm, platform), WORKED_EXAMPLE);
}

TEST(StoredAlarmTest, SpansHaveUnpaddedDaysAndTwoDigitParts)
{
    FakePlatform platform;
    Alarm alarm(EXAMPLE_TIME);
    alarm.repeatInterval = 0;
    alarm.closeAfter = 90061;
    EXPECT_EQ(StoredAlarm::format(alarm, platform), "1998:03:15-07:30:00,-1,0,2, 0:00:00:00,1:01:01:01,,,,");

    // Several days, negative counts and negative spans come back unchanged.
    alarm.repeatInterval = 45 * 86400 + 3723;
    alarm.closeAfter = -5430;
    alarm.repeatCount = -7;
    alarm.flags = 0x7fff;
    const std::string value = StoredAlarm::format(alarm, platform);
    EXPECT_NE(value.find(" 45:01:02:03,0:-1:-30:-30,"), std::string::npos) << value;
    const Alarm back = read(platform, value);
    EXPECT_EQ(back.repeatInterval, alarm.repeatInterval);
    EXPECT_EQ(back.closeAfter, alarm.closeAfter);
    EXPECT_EQ(back.repeatCount, -7);
    EXPECT_EQ(back.flags, 0x7fffu);
}

TEST(StoredAlarmTest, BlanksAroundTheNumericSeparatorsAreAccepted)
{
    FakePlatform platform;
    const StoredAlarm stored =
        StoredAlarm::parse("  1998:03:15 - 07:30:00 , -1 , 1 , 39 ,  1:00:00:00 , 0:00:10:00,w,c,f,m");
    EXPECT_TRUE(stored.complete());
    const Alarm alarm = stored.toAlarm(platform, NOW);
    EXPECT_EQ(alarm.time, EXAMPLE_TIME);
    EXPECT_EQ(alarm.flags, 39u);
    EXPECT_EQ(alarm.repeatInterval, 86400);
    EXPECT_EQ(alarm.closeAfter, 600);
    EXPECT_EQ(alarm.waveFile, "w");
    EXPECT_EQ(alarm.message, "m");
}

TEST(StoredAlarmTest, NumbersNotReadTakeTheDefaultsOfANewAlarm)
{
    FakePlatform platform;
    // The scan stops at the flags: count and state were read.
    const StoredAlarm partial = StoredAlarm::parse("1998:03:15-07:30:00,5,1,x, 1:00:00:00,0:00:10:00,w,c,f,m");
    EXPECT_FALSE(partial.complete());
    EXPECT_EQ(partial.numbersRead(), 8);
    Alarm alarm = partial.toAlarm(platform, NOW);
    EXPECT_EQ(alarm.time, EXAMPLE_TIME);
    EXPECT_EQ(alarm.repeatCount, 5);
    EXPECT_EQ(alarm.state, ALARM_STATE_ARMED);
    EXPECT_EQ(alarm.flags, ALARM_SHOW_MESSAGE);
    EXPECT_EQ(alarm.repeatInterval, 0);
    EXPECT_EQ(alarm.closeAfter, 0);
    EXPECT_EQ(alarm.message, "m");

    // A span cut short keeps the parts it has.
    alarm = read(platform, "1998:03:15-07:30:00,5,1,39, 2:03");
    EXPECT_EQ(alarm.repeatInterval, 2 * 86400 + 3 * 3600);

    // An incomplete date or time stands for the given time, as a new alarm.
    const StoredAlarm noDate = StoredAlarm::parse("garbage");
    EXPECT_FALSE(noDate.hasDateTime());
    alarm = noDate.toAlarm(platform, NOW);
    EXPECT_EQ(alarm.time, NOW);
    EXPECT_EQ(alarm.repeatCount, -1);
    EXPECT_EQ(alarm.state, ALARM_STATE_IDLE);
    EXPECT_EQ(alarm.flags, ALARM_SHOW_MESSAGE);
    EXPECT_TRUE(alarm.waveFile.empty() && alarm.message.empty());
    EXPECT_EQ(read(platform, "1998:03:15-07:30").time, NOW);
}

TEST(StoredAlarmTest, ValueWithFewCommasHasEmptyTexts)
{
    FakePlatform platform;
    for (const std::string value : {"", ",", "1998:03:15-07:30:00,-1,1,39", "a,b,c,d,e,", "a,b,c,d,e,f,only"}) {
        const Alarm alarm = read(platform, value);
        EXPECT_TRUE(alarm.commandLine.empty()) << value;
        EXPECT_TRUE(alarm.message.empty()) << value;
        EXPECT_EQ(alarm.waveFile, value == "a,b,c,d,e,f,only" ? "only" : "") << value;
    }
}

TEST(StoredAlarmTest, CommasInTextsSurviveAndPlainTextsStayAsTheyAre)
{
    FakePlatform platform;
    Alarm alarm(EXAMPLE_TIME);
    alarm.waveFile = "C:\\a,b.wav";
    alarm.commandLine = "copy a,b c";
    alarm.workingFolder = "D:\\x,y";
    alarm.message = "Hello, world, 100% done, 50%2C and %25 stay";
    const std::string value = StoredAlarm::format(alarm, platform);
    EXPECT_NE(value.find(",C:\\a%2Cb.wav,copy a%2Cb c,D:\\x%2Cy,Hello%2C world%2C 100% done%2C 50%252C and %2525 stay"),
              std::string::npos)
        << value;
    const Alarm back = read(platform, value);
    EXPECT_EQ(back.waveFile, alarm.waveFile);
    EXPECT_EQ(back.commandLine, alarm.commandLine);
    EXPECT_EQ(back.workingFolder, alarm.workingFolder);
    EXPECT_EQ(back.message, alarm.message);

    // Either case of the codes is decoded.
    EXPECT_EQ(StoredAlarm::unescapeText("a%2cb%2Cc%25d%25", 255), "a,b,c%d%");
    // A '%' not followed by a code is kept, at the end too.
    for (const std::string text : {"%", "100%", "%2", "%%", "%2D", "%%2C", "%25%", "50 %2c"})
        EXPECT_EQ(StoredAlarm::unescapeText(StoredAlarm::escapeText(text, 255), 255), text) << text;
    EXPECT_EQ(StoredAlarm::escapeText("100% sure", 255), "100% sure");
    // A line cannot hold a line break: it is written as a blank.
    EXPECT_EQ(StoredAlarm::escapeText(std::string("two\r\nlines\0", 11), 255), "two  lines ");
}

TEST(StoredAlarmTest, PlainLineWithCommasReadsAsThePlainReaderDoes)
{
    FakePlatform platform;
    // Written without the escape, the comma shifts the texts and cuts the
    // message; the reader takes the line exactly as the plain one did.
    const Alarm alarm = read(platform, "1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,a.wav,run x,y,D:\\W,msg");
    EXPECT_EQ(alarm.waveFile, "a.wav");
    EXPECT_EQ(alarm.commandLine, "run x");
    EXPECT_EQ(alarm.workingFolder, "y");
    EXPECT_EQ(alarm.message, "D:\\W");
}

TEST(StoredAlarmTest, TextsAreHeldToTheReaderLimits)
{
    FakePlatform platform;
    Alarm alarm(EXAMPLE_TIME);
    alarm.waveFile = std::string(100, 'w');
    alarm.commandLine = std::string(300, 'c');
    alarm.workingFolder = std::string(254, 'f') + ",,";
    alarm.message = std::string(300, ',');
    const Alarm back = read(platform, StoredAlarm::format(alarm, platform));
    EXPECT_EQ(back.waveFile, std::string(WAVE_FILE_LIMIT, 'w'));
    EXPECT_EQ(back.commandLine, std::string(TEXT_LIMIT, 'c'));
    EXPECT_EQ(back.workingFolder, std::string(254, 'f') + ",");
    EXPECT_EQ(back.message, std::string(TEXT_LIMIT, ','));

    // Longer texts in a line written by hand are cut when read.
    const Alarm cut =
        read(platform, "1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00," + std::string(90, 'w') + ",c,f," +
                           std::string(400, 'm'));
    EXPECT_EQ(cut.waveFile.size(), WAVE_FILE_LIMIT);
    EXPECT_EQ(cut.message, std::string(TEXT_LIMIT, 'm'));
    EXPECT_EQ(StoredAlarm::unescapeText(std::string(100, 'x') + "%2C", 100), std::string(100, 'x'));
}

TEST(StoredAlarmTest, LongestValueFitsWhatTheSettingsReaderGives)
{
    FakePlatform platform;
    Alarm alarm(std::numeric_limits<Timestamp>::max());
    alarm.repeatCount = std::numeric_limits<std::int32_t>::min();
    alarm.state = std::numeric_limits<std::int32_t>::min();
    alarm.flags = 0x80000000u;
    alarm.repeatInterval = std::numeric_limits<Duration>::min();
    alarm.closeAfter = std::numeric_limits<Duration>::min();
    alarm.waveFile = std::string(200, ',');
    alarm.commandLine = std::string(300, ',');
    alarm.workingFolder = std::string(300, ',');
    alarm.message = std::string(300, ',');
    const std::string value = StoredAlarm::format(alarm, platform);
    EXPECT_LE(value.size(), 4095u);
    const Alarm back = read(platform, value);
    EXPECT_EQ(back.time, alarm.time);
    EXPECT_EQ(back.repeatCount, alarm.repeatCount);
    EXPECT_EQ(back.flags, alarm.flags);
    EXPECT_EQ(back.repeatInterval, alarm.repeatInterval);
    EXPECT_EQ(back.message, std::string(TEXT_LIMIT, ','));
}

TEST(StoredAlarmTest, InvalidInstantIsStoredAsADateBefore1970AndReadBack)
{
    FakePlatform platform;
    Alarm alarm(INVALID_TIME);
    alarm.message = "m";
    const std::string value = StoredAlarm::format(alarm, platform);
    EXPECT_EQ(value.rfind(StoredAlarm::INVALID_TIME_TEXT, 0), 0u) << value;
    const StoredAlarm stored = StoredAlarm::parse(value);
    EXPECT_TRUE(stored.complete());
    const Alarm back = stored.toAlarm(platform, NOW);
    EXPECT_EQ(back.time, INVALID_TIME);
    EXPECT_EQ(back.message, "m");
    // Written again, the line is the same.
    EXPECT_EQ(StoredAlarm::format(back, platform), value);
}
