// The general settings of the program, section "Options" of the settings
// file: the keys the alarm engine keeps (the voice theme, the silence period
// and the list flags) with their defaults. The window keeps its own keys of
// the same section (ui/window_settings.h).
#pragma once

#include <string>

#include "model/alarm.h"

class Platform;

extern const char* const OPTIONS_SECTION;  // "Options"
extern const char* const OPTION_THEME;     // "Theme"
extern const char* const OPTION_SILENCE;   // "Silence"
extern const char* const OPTION_FLAGS;     // "Flags"

// The voice theme used when the settings name none.
extern const char* const DEFAULT_THEME;  // "Default"
// Bit 0 of the list flags: the latest alarm comes first.
constexpr int SORT_DESCENDING = 0x1;
constexpr int DEFAULT_LIST_FLAGS = SORT_DESCENDING;

namespace options {

// "Theme"; an empty or missing value gives "Default" (nothing is written).
std::string readTheme(Platform& platform);
// "Flags": the value when one number parses, otherwise the given fallback.
int parseFlags(const std::string& text, int fallback);
// The order of the alarm list that the list flags ask for.
SortDirection sortDirectionOf(int listFlags);

}  // namespace options
