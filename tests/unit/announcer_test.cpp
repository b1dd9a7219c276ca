// Saying the time and copying theme.ini: reading order, missing pieces, odd lines, and every minute of the voice
// themes shipped in res/speak.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "scheduler/announcer.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
using Strings = std::vector<std::string>;

Strings split(const std::string& text, char separator)
{
    Strings parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// A file of the source tree, found through the environment variable QUORVEL_SOURCE_DIR.
std::string source(const std::string& relative)
{
    std::ifstream in(std::string(std::getenv("QUORVEL_SOURCE_DIR")) + "/" + relative, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << relative << " below " << std::getenv("QUORVEL_SOURCE_DIR");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Russian agreement of a count: one for 1, 21, ...; few for 2-4, 22-24, ...; many for the rest (0, 5-20, 25-30, ...).
std::string russianCount(int n, const char* one, const char* few, const char* many)
{
    if (n % 10 == 1 && n % 100 != 11)
        return one;
    return n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14) ? few : many;
}

class AnnouncerTest : public ::testing::Test {
protected:
    AnnouncerTest() { state.startFolder = "C:\\Alarms"; }
    // The pieces played at the tick of a time of day, or before the first tick (hour -1); the wave files hold their
    // words.
    Strings say(int hour, int minute = 0)
    {
        state.tickTime = hour < 0 ? INVALID_TIME : MIDNIGHT + hour * 3600 + minute * 60;
        platform.calls.clear();
        announcer.announceTime();
        Strings pieces;
        for (const auto& call : platform.calls)
            if (call.rfind("playSoundMemory ", 0) == 0)
                pieces.push_back(call.substr(16));
        return pieces;
    }
    // One shipped theme in the start folder: its theme.ini (returned) loaded into Speak by the first press on a fresh
    // settings file, each of its wave files holding the words words.tsv gives it.
    std::string install(const std::string& theme)
    {
        state.currentTheme = theme;
        const std::string ini = source("res/speak/" + theme + "/theme.ini");
        platform.putFile("C:\\Alarms\\speak\\" + theme + "\\theme.ini", ini);
        for (const std::string& line : split(source("res/speak/words.tsv"), '\n')) {
            const Strings fields = split(line, '\t');  // theme, file, voice, text
            if (fields.size() == 4 && fields[0] == theme)
                platform.putFile("C:\\Alarms\\speak\\" + theme + "\\" + fields[1], fields[3]);
        }
        platform.settings = ProfileDocument();
        EXPECT_FALSE(say(12, 21).empty()) << theme;
        return ini;
    }

    FakePlatform platform;
    SchedulerState state;
    Announcer announcer{platform, state, platform};
};

}  // namespace

TEST_F(AnnouncerTest, PiecesComeFromTheStartFolderAllReadBeforeTheFirstPlays)
{
    // No words stored and no theme.ini: the current theme's defaults (Default, as none is set) are written once
    // and the time is said with them at once.
    platform.clock = MIDNIGHT + 21 * 3600 + 35 * 60;  // before the first tick: the current time
    for (const std::string piece : {"21h", "hour", "30m", "5", "minute", "4", "7"})
        platform.putFile("C:\\Alarms\\speak\\Default\\" + piece + ".wav", piece + ".wav");
    for (int press = 0; press < 2; ++press)
        EXPECT_EQ(say(-1), (Strings{"21h.wav", "hour.wav", "30m.wav", "5.wav", "minute.wav"}));
    EXPECT_EQ(platform.settingFileWrites, 1);
    // From 21 on, hours and minutes have words of their own, as 1 and 2 have; 20 is said as the number.
    EXPECT_EQ(Announcer::speakKeyForHour(20) + Announcer::speakKeyForMinute(20) + Announcer::speakKeyForMinute(21),
              "202021m");
    // All five are read before the first plays, so that they follow each other without gaps.
    EXPECT_EQ(platform.calls.end()[-6], "readWholeFile C:\\Alarms\\speak\\Default\\minute.wav");
    // A piece that cannot be read is left out; a missing entry writes the
    // defaults again (of the current theme, which has no theme.ini) and the
    // time is said with them: here the Other theme has no wave files.
    platform.files.erase("C:\\Alarms\\speak\\Default\\hour.wav");
    EXPECT_EQ(say(4, 7), (Strings{"4.wav", "7.wav", "minute.wav"}));
    state.currentTheme = "Other";
    platform.putSetting("Speak", "Minute", "");
    EXPECT_TRUE(say(4, 7).empty());
    EXPECT_EQ(platform.calls.end()[-1], "readWholeFile C:\\Alarms\\speak\\Other\\minute.wav");
    EXPECT_EQ(platform.settingFileWrites, 2);
    EXPECT_TRUE(platform.messages.empty()) << "a press never reports a theme without theme.ini";
}

// Keys are cut at 19 characters, lines at 254. Lines that give no entry, or that the settings file cannot
// hold, are skipped rather than refusing the whole theme; a theme.ini saved as UTF-16 is read as text; a
// missing file, or one with nothing to copy, is reported and leaves Speak alone.
TEST_F(AnnouncerTest, ThemeFileIsCopiedLineByLine)
{
    platform.putSetting("Speak", "Keep", "old");
    platform.putSetting("Speak", "Hour", "old");
    const std::string text = "[Speak]\r\n; a comment\r\n\r\n  Hour = .\\speak\\T\\h.wav  \r\nno equals\r\n;c=x\r\n"
                             "[k=y\r\nMinute=.\\speak\\T\\m.wav\n3 = 0, .\\speak\\T\\3.wav\r=no key\nNoValue =   \n" +
        std::string(25, 'k') + "=cut key\nLong=" + std::string(300, 'v') + "\nLast=tail";
    std::string unicode = "\xFF\xFE";
    for (const char c : text)
        unicode += {c, '\0'};
    const std::string path = "C:\\Alarms\\speak\\T\\theme.ini";
    platform.putFile(path, unicode);
    announcer.loadThemeFile("T");
    EXPECT_EQ(platform.settingsText(),
              "[Speak]\r\nKeep=old\r\nHour=.\\speak\\T\\h.wav  \r\nMinute=.\\speak\\T\\m.wav\r\n"
              "3=0, .\\speak\\T\\3.wav\r\n" +
                  std::string(19, 'k') + "=cut key\r\nLong=" + std::string(249, 'v') + "\r\nLast=tail\r\n");
    platform.putFile(path, ";c=x\r\n" + std::string("[k=y\r\n\0=z", 9));
    announcer.loadThemeFile("T");
    announcer.loadThemeFile("Gone");
    EXPECT_EQ(platform.messages,
              (Strings{Announcer::NOTHING_USABLE + path,
                       Announcer::OPEN_FAILED + std::string("C:\\Alarms\\speak\\Gone\\theme.ini")}));
    EXPECT_EQ(platform.settingFileWrites, 1);
}

// theme.ini names each key of the theme's defaults once, in their layout (only the form numbers of the
// number entries differ), each with its wave file; every time of day is spoken in four pieces, five with the
// units of a minute past 20; Russian hours and minutes take the form their number asks for.
TEST_F(AnnouncerTest, ShippedThemesNameEveryKeyOnceInTheDefaultLayoutAndSpeakEveryTime)
{
    if (std::getenv("QUORVEL_SOURCE_DIR") == nullptr)
        GTEST_SKIP() << "QUORVEL_SOURCE_DIR is not set: the shipped voice themes cannot be found";
    for (const std::string theme : {"Default", "Russian"}) {
        const int writes = platform.settingFileWrites;
        const Strings lines = split(install(theme), '\n');
        for (const std::string& line : lines)
            EXPECT_TRUE(!line.empty() && line.back() == '\r') << "no CR LF after: " << line;
        FakePlatform defaults;
        Announcer(defaults, state, defaults).writeDefaultSpeakEntries(theme);
        const Strings entries = split(defaults.settingsText(), '\n');  // the section's header, then the keys
        ASSERT_EQ(entries.size(), lines.size() + 1) << theme;
        for (std::size_t i = 1; i < entries.size(); ++i) {
            const std::string key = entries[i].substr(0, entries[i].find('='));
            const std::string value = platform.readSetting("Speak", key), wanted = defaults.readSetting("Speak", key);
            EXPECT_TRUE(value == wanted ||
                        (wanted[0] == '0' && value.size() > 2 && value[0] >= '0' && value[0] <= '2' &&
                         value.substr(1) == wanted.substr(1)))
                << key << " = " << value;
            EXPECT_EQ(platform.files.count("C:\\Alarms" + value.substr(value.find('\\'))), 1u)
                << "no words for " << value;
        }
        for (int hour = 0; hour < 24; ++hour)
            for (int minute = 0; minute < 60; ++minute) {
                const Strings pieces = say(hour, minute);
                ASSERT_EQ(pieces.size(), minute > 20 && minute % 10 != 0 ? 5u : 4u) << theme << hour << ":" << minute;
                EXPECT_TRUE(theme != "Russian" ||
                            (pieces[1] == russianCount(hour, "час", "часа", "часов") &&
                             pieces.back() == russianCount(minute, "минута", "минуты", "минут")))
                    << hour << ":" << minute;
            }
        EXPECT_EQ(platform.settingFileWrites, writes + 1) << "the theme.ini copy only, no defaults";
        EXPECT_TRUE(theme != "Default" || say(21, 35) == (Strings{"twenty-one", "hours", "thirty", "five", "minutes"}));
    }
}
