#include "ui/win32/notice_boxes.h"

#include <algorithm>

#include "app_messages.h"
#include "platform/win32/framework/win_app.h"

void NoticeBoxes::showNotice(const std::string& text, const std::string& detail)
{
    // A box opened here would run its modal loop inside the caller, the tick
    // above all, and hold back every later tick until someone closed it: the
    // notice waits until the main window is back in its message loop. One
    // that is already open or waiting is not repeated.
    const Notice notice{text, detail};
    if ((m_showing && notice == m_open) || std::find(m_waiting.begin(), m_waiting.end(), notice) != m_waiting.end())
        return;
    m_waiting.push_back(notice);
    if (m_mainWindow != nullptr && !m_showPosted)
        m_showPosted = PostMessageA(m_mainWindow, NOTICES_WAITING_MESSAGE, 0, 0) != FALSE;
    if (!m_showPosted)
        showWaiting();
}

void NoticeBoxes::withdrawNotice(const std::string& text)
{
    m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(),
                                   [&](const Notice& notice) { return notice.text == text; }),
                    m_waiting.end());
    if (m_showing && m_open.text == text)
        CWinApp::CloseNoticeBox();
}

void NoticeBoxes::showWaiting()
{
    m_showPosted = false;
    if (m_showing)
        return;
    m_showing = true;
    while (!m_waiting.empty()) {
        m_open = m_waiting.front();
        m_waiting.pop_front();
        if (CWinApp::Instance() != nullptr)
            CWinApp::Instance()->NoticeBox(m_open.text, m_open.detail, owner());
    }
    m_showing = false;
}

HWND NoticeBoxes::owner() const
{
    // The window the user works in, when one is on screen; a box owned by the
    // hidden main window would be hidden with it.
    HWND active = GetActiveWindow();
    if (active != nullptr && IsWindowVisible(active))
        return active;
    return m_mainWindow != nullptr && IsWindowVisible(m_mainWindow) ? m_mainWindow : nullptr;
}
