// The words of the notice of missed and late alarms: one line for each alarm
// in the "Missed alarms" window, and one sentence for the balloon over the
// notification-area icon.
#pragma once

#include <string>
#include <vector>

#include "scheduler/late_alarm.h"
#include "ui/date_time_text.h"

namespace late_alarm_text {

// "Tue 08.12.26 7:30:00  Wake up  missed", or "... fired 12 minutes late".
std::string lineFor(const LateAlarm& alarm, DateTimeText& texts);
// "2 alarms missed while Quorvel was not running or the computer was asleep";
// late ones are counted as "fired late".
std::string summaryOf(const std::vector<LateAlarm>& late);

}  // namespace late_alarm_text
