// The notices of the program as message boxes: a notice raised anywhere
// waits until the main window is back in its message loop, then shows in a
// box in front of every window, one box at a time.
#pragma once

#include <windows.h>

#include <deque>
#include <string>

#include "platform/notices.h"

class NoticeBoxes : public Notices {
public:
    NoticeBoxes() = default;
    NoticeBoxes(const NoticeBoxes&) = delete;
    NoticeBoxes& operator=(const NoticeBoxes&) = delete;

    // The main window: it is sent NOTICES_WAITING_MESSAGE when a notice
    // waits, and calls showWaiting then. Without one notices show at once.
    void setMainWindow(HWND window) { m_mainWindow = window; }
    // Shows the waiting notices, one box at a time. Called from a box's own
    // message loop it does nothing: the rest follow when the box closes.
    void showWaiting();

    void showNotice(const std::string& text, const std::string& detail = std::string()) override;
    void withdrawNotice(const std::string& text) override;

private:
    struct Notice {
        std::string text;
        std::string detail;
        bool operator==(const Notice& other) const { return text == other.text && detail == other.detail; }
    };

    HWND owner() const;

    HWND m_mainWindow = nullptr;
    std::deque<Notice> m_waiting;
    Notice m_open;
    bool m_showing = false;
    bool m_showPosted = false;
};
