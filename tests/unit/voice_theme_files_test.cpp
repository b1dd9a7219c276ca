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
const char* const NUMBER_KEYS[] = {"0",  "3",   "4",   "5",   "6",  "7",  "8",   "9",   "10", "11",
                                   "12", "13",  "14",  "15",  "16", "17", "18",  "19",  "20", "1h",
                                   "2h", "21h", "22h", "23h", "1m", "2m", "30m", "40m", "50m"};
const char* const WORD_KEYS[] = {"Hour", "Hours", "Hour2", "Minute", "Minutes", "Minute2"};
constexpr std::size_t ENTRY_COUNT = std::size(NUMBER_KEYS) + std::size(WORD_KEYS);

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// One shipped theme in a fake start folder: its theme.ini loaded into
// Speak, its wave files holding their words.
class ThemeTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (std::getenv("QUORVEL_SOURCE_DIR") == nullptr)
            GTEST_SKIP() << "QUORVEL_SOURCE_DIR is not set: the shipped voice themes cannot be found";
    }

    void install(const std::string& name)
    {
        m_name = name;
        state.startFolder = START;
        state.currentTheme = name;
        m_ini = source("res/speak/" + name + "/theme.ini");
        platform.files[START + "\\speak\\" + name + "\\theme.ini"] =
            std::vector<unsigned char>(m_ini.begin(), m_ini.end());
        for (const std::string& line : split(source("res/speak/words.tsv"), '\n')) {
            const std::vector<std::string> fields = split(line, '\t');  // theme, file, voice, text
            if (fields.size() == 4 && fields[0] == name)
                platform.files[START + "\\speak\\" + name + "\\" + fields[1]] =
                    std::vector<unsigned char>(fields[3].begin(), fields[3].end());
        }
        announcer.loadThemeFile(name);
    }

    std::vector<std::string> say(int hour, int minute)
    {
        platform.calls.clear();
        state.tickTime = MIDNIGHT + hour * 3600 + minute * 60;
        announcer.announceTime();
        std::vector<std::string> pieces;
        for (const std::string& call : platform.calls)
            if (call.rfind("playSoundMemory ", 0) == 0)
                pieces.push_back(call.substr(16));
        return pieces;
    }

    FakePlatform platform;
    SchedulerState state;
    Announcer announcer{platform, state};
    std::string m_name, m_ini;

private:
    std::string source(const std::string& relative)
    {
        std::ifstream in(std::string(std::getenv("QUORVEL_SOURCE_DIR")) + "/" + relative, std::ios::binary);
        EXPECT_TRUE(in.good()) << "cannot read " << relative << " below " << std::getenv("QUORVEL_SOURCE_DIR");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

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

}  // namespace

TEST_P(ThemeTest, ThemeIniNamesEveryKeyOnceInTheDefaultLayoutAndSpeaksEveryTime)
{
    install(GetParam());
    const std::vector<std::string> lines = split(m_ini, '\n');
    ASSERT_EQ(lines.size(), ENTRY_COUNT);
    for (const std::string& line : lines)
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << "no CR LF after: " << line;

    // The defaults of the same theme give the file layout; the shipped file
    // differs from them only in its form numbers.
    FakePlatform defaults;
    Announcer(defaults, state).writeDefaultSpeakEntries(m_name);
    ASSERT_EQ(platform.settings.size(), 1u);
    EXPECT_EQ(platform.settings[0].second.size(), ENTRY_COUNT);  // so no key is given twice
    for (const char* key : WORD_KEYS) {
        const std::string value = platform.readSetting("Speak", key);
        EXPECT_EQ(value, defaults.readSetting("Speak", key)) << key;
        EXPECT_EQ(platform.files.count(START + value.substr(1)), 1u) << "no words for " << value;
    }
    for (const char* key : NUMBER_KEYS) {
        const std::string value = platform.readSetting("Speak", key);
        ASSERT_GT(value.size(), 2u) << key;
        EXPECT_TRUE(value[0] >= '0' && value[0] <= '2') << key << " = " << value;
        EXPECT_EQ(value.substr(1), defaults.readSetting("Speak", key).substr(1)) << key;
        EXPECT_EQ(platform.files.count(START + value.substr(3)), 1u) << "no words for " << value;
    }

    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute)
            ASSERT_EQ(say(hour, minute).size(), minute > 20 && minute % 10 != 0 ? 5u : 4u) << hour << ":" << minute;
    EXPECT_EQ(platform.settingFileWrites, 1);  // the theme.ini copy only, no defaults
}

INSTANTIATE_TEST_SUITE_P(Shipped, ThemeTest, ::testing::Values("Default", "Russian"));

using ShippedThemeTest = ThemeTest;

TEST_F(ShippedThemeTest, SentencesAndRussianAgreementForEveryHourAndMinute)
{
    const struct {
        const char* theme;
        int hour, minute;
        const char* sentence;
    } rows[] = {
        {"Default", 0, 0, "zero hours zero minutes"},
        {"Default", 1, 1, "one hour one minute"},
        {"Default", 21, 35, "twenty-one hours thirty five minutes"},
        {"Default", 23, 42, "twenty-three hours forty two minutes"},
        {"Russian", 0, 0, "ноль часов ноль минут"},
        {"Russian", 1, 1, "один час одна минута"},
        {"Russian", 2, 2, "два часа две минуты"},
        {"Russian", 5, 11, "пять часов одиннадцать минут"},
        {"Russian", 21, 21, "двадцать один час двадцать одна минута"},
        {"Russian", 22, 22, "двадцать два часа двадцать две минуты"},
        {"Russian", 23, 35, "двадцать три часа тридцать пять минут"},
    };
    for (const auto& row : rows) {
        install(row.theme);
        std::string text;
        for (const std::string& piece : say(row.hour, row.minute))
            text += (text.empty() ? "" : " ") + piece;
        EXPECT_EQ(text, row.sentence) << row.theme << " " << row.hour << ":" << row.minute;
    }
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute) {
            const std::vector<std::string> pieces = say(hour, minute);
            ASSERT_GE(pieces.size(), 4u);
            EXPECT_EQ(pieces[1], russianCount(hour, "час", "часа", "часов")) << hour << ":" << minute;
            EXPECT_EQ(pieces.back(), russianCount(minute, "минута", "минуты", "минут")) << hour << ":" << minute;
        }
}
