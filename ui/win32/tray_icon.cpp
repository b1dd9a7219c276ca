#include "ui/win32/tray_icon.h"

#include <shellapi.h>

#include <cstring>

namespace {

// Copies a text into a fixed field of the record, cut to fit, always ended.
template <std::size_t N>
void copyField(char (&field)[N], const std::string& text)
{
    const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

NOTIFYICONDATAA TrayIcon::record(UINT parts) const
{
    // The version 2 record: its tip holds 127 characters and it carries
    // balloons; every shell since Windows 2000 takes it.
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = m_owner;
    data.uID = TRAY_ICON_ID;
    data.uFlags = parts;
    data.uCallbackMessage = TRAY_MESSAGE;
    data.hIcon = m_icon;
    copyField(data.szTip, m_tip);
    return data;
}

void TrayIcon::add(HWND owner, HICON icon, const std::string& tip)
{
    m_owner = owner;
    m_icon = icon;
    m_tip = tip;
    restore();
}

void TrayIcon::restore()
{
    if (m_owner == nullptr)
        return;
    NOTIFYICONDATAA data = record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void TrayIcon::remove()
{
    if (m_owner == nullptr)
        return;
    NOTIFYICONDATAA data = record(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
    m_owner = nullptr;
}

void TrayIcon::setTip(const std::string& tip)
{
    if (tip == m_tip)
        return;
    m_tip = tip;
    if (m_owner == nullptr)
        return;
    NOTIFYICONDATAA data = record(NIF_TIP);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TrayIcon::showBalloon(const std::string& title, const std::string& text)
{
    if (m_owner == nullptr)
        return;
    NOTIFYICONDATAA data = record(NIF_INFO);
    copyField(data.szInfoTitle, title);
    copyField(data.szInfo, text);
    data.dwInfoFlags = NIIF_WARNING;
    data.uTimeout = 30000;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}
