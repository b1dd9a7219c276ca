// Saying the time from a voice theme's wave files, the default Speak
// entries, and copying a theme.ini into the settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ascii.h"
#include "scheduler/announcer.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
using Pieces = std::vector<std::string>;

std::vector<unsigned char> bytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

class AnnouncerTest : public ::testing::Test {
protected:
    AnnouncerTest() { state.startFolder = "C:\\Alarms"; }

    // Every file the default entries name, each holding its own file name.
    void installWaveFiles()
    {
        announcer.writeDefaultSpeakEntries("Default");
        for (const auto& entry : platform.settings[0].second) {
            const std::string file = entry.second.substr(entry.second.find('.') + 1);
            platform.files["C:\\Alarms" + file] = bytesOf(file.substr(file.rfind('\\') + 1));
        }
        platform.settingFileWrites = 0;
    }
    // The pieces played when the time is said at the given time of day.
    Pieces announceAt(int hours, int minutes)
    {
        platform.calls.clear();
        state.tickTime = MIDNIGHT + hours * 3600 + minutes * 60;
        announcer.announceTime();
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
    for (const auto& [n, key] : {Key{0, "0"}, {1, "1m"}, {2, "2m"}, {19, "19"}, {20, "20"}, {21, "21m"}, {50, "50m"}})
        EXPECT_EQ(Announcer::speakKeyForMinute(n), key) << n;
}

TEST_F(AnnouncerTest, DefaultEntriesAreWrittenInOneGo)
{
    announcer.writeDefaultSpeakEntries("Alt");
    ASSERT_TRUE(platform.settingFileWrites == 1 && platform.settings.size() == 1u);
    const FakePlatform::Section& speak = platform.settings[0].second;
    ASSERT_EQ(speak.size(), 35u);
    // Words first, then the numbers (form 0), each named after its key.
    const std::pair<std::size_t, std::string> cases[] = {{0, "Hour"}, {5, "Minute2"}, {6, "0"},    {7, "1h"},
                                                         {8, "1m"},   {11, "3"},      {29, "21h"}, {30, "30m"},
                                                         {32, "40m"}, {34, "50m"}};
    for (const auto& [index, key] : cases) {
        const std::string form = index < 6 ? "" : "0,";
        EXPECT_EQ(speak[index].first, key);
        EXPECT_EQ(speak[index].second, form + ".\\speak\\Alt\\" + ascii::toLower(key) + ".wav");
    }
}

TEST_F(AnnouncerTest, PiecesOfTheHourAndMinuteAllReadBeforeTheFirstPlays)
{
    installWaveFiles();
    const std::pair<int, Pieces> cases[] = {
        {0, {"0", "hour", "0"}},      {101, {"1h", "hour", "1m"}},         {215, {"2h", "hour", "15"}},
        {1320, {"13", "hour", "20"}}, {2135, {"21h", "hour", "30m", "5"}}, {2342, {"23h", "hour", "40m", "2m"}},
        {2019, {"20", "hour", "19"}}, {1030, {"10", "hour", "30m"}},       {1021, {"10", "hour", "20", "1m"}}};
    for (const auto& [time, names] : cases) {
        Pieces expected;
        for (const std::string& name : names)
            expected.push_back(name + ".wav");
        expected.push_back("minute.wav");
        EXPECT_EQ(announceAt(time / 100, time % 100), expected) << time;
    }
    const auto firstPlay = std::find_if(platform.calls.begin(), platform.calls.end(),
                                        [](const std::string& c) { return c.rfind("playSoundMemory", 0) == 0; });
    EXPECT_EQ(std::count_if(platform.calls.begin(), firstPlay,
                            [](const std::string& c) { return c.rfind("readWholeFile", 0) == 0; }),
              5);
    // Before the first tick the current time is spoken.
    platform.clock = MIDNIGHT + 22 * 3600 + 50 * 60;
    state.tickTime = INVALID_TIME;
    announcer.announceTime();
    EXPECT_EQ(platform.calls.back(), "playSoundMemory minute.wav");
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "playSoundMemory 50m.wav"), 1);
    EXPECT_EQ(platform.settingFileWrites, 0);
}

TEST_F(AnnouncerTest, FormNumberChoosesTheWordAndUnreadablePiecesAreSkipped)
{
    installWaveFiles();
    platform.putSetting("Speak", "1m", "2,.\\speak\\Default\\1m.wav");
    platform.putSetting("Speak", "20", "1,.\\speak\\Default\\20.wav");
    // The word after the minutes agrees with the last number spoken.
    EXPECT_EQ(announceAt(10, 21), (Pieces{"10.wav", "hour.wav", "20.wav", "1m.wav", "minute2.wav"}));
    EXPECT_EQ(announceAt(10, 20), (Pieces{"10.wav", "hour.wav", "20.wav", "minutes.wav"}));
    EXPECT_EQ(announceAt(20, 0), (Pieces{"20.wav", "hours.wav", "0.wav", "minute.wav"}));  // shares "20"
    platform.putSetting("Speak", "5", " 5 , .\\speak\\Default\\5.wav");
    EXPECT_EQ(announceAt(5, 5), (Pieces{"5.wav", "hours.wav", "5.wav", "minute.wav"}));

    // Paths start from the start folder, not the current one.
    platform.putSetting("Speak", "3", "0,.\\speak\\X\\3.wav");
    platform.files["C:\\Alarms\\speak\\X\\3.wav"] = bytesOf("x3");
    platform.folder = "D:\\Elsewhere";
    EXPECT_EQ(announceAt(3, 3), (Pieces{"x3", "hour.wav", "x3", "minute.wav"}));
    platform.files.erase("C:\\Alarms\\speak\\Default\\hour.wav");
    EXPECT_EQ(announceAt(4, 7), (Pieces{"4.wav", "7.wav", "minute.wav"}));
    EXPECT_EQ(platform.settingFileWrites, 0);
}

TEST_F(AnnouncerTest, MissingEntryWritesTheThemesDefaultsAndPlaysNothing)
{
    state.currentTheme = "Default";
    EXPECT_TRUE(announceAt(21, 35).empty());  // an empty Speak section
    EXPECT_EQ(platform.settingFileWrites, 1);
    installWaveFiles();
    state.currentTheme = "Other";
    platform.putSetting("Speak", "4", "1,.\\speak\\Default\\4.wav");
    platform.putSetting("Speak", "Hours", "");
    EXPECT_TRUE(announceAt(4, 7).empty());
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
    announcer.loadThemeFile("Gone");
    EXPECT_EQ(platform.messages,
              (Pieces{"\xCD\xE5 \xEE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB C:\\Alarms\\speak\\Gone\\theme.ini"}));
    EXPECT_EQ(platform.settingFileWrites, 1);
}
