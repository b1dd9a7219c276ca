// The action and option bits of Alarm::flags, the values of Alarm::state and
// the lateness limit of "In time" alarms.
#pragma once

#include <cstdint>

#include "platform/types.h"

// Bits of Alarm::flags. Bits 15 to 31 are never set by the program.
constexpr std::uint32_t ALARM_PLAY_WAVE = 0x1;
constexpr std::uint32_t ALARM_SHOW_MESSAGE = 0x2;
constexpr std::uint32_t ALARM_REPEAT = 0x4;
constexpr std::uint32_t ALARM_IN_TIME = 0x8;
constexpr std::uint32_t ALARM_AUTODELETE = 0x10;
constexpr std::uint32_t ALARM_EXECUTE = 0x20;
constexpr std::uint32_t ALARM_WINDOW_MINIMIZED = 0x40;
constexpr std::uint32_t ALARM_WINDOW_MAXIMIZED = 0x80;
constexpr std::uint32_t ALARM_SAY_TIME = 0x100;
constexpr std::uint32_t ALARM_CLOSE_WHEN_USER_BACK = 0x200;
constexpr std::uint32_t ALARM_CLOSE_ON_NEXT_EXECUTE = 0x400;
constexpr std::uint32_t ALARM_CLOSE_AFTER = 0x800;
constexpr std::uint32_t ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED = 0x1000;
constexpr std::uint32_t ALARM_WAIT_FOR_USER_AWAY = 0x2000;
constexpr std::uint32_t ALARM_EXECUTE_PENDING = 0x4000;

// Values of Alarm::state. Each non-idle value is also the bit that the
// scheduler tests: bit 0 means armed, bit 1 means process-watch entry. Only
// the store and the list compare with the exact value ALARM_STATE_WATCH.
constexpr std::int32_t ALARM_STATE_IDLE = 0;
constexpr std::int32_t ALARM_STATE_ARMED = 1;
constexpr std::int32_t ALARM_STATE_WATCH = 2;
constexpr std::int32_t ALARM_STATE_ARMED_BIT = ALARM_STATE_ARMED;
constexpr std::int32_t ALARM_STATE_WATCH_BIT = ALARM_STATE_WATCH;

// An "In time" alarm found this late or later is missed instead of fired.
constexpr Duration IN_TIME_WINDOW = 300;
