#include "scheduler/announcer.h"

#include <algorithm>
#include <cstdio>

#include "platform/ascii.h"
#include "platform/profile/profile_document.h"

const char* const Announcer::SECTION = "Speak";
const char* const Announcer::OPEN_FAILED = "\xCD\xE5 \xEE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB ";
const char* const Announcer::NOTHING_USABLE = "This voice theme file holds no key = value line that can be used: ";

namespace {

// The word that follows a number, by the form number of its entry.
enum WordForm { FORM_SINGULAR = 0, FORM_PLURAL = 1, FORM_SECOND_PLURAL = 2 };

const char* hourWordKey(int form)
{
    switch (form) {
    case FORM_SINGULAR:
        return "Hour";
    case FORM_PLURAL:
        return "Hours";
    case FORM_SECOND_PLURAL:
        return "Hour2";
    default:
        return "Hours";
    }
}

const char* minuteWordKey(int form)
{
    switch (form) {
    case FORM_SINGULAR:
        return "Minute";
    case FORM_PLURAL:
        return "Minutes";
    case FORM_SECOND_PLURAL:
        return "Minute2";
    default:
        return "Minute";
    }
}

// The default word entries: key and file name in the theme folder.
const char* const WORD_FILES[][2] = {
    {"Hour", "hour.wav"},     {"Hours", "hours.wav"},     {"Hour2", "hour2.wav"},
    {"Minute", "minute.wav"}, {"Minutes", "minutes.wav"}, {"Minute2", "minute2.wav"},
};

// One line of theme.ini as " %[^=] = %[^\n]" reads it: the key runs from
// the first non-blank character to the first '=', the value from the first
// non-blank character after it to the end of the line. Lines that give no
// key or no value are not entries. Each part is cut to its limit; the blanks
// that close the key are dropped, as the settings file ignores them anyway.
bool parseThemeLine(const std::string& line, std::string& key, std::string& value)
{
    std::size_t start = 0;
    while (start < line.size() && ascii::isSpace(line[start]))
        ++start;
    const std::size_t equals = line.find('=', start);
    if (equals == std::string::npos || equals == start)
        return false;
    std::size_t valueStart = equals + 1;
    while (valueStart < line.size() && ascii::isSpace(line[valueStart]))
        ++valueStart;
    if (valueStart == line.size())
        return false;
    key = line.substr(start, std::min(equals - start, Announcer::KEY_LIMIT));
    while (!key.empty() && ascii::isSpace(key.back()))
        key.pop_back();
    value = line.substr(valueStart, Announcer::VALUE_LIMIT);
    return true;
}

// The lines of a text, ended by CR, LF or CR LF, each cut to the line limit
// (the rest of a longer line is dropped).
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            continue;
        }
        open = true;
        if (line.size() < Announcer::LINE_LIMIT)
            line += c;
    }
    if (open)
        lines.push_back(line);
    return lines;
}

}  // namespace

Announcer::Announcer(Platform& platform, SchedulerState& state, Notices& notices)
    : m_platform(platform), m_state(state), m_notices(notices)
{}

std::string Announcer::speakKeyForHour(int hour)
{
    const bool ownHourKey = hour == 1 || hour == 2 || hour > 20;
    return std::to_string(hour) + (ownHourKey ? "h" : "");
}

std::string Announcer::speakKeyForMinute(int minute)
{
    const bool ownMinuteKey = minute == 1 || minute == 2 || minute > 20;
    return std::to_string(minute) + (ownMinuteKey ? "m" : "");
}

std::string Announcer::readEntry(const std::string& key)
{
    return m_platform.readSetting(SECTION, key);
}

Announcer::NumberEntry Announcer::parseNumberEntry(const std::string& value)
{
    // An entry that does not parse keeps form 0 and no file: its number is
    // then not heard.
    NumberEntry entry;
    char file[PATH_LIMIT + 1] = "";
    std::sscanf(value.c_str(), " %d , %255s", &entry.form, file);
    entry.file = file;
    return entry;
}

std::string Announcer::fullPath(const std::string& value) const
{
    // Paths are written from the start folder with one leading character
    // (the "." of ".\\") that gives way to it.
    return m_state.startFolder + value.substr(1);
}

void Announcer::announceTime()
{
    // Before the first tick there is no tick time yet; the current time is
    // what a user asking for the time wants to hear.
    const Timestamp spoken = m_state.tickTime == INVALID_TIME ? m_platform.now() : m_state.tickTime;
    LocalTime local;
    if (!m_platform.toLocal(spoken, local))
        return;
    std::vector<std::string> pieces;
    if (!findPieces(local, pieces)) {
        // A fresh settings file has no words yet: the current theme's own
        // theme.ini gives them, with the word forms the theme needs; the
        // default entries only where it has none. Either way the time is
        // said now, not at the next press.
        if (copyThemeFile(m_state.currentTheme) != ThemeCopy::Copied)
            writeDefaultSpeakEntries(m_state.currentTheme);
        if (!findPieces(local, pieces))
            return;
    }

    // All pieces are read before the first plays, so they follow each other
    // without gaps. A piece that cannot be read is left out: nothing is
    // heard for it, the others play.
    std::vector<std::vector<unsigned char>> waves;
    for (const std::string& piece : pieces) {
        std::vector<unsigned char> wave;
        if (!piece.empty() && m_platform.readWholeFile(fullPath(piece), wave) && !wave.empty())
            waves.push_back(std::move(wave));
    }
    for (const auto& wave : waves)
        m_platform.playSoundMemory(wave);
}

bool Announcer::findPieces(const LocalTime& local, std::vector<std::string>& pieces)
{
    const int tens = local.minute <= 19 ? local.minute : local.minute / 10 * 10;
    const int units = local.minute - tens;
    const bool unitsSpoken = local.minute > 20 && units != 0;

    const std::string hourValue = readEntry(speakKeyForHour(local.hour));
    const std::string minuteValue = readEntry(speakKeyForMinute(tens));
    const std::string unitsValue = unitsSpoken ? readEntry(speakKeyForMinute(units)) : std::string();
    if (hourValue.empty() || minuteValue.empty() || (unitsSpoken && unitsValue.empty()))
        return false;

    const NumberEntry hour = parseNumberEntry(hourValue);
    const std::string hourWord = readEntry(hourWordKey(hour.form));
    const NumberEntry minute = parseNumberEntry(minuteValue);
    NumberEntry unitsEntry;
    int minuteForm = minute.form;
    if (unitsSpoken) {
        unitsEntry = parseNumberEntry(unitsValue);
        minuteForm = unitsEntry.form;  // the word agrees with the last number
    }
    const std::string minuteWord = readEntry(minuteWordKey(minuteForm));
    if (hourWord.empty() || minuteWord.empty())
        return false;

    pieces = {hour.file, hourWord, minute.file};
    if (unitsSpoken)
        pieces.push_back(unitsEntry.file);
    pieces.push_back(minuteWord);
    return true;
}

void Announcer::writeDefaultSpeakEntries(const std::string& theme)
{
    const std::string folder = ".\\speak\\" + theme + "\\";
    std::vector<SettingChange> changes;
    for (const auto& word : WORD_FILES)
        changes.push_back(SettingChange{word[0], folder + word[1]});
    const auto addNumber = [&](const std::string& key) {
        changes.push_back(SettingChange{key, "0," + folder + key + ".wav"});
    };
    for (int i = 0; i < 24; ++i) {
        const bool shared = i == 0 || (i >= 3 && i <= 20);
        if (shared) {
            addNumber(std::to_string(i));
            continue;
        }
        addNumber(std::to_string(i) + "h");
        // The hour-only numbers pair with the minute-only ones: 1, 2 and
        // 30, 40, 50.
        const int minute = i <= 2 ? i : i * 10 - 180;
        addNumber(std::to_string(minute) + "m");
    }
    m_platform.writeSettings(SECTION, changes);
}

void Announcer::loadThemeFile(const std::string& theme)
{
    const std::string path = themeFilePath(theme);
    switch (copyThemeFile(theme)) {
    case ThemeCopy::Copied:
        return;
    case ThemeCopy::Unreadable:
        m_notices.showNotice(OPEN_FAILED, path);
        return;
    case ThemeCopy::NothingUsable:
        m_notices.showNotice(NOTHING_USABLE, path);
        return;
    }
}

std::string Announcer::themeFilePath(const std::string& theme) const
{
    return m_state.startFolder + "\\speak\\" + theme + "\\theme.ini";
}

Announcer::ThemeCopy Announcer::copyThemeFile(const std::string& theme)
{
    std::string text;
    if (!m_platform.readTextFile(themeFilePath(theme), text))
        return ThemeCopy::Unreadable;
    // Lines the settings file cannot hold (a key that would read back as a
    // comment or a section, a NUL) are skipped: one of them would make the
    // settings file refuse the whole theme.
    std::vector<SettingChange> changes;
    std::string key;
    std::string value;
    for (const std::string& line : splitLines(text))
        if (parseThemeLine(line, key, value) && ProfileDocument::isWritableKey(key) &&
            ProfileDocument::isWritableValue(value))
            changes.push_back(SettingChange{key, value});
    if (changes.empty())
        return ThemeCopy::NothingUsable;
    m_platform.writeSettings(SECTION, changes);
    return ThemeCopy::Copied;
}
