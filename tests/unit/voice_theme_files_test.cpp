// The voice themes shipped in res/speak, loaded and spoken by the real
// announcer. Each fake wave file holds the text words.tsv gives it, so the
// played pieces read as the spoken sentence. The source tree is found
// through the environment variable QUORVEL_SOURCE_DIR.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "scheduler/announcer.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
const std::string START = "C:\\Alarms";
using Strings = std::vector<std::string>;

Strings split(const std::string& text, char separator)
{
    Strings parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// Russian agreement of a count: one for 1, 21, ...; few for 2-4, 22-24, ...;
// many for the rest (0, 5-20, 25-30, ...).
std::string russianCount(int n, const char* one, const char* few, const char* many)
{
    if (n % 10 == 1 && n % 100 != 11)
        return one;
    if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14))
        return few;
    return many;
}

const struct {
    std::string theme;
    int hour, minute;
    const char* sentence;
} SENTENCES[] = {{"Default", 0, 0, "zero hours zero minutes"},
                 {"Default", 1, 1, "one hour one minute"},
                 {"Default", 7, 19, "seven hours nineteen minutes"},
                 {"Default", 21, 35, "twenty-one hours thirty five minutes"},
                 {"Default", 23, 42, "twenty-three hours forty two minutes"},
                 {"Russian", 0, 0, "ноль часов ноль минут"},
                 {"Russian", 1, 1, "один час одна минута"},
                 {"Russian", 2, 2, "два часа две минуты"},
                 {"Russian", 5, 11, "пять часов одиннадцать минут"},
                 {"Russian", 21, 21, "двадцать один час двадцать одна минута"},
                 {"Russian", 22, 22, "двадцать два часа двадцать две минуты"},
                 {"Russian", 23, 35, "двадцать три часа тридцать пять минут"}};

class ShippedThemeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("QUORVEL_SOURCE_DIR") == nullptr)
            GTEST_SKIP() << "QUORVEL_SOURCE_DIR is not set: the shipped voice themes cannot be found";
    }

    // One shipped theme in the fake start folder: its theme.ini (returned)
    // loaded into Speak, its wave files holding their words.
    std::string install(const std::string& name)
    {
        state.startFolder = START;
        state.currentTheme = name;
        const std::string ini = source("res/speak/" + name + "/theme.ini");
        platform.files[START + "\\speak\\" + name + "\\theme.ini"] = std::vector<unsigned char>(ini.begin(), ini.end());
        for (const std::string& line : split(source("res/speak/words.tsv"), '\n')) {
            const Strings fields = split(line, '\t');  // theme, file, voice, text
            if (fields.size() == 4 && fields[0] == name)
                platform.files[START + "\\speak\\" + name + "\\" + fields[1]] =
                    std::vector<unsigned char>(fields[3].begin(), fields[3].end());
        }
        announcer.loadThemeFile(name);
        return ini;
    }

    Strings say(int hour, int minute)
    {
        platform.calls.clear();
        state.tickTime = MIDNIGHT + hour * 3600 + minute * 60;
        announcer.announceTime();
        Strings pieces;
        for (const std::string& call : platform.calls)
            if (call.rfind("playSoundMemory ", 0) == 0)
                pieces.push_back(call.substr(16));
        return pieces;
    }

    std::string source(const std::string& relative)
    {
        std::ifstream in(std::string(std::getenv("QUORVEL_SOURCE_DIR")) + "/" + relative, std::ios::binary);
        EXPECT_TRUE(in.good()) << "cannot read " << relative << " below " << std::getenv("QUORVEL_SOURCE_DIR");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    FakePlatform platform;
    SchedulerState state;
    Announcer announcer{platform, state};
};

}  // namespace

// theme.ini names each key of the theme's defaults once, in their layout (only the form numbers of the
// number entries differ), each with its wave file; every time of day is spoken in four pieces, five with the
// units of a minute past 20; Russian hours and minutes take the form their number asks for; the sentences.
TEST_F(ShippedThemeTest, ThemeIniNamesEveryKeyOnceInTheDefaultLayoutAndSpeaksEveryTime)
{
    for (const std::string theme : {"Default", "Russian"}) {
        const int writes = platform.settingFileWrites;
        const Strings lines = split(install(theme), '\n');
        for (const std::string& line : lines)
            EXPECT_TRUE(!line.empty() && line.back() == '\r') << "no CR LF after: " << line;
        FakePlatform defaults;
        Announcer(defaults, state).writeDefaultSpeakEntries(theme);
        const Strings entries = split(defaults.settingsText(), '\n');  // the section's header, then the keys
        ASSERT_EQ(entries.size(), lines.size() + 1) << theme;
        for (std::size_t i = 1; i < entries.size(); ++i) {
            const std::string key = entries[i].substr(0, entries[i].find('='));
            const std::string value = platform.readSetting("Speak", key), wanted = defaults.readSetting("Speak", key);
            EXPECT_TRUE(value == wanted ||
                        (wanted[0] == '0' && value.size() > 2 && value[0] >= '0' && value[0] <= '2' &&
                         value.substr(1) == wanted.substr(1)))
                << key << " = " << value;
            EXPECT_EQ(platform.files.count(START + value.substr(value.find('\\'))), 1u) << "no words for " << value;
        }
        for (int hour = 0; hour < 24; ++hour)
            for (int minute = 0; minute < 60; ++minute) {
                const Strings pieces = say(hour, minute);
                ASSERT_EQ(pieces.size(), minute > 20 && minute % 10 != 0 ? 5u : 4u) << theme << hour << ":" << minute;
                if (theme == "Russian") {
                    EXPECT_EQ(pieces[1], russianCount(hour, "час", "часа", "часов")) << hour << ":" << minute;
                    EXPECT_EQ(pieces.back(), russianCount(minute, "минута", "минуты", "минут"))
                        << hour << ":" << minute;
                }
            }
        EXPECT_EQ(platform.settingFileWrites, writes + 1) << "the theme.ini copy only, no defaults";
        for (const auto& row : SENTENCES) {
            if (row.theme != theme)
                continue;
            std::string text;
            for (const std::string& piece : say(row.hour, row.minute))
                text += (text.empty() ? "" : " ") + piece;
            EXPECT_EQ(text, row.sentence);
        }
    }
}
