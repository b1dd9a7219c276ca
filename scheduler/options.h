// The general settings of the program, section "Options" of the settings
// file: the keys the alarm engine keeps (the voice theme and the silence
// period) with their defaults. The window keeps its own keys of the same
// section (ui/window_settings.h).
#pragma once

#include <string>

class Platform;

extern const char* const OPTIONS_SECTION;  // "Options"
extern const char* const OPTION_THEME;     // "Theme"
extern const char* const OPTION_SILENCE;   // "Silence"

// The voice theme used when the settings name none.
extern const char* const DEFAULT_THEME;  // "Default"

namespace options {

// "Theme"; an empty or missing value gives "Default" (nothing is written).
std::string readTheme(Platform& platform);

}  // namespace options
