#include "ui/win32/drop_down_popup.h"

#include "app_messages.h"

DropDownPopup::DropDownPopup(UINT templateId, CWnd& opener, std::string& target)
    : CSelfDeletingDialog(templateId, &opener), m_target(target)
{}

void DropDownPopup::open(DropDownPopup* popup, HWND field)
{
    if (!Open(popup))
        return;
    RECT fieldRect;
    RECT own;
    GetWindowRect(field, &fieldRect);
    GetWindowRect(popup->GetSafeHwnd(), &own);
    // Under the field, or above it where the screen ends below.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&fieldRect, MONITOR_DEFAULTTONEAREST), &monitor);
    const int height = own.bottom - own.top;
    int top = fieldRect.bottom;
    if (top + height > monitor.rcWork.bottom && fieldRect.top - height >= monitor.rcWork.top)
        top = fieldRect.top - height;
    SetWindowPos(popup->GetSafeHwnd(), nullptr, fieldRect.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    popup->ShowWindow(SW_SHOW);
}

void DropDownPopup::handBackAndClose()
{
    if (m_handedBack)
        return;
    m_handedBack = true;
    if (const std::optional<std::string> text = choice())
        m_target = *text;
    // The window goes once the message that led here is done with it: the
    // list view that reported a click, or the system that is moving the
    // activation away, still works on it.
    PostMessageA(m_hWnd, CLOSE_DROP_DOWN_MESSAGE, 0, 0);
}

void DropDownPopup::OnOK()
{
    handBackAndClose();
}

void DropDownPopup::OnCancel()
{
    handBackAndClose();
}

void DropDownPopup::OnActivate(UINT state, HWND)
{
    if (state == WA_INACTIVE)
        handBackAndClose();
}

bool DropDownPopup::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    if (message != CLOSE_DROP_DOWN_MESSAGE)
        return false;
    result = 0;
    DestroyWindow();
    return true;
}
