#include "ui/win32/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "app_messages.h"

void TrayIcon::add(HWND owner, HICON icon, const char* tip)
{
    m_owner = owner;
    m_icon = icon;
    std::strncpy(m_tip, tip, 60);
    m_tip[60] = '\0';
    restore();
}

void TrayIcon::restore()
{
    if (m_owner == nullptr)
        return;
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = m_owner;
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TRAY_NOTIFY_MESSAGE;
    data.hIcon = m_icon;
    std::strncpy(data.szTip, m_tip, sizeof data.szTip - 1);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void TrayIcon::remove()
{
    if (m_owner == nullptr)
        return;
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = m_owner;
    data.uID = TRAY_ICON_ID;
    Shell_NotifyIconA(NIM_DELETE, &data);
    m_owner = nullptr;
}
