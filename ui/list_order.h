// The order of the main window's alarm list, kept in bit 0 of the Options
// key Flags: read with the window's other keys, flipped and written by a
// click on a list header.
#pragma once

#include <string>

#include "model/alarm.h"

class Platform;

class ListOrder {
public:
    // Bit 0 of the list flags: the latest alarm comes first.
    static constexpr int SORT_DESCENDING = 0x1;
    static constexpr int DEFAULT_FLAGS = SORT_DESCENDING;

    explicit ListOrder(Platform& platform) : m_platform(platform) {}

    // "Flags": the value when one number parses, otherwise the given fallback.
    static int parseFlags(const std::string& text, int fallback);

    // Takes the flags from the settings; a value that does not parse keeps
    // the flags as they are.
    void load();
    SortDirection direction() const;
    // Flips bit SortDescending only and writes the flags; the result of the
    // write is not looked at.
    void reverse();

private:
    Platform& m_platform;
    int m_flags = DEFAULT_FLAGS;
};
