#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scheduler/announcer.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
const std::string START = "C:\\Alarms";
using Pieces = std::vector<std::string>;

std::vector<unsigned char> bytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

class AnnouncerTest : public ::testing::Test {
protected:
    AnnouncerTest() { state.startFolder = START; }

    // Every file the default entries of the theme name, each holding its own
    // file name, so that the played block tells which file it was.
    void installWaveFiles()
    {
        announcer.writeDefaultSpeakEntries("Default");
        for (const auto& entry : platform.settings[0].second) {
            const std::string file = entry.second.substr(entry.second.find('.') + 1);
            platform.files[START + file] = bytesOf(file.substr(file.rfind('\\') + 1));
        }
        platform.settingFileWrites = 0;
    }

    Pieces announceAt(int hours, int minutes)
    {
        platform.calls.clear();
        state.tickTime = MIDNIGHT + hours * 3600 + minutes * 60;
        announcer.announceTime();
        return played();
    }
    Pieces played() const
    {
        Pieces pieces;
        for (const auto& call : platform.calls)
            if (call.rfind("playSoundMemory ", 0) == 0)
                pieces.push_back(call.substr(16));
        return pieces;
    }

    FakePlatform platform;
    SchedulerState state;
    Announcer announcer{platform, state};
};

}  // namespace

TEST(AnnouncerKeysTest, NumberKeysOfHoursAndMinutes)
{
    using Key = std::pair<int, const char*>;
    for (const auto& [n, key] : {Key{0, "0"}, {1, "1h"}, {2, "2h"}, {3, "3"}, {20, "20"}, {21, "21h"}, {23, "23h"}})
        EXPECT_EQ(Announcer::speakKeyForHour(n), key) << n;
    for (const auto& [n, key] : {Key{0, "0"}, {1, "1m"}, {2, "2m"}, {19, "19"}, {20, "20"}, {30, "30m"}, {50, "50m"}})
        EXPECT_EQ(Announcer::speakKeyForMinute(n), key) << n;
}

TEST_F(AnnouncerTest, DefaultEntriesAreWrittenInOneGo)
{
    announcer.writeDefaultSpeakEntries("Alt");
    EXPECT_EQ(platform.settingFileWrites, 1);
    ASSERT_EQ(platform.settings.size(), 1u);
    const FakePlatform::Section& speak = platform.settings[0].second;
    ASSERT_EQ(speak.size(), 35u);
    const struct {
        std::size_t index;
        const char *key, *value;
    } cases[] = {{0, "Hour", ".\\speak\\Alt\\hour.wav"},  {5, "Minute2", ".\\speak\\Alt\\minute2.wav"},
                 {6, "0", "0,.\\speak\\Alt\\0.wav"},      {7, "1h", "0,.\\speak\\Alt\\1h.wav"},
                 {8, "1m", "0,.\\speak\\Alt\\1m.wav"},    {11, "3", "0,.\\speak\\Alt\\3.wav"},
                 {29, "21h", "0,.\\speak\\Alt\\21h.wav"}, {30, "30m", "0,.\\speak\\Alt\\30m.wav"},
                 {34, "50m", "0,.\\speak\\Alt\\50m.wav"}};
    for (const auto& c : cases)
        EXPECT_EQ(speak[c.index], (std::pair<std::string, std::string>(c.key, c.value))) << c.index;
}

TEST_F(AnnouncerTest, EmptySpeakWritesDefaultsAndPlaysNothingThenSpeaks)
{
    state.currentTheme = "Default";
    EXPECT_TRUE(announceAt(21, 35).empty());
    EXPECT_EQ(platform.settingFileWrites, 1);

    for (const char* file : {"21h.wav", "hour.wav", "30m.wav", "5.wav", "minute.wav"})
        platform.files[START + "\\speak\\Default\\" + file] = bytesOf(file);
    EXPECT_EQ(announceAt(21, 35), (Pieces{"21h.wav", "hour.wav", "30m.wav", "5.wav", "minute.wav"}));
    // Every piece is read before the first one plays.
    const auto firstPlay = std::find_if(platform.calls.begin(), platform.calls.end(),
                                        [](const std::string& c) { return c.rfind("playSoundMemory", 0) == 0; });
    EXPECT_EQ(std::count_if(platform.calls.begin(), firstPlay,
                            [](const std::string& c) { return c.rfind("readWholeFile", 0) == 0; }),
              5);
    EXPECT_EQ(*std::find_if(platform.calls.begin(), firstPlay,
                            [](const std::string& c) { return c.rfind("readWholeFile", 0) == 0; }),
              "readWholeFile C:\\Alarms\\speak\\Default\\21h.wav");
}

TEST_F(AnnouncerTest, PiecesOfTheHourAndMinute)
{
    installWaveFiles();
    const struct {
        int hour, minute;
        Pieces numbers;  // between them "hour.wav", at the end "minute.wav"
    } cases[] = {
        {0, 0, {"0", "0"}},     {1, 1, {"1h", "1m"}},          {2, 15, {"2h", "15"}},
        {13, 20, {"13", "20"}}, {21, 35, {"21h", "30m", "5"}}, {23, 42, {"23h", "40m", "2m"}},
        {20, 19, {"20", "19"}}, {10, 30, {"10", "30m"}},       {10, 21, {"10", "20", "1m"}},
    };
    for (const auto& c : cases) {
        Pieces expected{c.numbers[0] + ".wav", "hour.wav"};
        for (std::size_t i = 1; i < c.numbers.size(); ++i)
            expected.push_back(c.numbers[i] + ".wav");
        expected.push_back("minute.wav");
        EXPECT_EQ(announceAt(c.hour, c.minute), expected) << c.hour << ":" << c.minute;
    }
    EXPECT_EQ(platform.settingFileWrites, 0);

    // Before the first tick the current time is spoken.
    state.tickTime = INVALID_TIME;
    platform.calls.clear();
    platform.clock = MIDNIGHT + 22 * 3600 + 50 * 60;
    announcer.announceTime();
    EXPECT_EQ(played(), (Pieces{"22h.wav", "hour.wav", "50m.wav", "minute.wav"}));
}

TEST_F(AnnouncerTest, FormNumberChoosesTheWord)
{
    installWaveFiles();
    platform.putSetting("Speak", "1m", "2,.\\speak\\Default\\1m.wav");
    platform.putSetting("Speak", "20", "1,.\\speak\\Default\\20.wav");
    // The word after the minutes agrees with the last number spoken.
    EXPECT_EQ(announceAt(10, 21), (Pieces{"10.wav", "hour.wav", "20.wav", "1m.wav", "minute2.wav"}));
    EXPECT_EQ(announceAt(10, 20), (Pieces{"10.wav", "hour.wav", "20.wav", "minutes.wav"}));
    // Hour 20 shares the "20" entry and its form.
    EXPECT_EQ(announceAt(20, 0), (Pieces{"20.wav", "hours.wav", "0.wav", "minute.wav"}));
    platform.putSetting("Speak", "5", " 5 , .\\speak\\Default\\5.wav");
    EXPECT_EQ(announceAt(5, 5), (Pieces{"5.wav", "hours.wav", "5.wav", "minute.wav"}));
}

TEST_F(AnnouncerTest, WavesComeFromTheStartFolderAndUnreadableOnesAreSkipped)
{
    installWaveFiles();
    platform.putSetting("Speak", "3", "0,.\\speak\\X\\3.wav");
    platform.files["C:\\Alarms\\speak\\X\\3.wav"] = bytesOf("x3");
    platform.folder = "D:\\Elsewhere";
    EXPECT_EQ(announceAt(3, 3), (Pieces{"x3", "hour.wav", "x3", "minute.wav"}));

    platform.files.erase("C:\\Alarms\\speak\\Default\\hour.wav");
    EXPECT_EQ(announceAt(4, 7), (Pieces{"4.wav", "7.wav", "minute.wav"}));
    EXPECT_EQ(platform.settingFileWrites, 0);
}

TEST_F(AnnouncerTest, MissingEntryWritesDefaultsAndPlaysNothing)
{
    installWaveFiles();
    state.currentTheme = "Other";
    platform.putSetting("Speak", "4", "1,.\\speak\\Default\\4.wav");
    platform.putSetting("Speak", "Hours", "");
    EXPECT_TRUE(announceAt(4, 7).empty());
    EXPECT_EQ(platform.settingFileWrites, 1);
    EXPECT_EQ(platform.readSetting("Speak", "Hours"), ".\\speak\\Other\\hours.wav");

    platform.putSetting("Speak", "5", "");
    EXPECT_TRUE(announceAt(10, 25).empty());
    EXPECT_EQ(platform.settingFileWrites, 2);
}

TEST_F(AnnouncerTest, ThemeFileIsCopiedLineByLine)
{
    platform.putSetting("Speak", "Keep", "old");
    platform.putSetting("Speak", "Hour", "old");
    const std::string text = "[Speak]\r\n; a comment\r\n\r\n  Hour = .\\speak\\T\\h.wav  \r\n"
                             "Minute=.\\speak\\T\\m.wav\n3 = 0, .\\speak\\T\\3.wav\r=no key\nNoValue =   \n" +
        std::string(25, 'k') + "=cut key\nLong=" + std::string(300, 'v') + "\nLast=tail";
    platform.files["C:\\Alarms\\speak\\T\\theme.ini"] = bytesOf(text);
    announcer.loadThemeFile("T");

    EXPECT_EQ(platform.settingFileWrites, 1);
    const FakePlatform::Section expected{{"Keep", "old"},
                                         {"Hour", ".\\speak\\T\\h.wav  "},
                                         {"Minute", ".\\speak\\T\\m.wav"},
                                         {"3", "0, .\\speak\\T\\3.wav"},
                                         {std::string(19, 'k'), "cut key"},
                                         {"Long", std::string(249, 'v')},  // the line is cut at 254
                                         {"Last", "tail"}};
    ASSERT_EQ(platform.settings.size(), 1u);
    EXPECT_EQ(platform.settings[0].second, expected);

    // A missing file is reported and Speak is kept.
    platform.settingFileWrites = 0;
    announcer.loadThemeFile("Gone");
    EXPECT_EQ(platform.messages,
              (Pieces{"\xCD\xE5 \xEE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB C:\\Alarms\\speak\\Gone\\theme.ini"}));
    EXPECT_EQ(platform.settingFileWrites, 0);
    EXPECT_EQ(platform.readSetting("Speak", "Hour"), ".\\speak\\T\\h.wav  ");
}
