// Where the main window stands, kept in the Options key Position as the
// corner of its client area (as a move reports it): restored when the
// settings are read, written at every move the user makes.
#pragma once

#include <windows.h>

class Notices;
class Platform;

class WindowPlacement {
public:
    WindowPlacement(Platform& platform, Notices& notices) : m_platform(platform), m_notices(notices) {}

    // Moves the window to the stored place; this move is not saved.
    void restore(HWND window);
    // From now on moves are the user's and are saved.
    void follow() { m_following = true; }
    // A move notification: the new client corner is written. A write that
    // keeps failing is reported once, not at every move of a drag; a
    // successful write re-arms the report.
    void moved(LPARAM coordinates);

private:
    Platform& m_platform;
    Notices& m_notices;
    bool m_following = false;
    bool m_failureShown = false;
};
