#include "ui/win32/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "app_messages.h"

namespace {

// The icon at the size the notification area shows for the DPI: the system
// tells it through LoadIconMetric (common controls 6, Windows Vista on);
// before that the small icon size of the system metrics is the one it asks
// for.
HICON loadNotificationIcon(HINSTANCE module, UINT id)
{
    const int SMALL_METRIC = 0;  // LIM_SMALL, declared only for Windows Vista on
    using LoadIconMetricFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    static const auto loadIconMetric = reinterpret_cast<LoadIconMetricFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "LoadIconMetric")));
    HICON icon = nullptr;
    if (loadIconMetric != nullptr && SUCCEEDED(loadIconMetric(module, MAKEINTRESOURCEW(id), SMALL_METRIC, &icon)))
        return icon;
    return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

// Copies a text into a fixed field of the record, cut to fit, always ended.
template <std::size_t N>
void copyField(char (&field)[N], const std::string& text)
{
    const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

TrayIcon::~TrayIcon()
{
    if (m_icon != nullptr)
        DestroyIcon(m_icon);
}

NOTIFYICONDATAA TrayIcon::record(UINT parts) const
{
    // The version 2 record: its tip holds 127 characters and it carries
    // balloons; every shell since Windows 2000 takes it.
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = m_owner;
    data.uID = TRAY_ICON_ID;
    data.uFlags = parts;
    data.uCallbackMessage = TRAY_NOTIFY_MESSAGE;
    data.hIcon = m_icon;
    copyField(data.szTip, m_tip);
    return data;
}

void TrayIcon::add(HWND owner, HINSTANCE module, UINT iconId, const std::string& tip)
{
    m_owner = owner;
    if (m_icon == nullptr)
        m_icon = loadNotificationIcon(module, iconId);
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
