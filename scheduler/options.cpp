#include "scheduler/options.h"

#include "platform/platform.h"

const char* const OPTIONS_SECTION = "Options";
const char* const OPTION_THEME = "Theme";
const char* const OPTION_SILENCE = "Silence";
const char* const DEFAULT_THEME = "Default";

namespace options {

std::string readTheme(Platform& platform)
{
    std::string theme = platform.readSetting(OPTIONS_SECTION, OPTION_THEME);
    return theme.empty() ? std::string(DEFAULT_THEME) : theme;
}

}  // namespace options
