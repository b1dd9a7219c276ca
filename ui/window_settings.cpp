#include "ui/window_settings.h"

#include <cstdio>

#include "platform/platform.h"
#include "scheduler/options.h"

const char* const OPTION_POSITION = "Position";
const char* const OPTION_COLUMN = "Column";
const char* const OPTION_FLAGS = "Flags";
const char* const CANT_WRITE = "Can't Write";

namespace window_settings {

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

}  // namespace window_settings
