#include "ui/late_alarm_text.h"

#include <algorithm>

namespace late_alarm_text {

namespace {

std::string counted(long long count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string lineFor(const LateAlarm& alarm, DateTimeText& texts)
{
    std::string line = texts.dateText(alarm.time) + " " + texts.timeOfDayText(alarm.time) + "  ";
    if (!alarm.message.empty())
        line += alarm.message + "  ";
    if (alarm.minutesLate == LateAlarm::MISSED)
        return line + "missed";
    return line + "fired " + counted(alarm.minutesLate, "minute", "minutes") + " late";
}

std::string summaryOf(const std::vector<LateAlarm>& late)
{
    const long long missed = std::count_if(late.begin(), late.end(),
                                           [](const LateAlarm& alarm) { return alarm.minutesLate == LateAlarm::MISSED; });
    const long long rungLate = static_cast<long long>(late.size()) - missed;
    std::string text;
    if (missed > 0)
        text = counted(missed, "alarm", "alarms") + " missed";
    if (rungLate > 0)
        text += missed > 0 ? " and " + std::to_string(rungLate) + " fired late"
                           : counted(rungLate, "alarm", "alarms") + " fired late";
    return text + " while Quorvel was not running or the computer was asleep";
}

}  // namespace late_alarm_text
