// Says the time aloud from the wave files of a voice theme, as named by the
// Speak section of the settings file, and fills that section from a theme's
// "theme.ini" or with the default entries of a theme.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/notices.h"
#include "platform/platform.h"
#include "scheduler/scheduler_state.h"

class Announcer {
public:
    static const char* const SECTION;         // "Speak"
    static const char* const OPEN_FAILED;     // "Не открыть файл " in Windows-1251
    static const char* const NOTHING_USABLE;  // a theme.ini without one usable line
    // Limits of one theme.ini line and of its key and value.
    static constexpr std::size_t LINE_LIMIT = 254;
    static constexpr std::size_t KEY_LIMIT = 19;
    static constexpr std::size_t VALUE_LIMIT = 255;
    // The longest file path a number entry gives.
    static constexpr std::size_t PATH_LIMIT = 255;

    Announcer(Platform& platform, SchedulerState& state, Notices& notices);

    // "0".."20", with "h" after 1, 2, 21, 22 and 23.
    static std::string speakKeyForHour(int hour);
    // The number, with "m" after 1, 2 and anything above 20.
    static std::string speakKeyForMinute(int minute);

    // Plays the hour and minute of the latest tick (the current time before
    // the first tick) and returns when the last piece has been played. When
    // an entry it needs is missing, the current theme's theme.ini is copied
    // into Speak first (its default entries where it has no usable one) and
    // the time is said with them.
    void announceTime();
    // The 35 default entries of the theme, written in one go.
    void writeDefaultSpeakEntries(const std::string& theme);
    // Copies the key = value lines of the theme's theme.ini (8-bit or UTF-16
    // text) into Speak, skipping lines the settings file cannot hold; a
    // missing file, or one without a line to copy, is reported and leaves
    // Speak as it was.
    void loadThemeFile(const std::string& theme);

private:
    enum class ThemeCopy { Copied, Unreadable, NothingUsable };
    // The pieces that say the time: hour, its word, minute (tens, then
    // units past 20), the minute word; false when an entry is missing.
    bool findPieces(const LocalTime& local, std::vector<std::string>& pieces);
    std::string themeFilePath(const std::string& theme) const;
    // Copies theme.ini into Speak without a word to the user.
    ThemeCopy copyThemeFile(const std::string& theme);
    // A number entry: " %d , %s" of form number and file path.
    struct NumberEntry {
        int form = 0;
        std::string file;
    };
    static NumberEntry parseNumberEntry(const std::string& value);
    std::string readEntry(const std::string& key);
    std::string fullPath(const std::string& value) const;

    Platform& m_platform;
    SchedulerState& m_state;
    Notices& m_notices;
};
