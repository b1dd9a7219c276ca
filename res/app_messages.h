// The program's own window messages, sent within the program and by the
// tests that drive it. Messages other processes send (the request of a
// second copy to show the window, an installer's request to end) are
// registered messages instead, since only those are the same in every
// process.
#pragma once

#include <windows.h>

// Mouse events on the notification icon: the icon's id in wParam, the mouse
// message in lParam.
constexpr UINT TRAY_NOTIFY_MESSAGE = WM_APP + 1;
// The id of the program's notification icon in the shell's calls.
constexpr UINT TRAY_ICON_ID = 142;
// Notices wait to be shown (NoticeBoxes): posted to the main window.
constexpr UINT NOTICES_WAITING_MESSAGE = WM_APP + 2;
// Asks a drop-down pop-up to destroy its window.
constexpr UINT CLOSE_DROP_DOWN_MESSAGE = WM_APP + 3;
