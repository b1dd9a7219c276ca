// The tip of the notification-area icon: the program's name and the alarm
// that rings next, so that the user sees it without opening the window.
#pragma once

#include <cstddef>
#include <string>

#include "model/alarm.h"
#include "ui/date_time_text.h"

namespace tray_tip {

// The most characters a tip holds.
constexpr std::size_t TIP_LIMIT = 127;

// "Quorvel - next: Tue 08.12.26 7:30:00 Wake up", the date and time in the
// editor's forms and as much of the message as fits; "Quorvel - no alarm
// set" when no alarm is armed.
std::string textFor(const Alarm* next, DateTimeText& texts);

}  // namespace tray_tip
