// The main window's tick timer, fired just after a second boundary of the
// clock (see tick_timing.h for the rule): every second, or at the second the
// wake-up planning names while nothing needs a tick every second.
#pragma once

#include <windows.h>

#include "platform/types.h"

class TickTimer {
public:
    // Starts the timer on the window, aimed at the next boundary.
    void start(HWND window);
    // For a timer message: true when the tick runs now; one that came just
    // before its boundary is aimed at that boundary instead.
    bool arrived();
    // Aims the timer just after the boundary of that second (the next
    // boundary when the second has come already). Called after every tick
    // and every change that may move it: a clock that jumped is found
    // again, since the delay is always worked out from the clock as it is.
    void aimAt(Timestamp second);

private:
    void setPeriod(int period);

    HWND m_window = nullptr;
    int m_period = 0;
    // Set by a timer message until the next aim: a timer that has just
    // fired and keeps its period needs no setting again.
    bool m_justFired = false;
};
