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

}  // namespace

TrayIcon::~TrayIcon()
{
    if (m_icon != nullptr)
        DestroyIcon(m_icon);
}

void TrayIcon::add(HWND owner, HINSTANCE module, UINT iconId, const char* tip)
{
    m_owner = owner;
    if (m_icon == nullptr)
        m_icon = loadNotificationIcon(module, iconId);
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
