#include "ui/time_list.h"

#include "ui/date_time_text.h"

namespace time_list {
namespace {

const int HOURS = 24;
const int QUARTERS = 4;
const int MINUTES_PER_QUARTER = 15;
const int DAY_STEP = 2;
const int LAST_DAY_COUNT = 30;

}  // namespace

std::vector<std::string> entries(TimeListMode mode)
{
    std::vector<std::string> list;
    if (mode == TimeListMode::Days) {
        for (int days = 0; days <= LAST_DAY_COUNT; days += DAY_STEP)
            list.push_back(std::to_string(days) + " " + DateTimeText::DAYS_WORD);
        return list;
    }
    for (int hour = 0; hour < HOURS; ++hour)
        for (int quarter = 0; quarter < QUARTERS; ++quarter)
            list.push_back(std::to_string(hour) + ":" + std::to_string(quarter * MINUTES_PER_QUARTER));
    return list;
}

std::string handedBack(TimeListMode mode, const std::string& entry)
{
    return mode == TimeListMode::TimeOfDay ? entry + ":00" : entry;
}

int entryOf(TimeListMode mode, const std::string& fieldText)
{
    // A field with no number (blank, or the placeholder of the invalid
    // instant) holds no entry's value, though it would read as 0.
    if (mode == TimeListMode::Days) {
        bool read = false;
        const int days = DateTimeText::readDayCount(fieldText, &read);
        const bool listed = read && days >= 0 && days <= LAST_DAY_COUNT && days % DAY_STEP == 0;
        return listed ? days / DAY_STEP : -1;
    }
    const DateTimeText::Clock clock = DateTimeText::readClock(fieldText);
    const bool listed = clock.numbersRead > 0 && clock.hours >= 0 && clock.hours < HOURS && clock.minutes >= 0 && clock.minutes < 60 &&
        clock.minutes % MINUTES_PER_QUARTER == 0 && clock.seconds == 0;
    return listed ? clock.hours * QUARTERS + clock.minutes / MINUTES_PER_QUARTER : -1;
}

}  // namespace time_list
