#include "ui/win32/window_placement.h"

#include <string>

#include "platform/notices.h"
#include "platform/platform.h"
#include "scheduler/options.h"
#include "ui/window_settings.h"

void WindowPlacement::restore(HWND window)
{
    // The window's own corner lies the frame and the caption above and left
    // of the client corner, so that the window comes back exactly where it
    // was left. With no Position the window's corner goes to the corner of
    // the screen.
    const std::string stored = m_platform.readSetting(OPTIONS_SECTION, OPTION_POSITION);
    const ScreenPoint position = window_settings::parsePosition(stored);
    RECT frame = {};
    POINT client = {0, 0};
    GetWindowRect(window, &frame);
    ClientToScreen(window, &client);
    const int x = stored.empty() ? 0 : position.x - (client.x - frame.left);
    const int y = stored.empty() ? 0 : position.y - (client.y - frame.top);
    const bool following = m_following;
    m_following = false;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_following = following;
}

void WindowPlacement::moved(LPARAM coordinates)
{
    if (!m_following)
        return;
    const int x = static_cast<short>(LOWORD(coordinates));
    const int y = static_cast<short>(HIWORD(coordinates));
    if (m_platform.writeSetting(OPTIONS_SECTION, OPTION_POSITION, window_settings::formatPair(x, y))) {
        m_failureShown = false;
        return;
    }
    if (m_failureShown)
        return;
    m_failureShown = true;
    m_notices.showNotice(CANT_WRITE);
}
