#include "app/main_options.h"

#include <cstdio>

#include "platform/platform.h"

const char* const OPTIONS_SECTION = "Options";
const char* const OPTION_THEME = "Theme";
const char* const OPTION_SILENCE = "Silence";
const char* const OPTION_POSITION = "Position";
const char* const OPTION_FLAGS = "Flags";
const char* const OPTION_COLUMN = "Column";
const char* const DEFAULT_THEME = "Default";

namespace main_options {

namespace {

// The time of day of a bound that may lie outside one day (hours are taken
// as they were typed); the silence test only looks at the time of day.
int secondsOfDay(long long seconds)
{
    const long long day = 86400;
    return static_cast<int>(((seconds % day) + day) % day);
}

}  // namespace

std::string readTheme(Platform& platform)
{
    std::string theme = platform.readSetting(OPTIONS_SECTION, OPTION_THEME);
    return theme.empty() ? std::string(DEFAULT_THEME) : theme;
}

SilencePeriod parseSilence(const std::string& text)
{
    int n[6] = {0, 0, 0, 0, 0, 0};
    SilencePeriod period;
    if (std::sscanf(text.c_str(), " %d %*c %d %*c %d %*c %d %*c %d %*c %d", &n[0], &n[1], &n[2], &n[3], &n[4],
                    &n[5]) != 6)
        return period;  // an unreadable setting means no silence
    // Computed in 64 bits: typed hours far out of range must not overflow.
    const long long from = n[0] * 3600LL + n[1] * 60LL + n[2];
    const long long to = n[3] * 3600LL + n[4] * 60LL + n[5];
    period.from = secondsOfDay(from);
    period.to = secondsOfDay(to);
    return period;
}

std::string formatSilence(const SilencePeriod& period)
{
    const int from = secondsOfDay(period.from);
    const int to = secondsOfDay(period.to);
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d, %02d:%02d:%02d", from / 3600, from / 60 % 60, from % 60,
                  to / 3600, to / 60 % 60, to % 60);
    return text;
}

ScreenPoint parsePosition(const std::string& text)
{
    int x = 0;
    int y = 0;
    std::sscanf(text.c_str(), " %d , %d ", &x, &y);
    ScreenPoint point;
    point.x = x;
    point.y = y;
    return point;
}

int parseFlags(const std::string& text, int fallback)
{
    int flags = 0;
    return std::sscanf(text.c_str(), " %d ", &flags) == 1 ? flags : fallback;
}

ColumnWidths readColumnWidths(Platform& platform)
{
    ColumnWidths widths;
    const std::string text = platform.readSetting(OPTIONS_SECTION, OPTION_COLUMN);
    if (text.empty()) {
        platform.writeSetting(OPTIONS_SECTION, OPTION_COLUMN, formatPair(widths.first, widths.second));
        return widths;
    }
    std::sscanf(text.c_str(), " %d , %d ", &widths.first, &widths.second);
    return widths;
}

std::string formatPair(int first, int second)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d,%d", first, second);
    return text;
}

}  // namespace main_options
