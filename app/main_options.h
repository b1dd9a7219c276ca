// The general settings of the main window, section "Options" of the
// settings file: their text forms, their defaults and how they are read.
#pragma once

#include <string>

#include "platform/types.h"

class Platform;

// Section and key names.
extern const char* const OPTIONS_SECTION;    // "Options"
extern const char* const OPTION_THEME;       // "Theme"
extern const char* const OPTION_SILENCE;     // "Silence"
extern const char* const OPTION_POSITION;    // "Position"
extern const char* const OPTION_FLAGS;       // "Flags"
extern const char* const OPTION_COLUMN;      // "Column"

// The voice theme used when the settings name none.
extern const char* const DEFAULT_THEME;      // "Default"
constexpr int DEFAULT_LIST_FLAGS = 1;        // SortDescending
constexpr int SORT_DESCENDING = 0x1;         // bit 0 of listFlags
constexpr int DEFAULT_COLUMN_WIDTH_0 = 130;
constexpr int DEFAULT_COLUMN_WIDTH_1 = 124;

struct ColumnWidths {
    int first = DEFAULT_COLUMN_WIDTH_0;
    int second = DEFAULT_COLUMN_WIDTH_1;
};

// The silence period as seconds of the day's start and end. Without a
// readable setting both are 0: equal bounds mean no silence at all.
struct SilencePeriod {
    int from = 0;
    int to = 0;
};

namespace main_options {

// "Theme"; an empty or missing value gives "Default" (nothing is written).
std::string readTheme(Platform& platform);
// "Silence": six numbers, any single character between them.
SilencePeriod parseSilence(const std::string& text);
// "22:00:00, 07:00:00": hours of the day, minutes and seconds of each bound.
std::string formatSilence(const SilencePeriod& period);
// "Position": x and y; numbers that are not there stay 0.
ScreenPoint parsePosition(const std::string& text);
// "Flags": the value when one number parses, otherwise the given fallback.
int parseFlags(const std::string& text, int fallback);
// "Column": the two widths; an empty value gives the defaults and writes
// "130,124" to the key at once (its result is not looked at).
ColumnWidths readColumnWidths(Platform& platform);
// "%d,%d", the form of Position and Column.
std::string formatPair(int first, int second);

}  // namespace main_options
