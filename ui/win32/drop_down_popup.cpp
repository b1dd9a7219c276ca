#include "ui/win32/drop_down_popup.h"

#include "app_messages.h"

DropDownPopup::DropDownPopup(UINT templateId, CWnd& opener, HWND field)
    : CSelfDeletingDialog(templateId, &opener), m_field(field)
{}

void DropDownPopup::open(DropDownPopup* popup)
{
    const HWND field = popup->m_field;
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
        setFieldText(*text);
    // The window goes once the message that led here is done with it: the
    // list view that reported a click, or the system that is moving the
    // activation away, still works on it.
    PostMessageA(m_hWnd, CLOSE_DROP_DOWN_MESSAGE, 0, 0);
}

std::string DropDownPopup::fieldText()
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_field)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_field, &text[0], static_cast<int>(text.size()))));
    return text;
}

void DropDownPopup::setFieldText(const std::string& text)
{
    ::SetWindowTextA(m_field, text.c_str());
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
