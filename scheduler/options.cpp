#include "scheduler/options.h"

#include <cstdio>

#include "platform/platform.h"

const char* const OPTIONS_SECTION = "Options";
const char* const OPTION_THEME = "Theme";
const char* const OPTION_SILENCE = "Silence";
const char* const OPTION_FLAGS = "Flags";
const char* const DEFAULT_THEME = "Default";

namespace options {

std::string readTheme(Platform& platform)
{
    std::string theme = platform.readSetting(OPTIONS_SECTION, OPTION_THEME);
    return theme.empty() ? std::string(DEFAULT_THEME) : theme;
}

int parseFlags(const std::string& text, int fallback)
{
    int flags = 0;
    return std::sscanf(text.c_str(), " %d ", &flags) == 1 ? flags : fallback;
}

SortDirection sortDirectionOf(int listFlags)
{
    return (listFlags & SORT_DESCENDING) != 0 ? SortDirection::LatestFirst : SortDirection::EarliestFirst;
}

}  // namespace options
