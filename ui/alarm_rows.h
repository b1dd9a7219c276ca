// What a row of the alarm list shows of its alarm, and the order of rows.
#pragma once

class Alarm;

// Images of the list's small-icon list, in the order they are added.
enum RowImage {
    ROW_IMAGE_ARMED = 0,      // yellow bell: armed, does not repeat
    ROW_IMAGE_REPEATING = 1,  // blue circular arrow: repeats
    ROW_IMAGE_IDLE = 2,       // bell crossed out: fired or disarmed
};

namespace alarm_rows {

// A repeating alarm shows the arrow, an armed one the bell, any other the
// crossed-out bell.
RowImage imageFor(const Alarm& alarm);

}  // namespace alarm_rows
