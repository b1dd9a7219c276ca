// The main window's own keys of the Options section: where the window stands
// ("Position"), how wide the list's columns are ("Column") and the list's
// order ("Flags", ui/list_order.h).
#pragma once

#include <string>

#include "platform/types.h"

class Platform;

extern const char* const OPTION_POSITION;  // "Position"
extern const char* const OPTION_COLUMN;    // "Column"
extern const char* const OPTION_FLAGS;     // "Flags"
// Told when either cannot be written.
extern const char* const CANT_WRITE;  // "Can't Write"

struct ColumnWidths {
    int first = 130;
    int second = 124;
};

namespace window_settings {

// "Position": x and y; numbers that are not there stay 0.
ScreenPoint parsePosition(const std::string& text);
// "Column": the two widths; an empty value gives the defaults and writes
// "130,124" to the key at once (its result is not looked at).
ColumnWidths readColumnWidths(Platform& platform);
// "%d,%d", the form of Position and Column.
std::string formatPair(int first, int second);

}  // namespace window_settings
