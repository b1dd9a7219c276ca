// The program's icon in the notification area of the taskbar. Mouse events
// on it reach the owning window as TRAY_NOTIFY_MESSAGE (app_messages.h) with
// the mouse message in the second parameter; a click on its balloon comes as
// NIN_BALLOONUSERCLICK.
#pragma once

#include <windows.h>

#include <string>

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon resource, loaded at the size the notification area asks
    // for, with its tip.
    void add(HWND owner, HINSTANCE module, UINT iconId, const std::string& tip);
    // Adds it again after the taskbar has been restarted, with the tip of
    // the moment.
    void restore();
    void remove();
    // The tip, cut to the 127 characters a tip holds; the shell is told
    // only when it changes.
    void setTip(const std::string& tip);
    // A balloon over the icon, where the shell shows them.
    void showBalloon(const std::string& title, const std::string& text);

private:
    // The record that names this icon, with the given parts to change.
    NOTIFYICONDATAA record(UINT parts) const;

    HWND m_owner = nullptr;
    HICON m_icon = nullptr;
    std::string m_tip;
};
