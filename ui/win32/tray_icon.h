// The program's icon in the notification area of the taskbar. Mouse events
// on it reach the owning window as TRAY_NOTIFY_MESSAGE (app_messages.h) with
// the mouse message in the second parameter.
#pragma once

#include <windows.h>

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon resource, loaded at the size the notification area asks
    // for, with the tip text (at most 60 characters are used).
    void add(HWND owner, HINSTANCE module, UINT iconId, const char* tip);
    // Adds it again after the taskbar has been restarted.
    void restore();
    void remove();

private:
    HWND m_owner = nullptr;
    HICON m_icon = nullptr;
    char m_tip[64] = {0};
};
