// The main window's one-second timer, kept just after each second boundary
// of the clock (see tick_timing.h for the rule).
#pragma once

#include <windows.h>

class TickTimer {
public:
    // Starts the timer on the window, aimed at the next boundary.
    void start(HWND window);
    // For a timer message: true when the tick runs now. The timer is aligned
    // again when it has drifted.
    bool arrived();
    // After the clock jumped (changed by hand, or the machine woke up): the
    // timer finds the new second boundary.
    void realign();

private:
    void setPeriod(int period);

    HWND m_window = nullptr;
    int m_period = 0;
};
