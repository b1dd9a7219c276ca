#include "ui/alarm_rows.h"

#include "model/alarm.h"

namespace alarm_rows {

RowImage imageFor(const Alarm& alarm)
{
    if (alarm.has(ALARM_REPEAT))
        return ROW_IMAGE_REPEATING;
    if (alarm.isArmed())
        return ROW_IMAGE_ARMED;
    return ROW_IMAGE_IDLE;
}

}  // namespace alarm_rows
