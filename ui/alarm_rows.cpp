#include "ui/alarm_rows.h"

#include "app/main_options.h"
#include "model/alarm.h"

namespace alarm_rows {

RowImage imageFor(const Alarm& alarm)
{
    if ((alarm.flags & ALARM_REPEAT) != 0)
        return ROW_IMAGE_REPEATING;
    if (alarm.isArmed())
        return ROW_IMAGE_ARMED;
    return ROW_IMAGE_IDLE;
}

int sortDirection(int listFlags)
{
    return (listFlags & SORT_DESCENDING) != 0 ? 1 : -1;
}

}  // namespace alarm_rows
