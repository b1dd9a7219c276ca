#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scheduler/announcer.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
const char* const START = "C:\\Alarms";

Timestamp at(int hours, int minutes)
{
    return MIDNIGHT + hours * 3600 + minutes * 60;
}

std::vector<unsigned char> bytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

class AnnouncerTest : public ::testing::Test {
protected:
    AnnouncerTest() { state.startFolder = START; }

    // Every file the default entries of a theme name, each holding its own
    // name so that the played block tells which file it was.
    void installWaveFiles(const std::string& theme)
    {
        announcer.writeDefaultSpeakEntries(theme);
        for (const auto& section : platform.settings)
            for (const auto& entry : section.second) {
                const std::string& value = entry.second;
                const std::string file = value.substr(value.find('.') + 1);
                platform.files[START + file] = bytesOf(file.substr(file.rfind('\\') + 1));
            }
        platform.calls.clear();
        platform.settingFileWrites = 0;
    }

    // The pieces played, in order.
    std::vector<std::string> played() const
    {
        std::vector<std::string> pieces;
        for (const auto& call : platform.calls)
            if (call.rfind("playSoundMemory ", 0) == 0)
                pieces.push_back(call.substr(16));
        return pieces;
    }

    std::vector<std::string> announceAt(Timestamp time)
    {
        platform.calls.clear();
        state.tickTime = time;
        announcer.announceTime();
        return played();
    }

    FakePlatform platform;
    SchedulerState state;
    Announcer announcer{platform, state};
};

using Pieces = std::vector<std::string>;

}  // namespace

TEST(AnnouncerKeysTest, NumberKeysOfHoursAndMinutes)
{
    EXPECT_EQ(Announcer::speakKeyForHour(0), "0");
    EXPECT_EQ(Announcer::speakKeyForHour(1), "1h");
    EXPECT_EQ(Announcer::speakKeyForHour(2), "2h");
    EXPECT_EQ(Announcer::speakKeyForHour(3), "3");
    EXPECT_EQ(Announcer::speakKeyForHour(20), "20");
    EXPECT_EQ(Announcer::speakKeyForHour(21), "21h");
    EXPECT_EQ(Announcer::speakKeyForHour(23), "23h");
    EXPECT_EQ(Announcer::speakKeyForMinute(0), "0");
    EXPECT_EQ(Announcer::speakKeyForMinute(1), "1m");
    EXPECT_EQ(Announcer::speakKeyForMinute(2), "2m");
    EXPECT_EQ(Announcer::speakKeyForMinute(19), "19");
    EXPECT_EQ(Announcer::speakKeyForMinute(20), "20");
    EXPECT_EQ(Announcer::speakKeyForMinute(30), "30m");
    EXPECT_EQ(Announcer::speakKeyForMinute(50), "50m");
}

TEST_F(AnnouncerTest, DefaultEntriesAreWrittenInOneGo)
{
    announcer.writeDefaultSpeakEntries("Alt");
    EXPECT_EQ(platform.settingFileWrites, 1);
    ASSERT_EQ(platform.settings.size(), 1u);
    const FakePlatform::Section& speak = platform.settings[0].second;
    ASSERT_EQ(speak.size(), 35u);
    EXPECT_EQ(speak[0], (std::pair<std::string, std::string>("Hour", ".\\speak\\Alt\\hour.wav")));
    EXPECT_EQ(speak[5], (std::pair<std::string, std::string>("Minute2", ".\\speak\\Alt\\minute2.wav")));
    EXPECT_EQ(speak[6], (std::pair<std::string, std::string>("0", "0,.\\speak\\Alt\\0.wav")));
    EXPECT_EQ(speak[7], (std::pair<std::string, std::string>("1h", "0,.\\speak\\Alt\\1h.wav")));
    EXPECT_EQ(speak[8], (std::pair<std::string, std::string>("1m", "0,.\\speak\\Alt\\1m.wav")));
    EXPECT_EQ(speak[11], (std::pair<std::string, std::string>("3", "0,.\\speak\\Alt\\3.wav")));
    EXPECT_EQ(speak[29], (std::pair<std::string, std::string>("21h", "0,.\\speak\\Alt\\21h.wav")));
    EXPECT_EQ(speak[30], (std::pair<std::string, std::string>("30m", "0,.\\speak\\Alt\\30m.wav")));
    EXPECT_EQ(speak[34], (std::pair<std::string, std::string>("50m", "0,.\\speak\\Alt\\50m.wav")));
}

TEST_F(AnnouncerTest, EmptySpeakWritesDefaultsAndPlaysNothingThenSpeaks)
{
    state.currentTheme = "Default";
    EXPECT_TRUE(announceAt(at(21, 35)).empty());
    EXPECT_EQ(platform.settingFileWrites, 1);

    for (const char* file : {"21h.wav", "hour.wav", "30m.wav", "5.wav", "minute.wav"})
        platform.files[std::string(START) + "\\speak\\Default\\" + file] = bytesOf(file);
    EXPECT_EQ(announceAt(at(21, 35)), (Pieces{"21h.wav", "hour.wav", "30m.wav", "5.wav", "minute.wav"}));
    // Every piece is read before the first one plays.
    std::vector<std::string> reads;
    for (const auto& call : platform.calls) {
        if (call.rfind("playSoundMemory", 0) == 0)
            break;
        if (call.rfind("readWholeFile", 0) == 0)
            reads.push_back(call);
    }
    EXPECT_EQ(reads.size(), 5u);
    EXPECT_EQ(reads.front(), "readWholeFile C:\\Alarms\\speak\\Default\\21h.wav");
}

TEST_F(AnnouncerTest, PiecesOfTheHourAndMinute)
{
    installWaveFiles("Default");
    EXPECT_EQ(announceAt(at(0, 0)), (Pieces{"0.wav", "hour.wav", "0.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(1, 1)), (Pieces{"1h.wav", "hour.wav", "1m.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(2, 15)), (Pieces{"2h.wav", "hour.wav", "15.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(13, 20)), (Pieces{"13.wav", "hour.wav", "20.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(21, 35)), (Pieces{"21h.wav", "hour.wav", "30m.wav", "5.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(23, 42)), (Pieces{"23h.wav", "hour.wav", "40m.wav", "2m.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(20, 19)), (Pieces{"20.wav", "hour.wav", "19.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(10, 30)), (Pieces{"10.wav", "hour.wav", "30m.wav", "minute.wav"}));
    EXPECT_EQ(announceAt(at(10, 21)), (Pieces{"10.wav", "hour.wav", "20.wav", "1m.wav", "minute.wav"}));
    EXPECT_EQ(platform.settingFileWrites, 0);
}

TEST_F(AnnouncerTest, FormNumberChoosesTheWord)
{
    installWaveFiles("Default");
    platform.putSetting("Speak", "1m", "2,.\\speak\\Default\\1m.wav");
    platform.putSetting("Speak", "20", "1,.\\speak\\Default\\20.wav");
    // The word after the minutes agrees with the last number spoken.
    EXPECT_EQ(announceAt(at(10, 21)), (Pieces{"10.wav", "hour.wav", "20.wav", "1m.wav", "minute2.wav"}));
    EXPECT_EQ(announceAt(at(10, 20)), (Pieces{"10.wav", "hour.wav", "20.wav", "minutes.wav"}));
    // Hour 20 shares the "20" entry and its form.
    EXPECT_EQ(announceAt(at(20, 0)), (Pieces{"20.wav", "hours.wav", "0.wav", "minute.wav"}));

    platform.putSetting("Speak", "5", " 5 , .\\speak\\Default\\5.wav");
    EXPECT_EQ(announceAt(at(5, 5)), (Pieces{"5.wav", "hours.wav", "5.wav", "minute.wav"}));
}

TEST_F(AnnouncerTest, WavesArePlayedFromTheStartFolder)
{
    installWaveFiles("Default");
    platform.putSetting("Speak", "3", "0,.\\speak\\X\\3.wav");
    platform.files["C:\\Alarms\\speak\\X\\3.wav"] = bytesOf("x3");
    platform.folder = "D:\\Elsewhere";
    EXPECT_EQ(announceAt(at(3, 3)), (Pieces{"x3", "hour.wav", "x3", "minute.wav"}));
}

TEST_F(AnnouncerTest, UnreadablePieceIsNotHeardAndTheOthersPlay)
{
    installWaveFiles("Default");
    platform.files.erase("C:\\Alarms\\speak\\Default\\hour.wav");
    EXPECT_EQ(announceAt(at(4, 7)), (Pieces{"4.wav", "7.wav", "minute.wav"}));
    EXPECT_EQ(platform.settingFileWrites, 0);
}

TEST_F(AnnouncerTest, MissingWordEntryWritesDefaultsAndPlaysNothing)
{
    installWaveFiles("Default");
    state.currentTheme = "Other";
    platform.putSetting("Speak", "4", "1,.\\speak\\Default\\4.wav");
    platform.putSetting("Speak", "Hours", "");
    EXPECT_TRUE(announceAt(at(4, 7)).empty());
    EXPECT_EQ(platform.settingFileWrites, 1);
    EXPECT_EQ(platform.readSetting("Speak", "Hours"), ".\\speak\\Other\\hours.wav");

    platform.putSetting("Speak", "5", "");
    EXPECT_TRUE(announceAt(at(10, 25)).empty());
    EXPECT_EQ(platform.settingFileWrites, 2);
}

TEST_F(AnnouncerTest, BeforeTheFirstTickTheCurrentTimeIsSpoken)
{
    installWaveFiles("Default");
    state.tickTime = INVALID_TIME;
    platform.clock = at(22, 50);
    announcer.announceTime();
    EXPECT_EQ(played(), (Pieces{"22h.wav", "hour.wav", "50m.wav", "minute.wav"}));
}

TEST_F(AnnouncerTest, ThemeFileIsCopiedLineByLine)
{
    platform.putSetting("Speak", "Keep", "old");
    platform.putSetting("Speak", "Hour", "old");
    const std::string longKey(25, 'k');
    const std::string longValue(300, 'v');
    const std::string text = "[Speak]\r\n"
                             "; a comment\r\n"
                             "\r\n"
                             "  Hour = .\\speak\\T\\h.wav  \r\n"
                             "Minute=.\\speak\\T\\m.wav\n"
                             "3 = 0, .\\speak\\T\\3.wav\r"
                             "=no key\n"
                             "NoValue =   \n" +
                             longKey + "=cut key\n" + "Long=" + longValue + "\n" + "Last=tail";
    platform.files["C:\\Alarms\\speak\\T\\theme.ini"] = bytesOf(text);
    platform.calls.clear();
    announcer.loadThemeFile("T");

    EXPECT_EQ(platform.settingFileWrites, 1);
    EXPECT_EQ(platform.readSetting("Speak", "Hour"), ".\\speak\\T\\h.wav  ");
    EXPECT_EQ(platform.readSetting("Speak", "Minute"), ".\\speak\\T\\m.wav");
    EXPECT_EQ(platform.readSetting("Speak", "3"), "0, .\\speak\\T\\3.wav");
    EXPECT_EQ(platform.readSetting("Speak", "Keep"), "old");
    EXPECT_EQ(platform.readSetting("Speak", std::string(19, 'k')), "cut key");
    // The line is cut at 254 characters: "Long=" and 249 of the value.
    EXPECT_EQ(platform.readSetting("Speak", "Long"), std::string(249, 'v'));
    EXPECT_EQ(platform.readSetting("Speak", "Last"), "tail");
    const FakePlatform::Section& speak = platform.settings[0].second;
    EXPECT_EQ(speak.size(), 7u);  // Keep, Hour, Minute, 3, the cut key, Long, Last
    for (const auto& entry : speak)
        EXPECT_TRUE(entry.first.size() <= 19 && entry.second.size() <= 255) << entry.first;
}

TEST_F(AnnouncerTest, MissingThemeFileIsReportedAndSpeakKept)
{
    platform.putSetting("Speak", "Hour", "old");
    announcer.loadThemeFile("Gone");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              "\xCD\xE5 \xEE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB C:\\Alarms\\speak\\Gone\\theme.ini");
    EXPECT_EQ(platform.settingFileWrites, 0);
    EXPECT_EQ(platform.readSetting("Speak", "Hour"), "old");
}
