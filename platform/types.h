// Value types shared by the portable core and the platform layer.
#pragma once

#include <cstdint>
#include <string>

// A point in time: whole seconds since 1 January 1970 00:00 UTC, always
// 32 bits wide whatever the platform's time_t is.
using Timestamp = std::int32_t;
// A span of time in seconds.
using Duration = std::int32_t;

// The seconds of one day, as spans and times of day count them.
constexpr std::int32_t SECONDS_PER_DAY = 86400;

// The instant that stands for a date and time that cannot be represented.
constexpr Timestamp INVALID_TIME = -1;

// A sum of instants and spans worked out in 64 bits, held to the 32-bit range.
constexpr std::int32_t clampTo32Bits(long long value)
{
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(value);
}

// Local calendar fields of an instant. month is 1-12, dayOfWeek 0 (Sunday)
// to 6. When built by hand for a conversion, fields may lie outside their
// usual ranges; the conversion carries them over as mktime does.
struct LocalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 4;
};

// A position on the screen.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// An opaque handle of a launched program; 0 means none.
using ProcessHandle = std::uintptr_t;
constexpr ProcessHandle NO_PROCESS = 0;

// The exit code a program reports while it is still running.
constexpr std::uint32_t STILL_RUNNING_CODE = 259;

// Show commands for a launched program's first window.
enum ShowCommand : int {
    SHOW_MINIMIZED = 2,
    SHOW_MAXIMIZED = 3,
    SHOW_DEFAULT = 10,
};

// One program start: the file, its parameters and the folder to run it in.
struct LaunchRequest {
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = SHOW_DEFAULT;
};

// One entry of a folder listing.
struct FolderEntry {
    std::string name;
    bool isFolder = false;
};
