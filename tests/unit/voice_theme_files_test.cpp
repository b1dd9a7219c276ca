// The voice themes shipped in res/speak, loaded and spoken by the real
// announcer: complete theme.ini files in the default file layout, and form
// numbers that give the grammatical word after every hour and minute. Each
// fake wave file holds the text words.tsv gives it, so the played pieces
// read as the spoken sentence. The source tree is found through the
// environment variable QUORVEL_SOURCE_DIR.
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
const char* const NUMBER_KEYS[] = {"0",  "3",  "4",  "5",  "6",  "7",   "8",   "9",   "10",  "11",
                                   "12", "13", "14", "15", "16", "17",  "18",  "19",  "20",  "1h",
                                   "2h", "21h", "22h", "23h", "1m", "2m", "30m", "40m", "50m"};
const char* const WORD_KEYS[] = {"Hour", "Hours", "Hour2", "Minute", "Minutes", "Minute2"};
constexpr std::size_t ENTRY_COUNT = std::size(NUMBER_KEYS) + std::size(WORD_KEYS);

bool readSourceFile(const std::string& relative, std::string& text)
{
    std::ifstream in(std::string(std::getenv("QUORVEL_SOURCE_DIR")) + "/" + relative, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// One shipped theme in a fake start folder: its theme.ini copied into Speak,
// its wave files holding their words.
class ShippedTheme {
public:
    explicit ShippedTheme(const std::string& name) : m_name(name)
    {
        m_state.startFolder = START;
        m_state.currentTheme = name;
    }

    // Puts the theme's files in place and loads its theme.ini; false when a
    // source file cannot be read.
    bool install()
    {
        std::string words;
        if (!readSourceFile("res/speak/" + m_name + "/theme.ini", m_ini) || !readSourceFile("res/speak/words.tsv", words))
            return false;
        m_platform.files[START + "\\speak\\" + m_name + "\\theme.ini"] =
            std::vector<unsigned char>(m_ini.begin(), m_ini.end());
        for (const std::string& line : split(words, '\n')) {
            const std::vector<std::string> fields = split(line, '\t');  // theme, file, voice, text
            if (fields.size() == 4 && fields[0] == m_name)
                m_platform.files[START + "\\speak\\" + m_name + "\\" + fields[1]] =
                    std::vector<unsigned char>(fields[3].begin(), fields[3].end());
        }
        m_announcer.loadThemeFile(m_name);
        return true;
    }

    // The texts of the pieces played for the time.
    std::vector<std::string> say(int hour, int minute)
    {
        m_platform.calls.clear();
        m_state.tickTime = MIDNIGHT + hour * 3600 + minute * 60;
        m_announcer.announceTime();
        std::vector<std::string> pieces;
        for (const std::string& call : m_platform.calls)
            if (call.rfind("playSoundMemory ", 0) == 0)
                pieces.push_back(call.substr(16));
        return pieces;
    }

    std::string sentence(int hour, int minute)
    {
        std::string text;
        for (const std::string& piece : say(hour, minute))
            text += (text.empty() ? "" : " ") + piece;
        return text;
    }

    FakePlatform m_platform;
    SchedulerState m_state;
    Announcer m_announcer{m_platform, m_state};
    std::string m_name;
    std::string m_ini;
};

class ShippedThemeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("QUORVEL_SOURCE_DIR") == nullptr)
            GTEST_SKIP() << "QUORVEL_SOURCE_DIR is not set: the shipped voice themes cannot be found";
    }

    void install(ShippedTheme& theme)
    {
        ASSERT_TRUE(theme.install()) << "cannot read the sources of " << theme.m_name << " below "
                                     << std::getenv("QUORVEL_SOURCE_DIR");
    }
};

class VoiceThemeFilesTest : public ShippedThemeTest, public ::testing::WithParamInterface<const char*> {};

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

TEST_P(VoiceThemeFilesTest, ThemeIniNamesEveryKeyOnceInTheDefaultLayout)
{
    ShippedTheme theme(GetParam());
    install(theme);
    const std::vector<std::string> lines = split(theme.m_ini, '\n');
    ASSERT_EQ(lines.size(), ENTRY_COUNT);
    for (const std::string& line : lines)
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << "no CR LF after: " << line;

    // The defaults of the same theme give the file layout; the shipped file
    // differs from them only in its form numbers.
    FakePlatform defaults;
    SchedulerState state;
    Announcer(defaults, state).writeDefaultSpeakEntries(theme.m_name);
    ASSERT_EQ(theme.m_platform.settings.size(), 1u);
    const FakePlatform::Section& speak = theme.m_platform.settings[0].second;
    EXPECT_EQ(speak.size(), ENTRY_COUNT);  // so no key is given twice
    for (const char* key : WORD_KEYS) {
        const std::string value = theme.m_platform.readSetting("Speak", key);
        EXPECT_EQ(value, defaults.readSetting("Speak", key)) << key;
        EXPECT_EQ(theme.m_platform.files.count(START + value.substr(1)), 1u) << "no words for " << value;
    }
    for (const char* key : NUMBER_KEYS) {
        const std::string value = theme.m_platform.readSetting("Speak", key);
        ASSERT_GT(value.size(), 2u) << key;
        EXPECT_TRUE(value[0] >= '0' && value[0] <= '2') << key << " = " << value;
        EXPECT_EQ(value.substr(1), defaults.readSetting("Speak", key).substr(1)) << key;
        EXPECT_EQ(theme.m_platform.files.count(START + value.substr(3)), 1u) << "no words for " << value;
    }
}

TEST_P(VoiceThemeFilesTest, EveryTimeOfDayIsSpokenInFull)
{
    ShippedTheme theme(GetParam());
    install(theme);
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute) {
            const std::size_t pieces = minute > 20 && minute % 10 != 0 ? 5 : 4;
            ASSERT_EQ(theme.say(hour, minute).size(), pieces) << hour << ":" << minute;
        }
    EXPECT_EQ(theme.m_platform.settingFileWrites, 1);  // the theme.ini copy only, no defaults
}

INSTANTIATE_TEST_SUITE_P(Shipped, VoiceThemeFilesTest, ::testing::Values("Default", "Russian"));

using RussianThemeTest = ShippedThemeTest;

TEST_F(RussianThemeTest, WordsAgreeWithEveryHourAndMinute)
{
    ShippedTheme theme("Russian");
    install(theme);
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute) {
            const std::vector<std::string> pieces = theme.say(hour, minute);
            ASSERT_GE(pieces.size(), 4u);
            EXPECT_EQ(pieces[1], russianCount(hour, "час", "часа", "часов")) << hour << ":" << minute;
            EXPECT_EQ(pieces.back(), russianCount(minute, "минута", "минуты", "минут")) << hour << ":" << minute;
        }
}

TEST_F(RussianThemeTest, Sentences)
{
    ShippedTheme theme("Russian");
    install(theme);
    const struct {
        int hour, minute;
        const char* sentence;
    } cases[] = {
        {0, 0, "ноль часов ноль минут"},
        {1, 1, "один час одна минута"},
        {2, 2, "два часа две минуты"},
        {5, 11, "пять часов одиннадцать минут"},
        {14, 50, "четырнадцать часов пятьдесят минут"},
        {21, 21, "двадцать один час двадцать одна минута"},
        {22, 22, "двадцать два часа двадцать две минуты"},
        {23, 35, "двадцать три часа тридцать пять минут"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(theme.sentence(c.hour, c.minute), c.sentence) << c.hour << ":" << c.minute;
}

using DefaultThemeTest = ShippedThemeTest;

TEST_F(DefaultThemeTest, Sentences)
{
    ShippedTheme theme("Default");
    install(theme);
    const struct {
        int hour, minute;
        const char* sentence;
    } cases[] = {
        {0, 0, "zero hours zero minutes"},
        {1, 1, "one hour one minute"},
        {2, 15, "two hours fifteen minutes"},
        {13, 20, "thirteen hours twenty minutes"},
        {21, 35, "twenty-one hours thirty five minutes"},
        {23, 42, "twenty-three hours forty two minutes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(theme.sentence(c.hour, c.minute), c.sentence) << c.hour << ":" << c.minute;
}
