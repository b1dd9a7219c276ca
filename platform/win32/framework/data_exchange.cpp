#include "platform/win32/framework/data_exchange.h"

#include <cstring>

#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/text_encoding.h"
#include "platform/win32/framework/win_app.h"
#include "platform/number_text.h"

const char* const MSG_ENTER_INTEGER = number_text::ENTER_INTEGER;
const char* const MSG_ENTER_POSITIVE_INTEGER = number_text::ENTER_POSITIVE_INTEGER;
const char* const MSG_ENTER_INTEGER_BETWEEN = number_text::ENTER_INTEGER_BETWEEN;

HWND CDataExchange::Control(int id) const
{
    return m_dialog.GetDlgItem(id);
}

void CDataExchange::Fail(int controlId, const std::string& message)
{
    if (m_failed)
        return;  // one message per exchange: the first wrong field wins
    m_failed = true;
    if (CWinApp::Instance() != nullptr)
        CWinApp::Instance()->MessageBox(message);
    HWND control = Control(controlId);
    if (control != nullptr) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void DdxControl(CDataExchange* dx, int id, CWnd& control)
{
    if (control.GetSafeHwnd() == nullptr)
        control.Attach(dx->Control(id));
}

void DdxText(CDataExchange* dx, int id, std::string& value)
{
    dx->SetLastControl(id);
    if (dx->Failed())
        return;
    if (dx->Saving())
        value = dx->Dialog().GetDlgItemText(id);
    else
        SetDlgItemTextA(dx->Dialog().GetSafeHwnd(), id, value.c_str());
}

void DdxOwnText(CDataExchange* dx, int id, std::string& value)
{
    dx->SetLastControl(id);
    if (dx->Failed())
        return;
    HWND field = dx->Control(id);
    if (!dx->Saving()) {
        SetWindowTextW(field, text_encoding::fromOwnText(value).c_str());
        return;
    }
    WideText text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(field, &text[0], static_cast<int>(text.size()))));
    value = text_encoding::toOwnText(text);
}

void DdxText(CDataExchange* dx, int id, int& value)
{
    dx->SetLastControl(id);
    if (dx->Failed())
        return;
    if (!dx->Saving()) {
        SetDlgItemTextA(dx->Dialog().GetSafeHwnd(), id, number_text::formatSigned(value).c_str());
        return;
    }
    int read = 0;
    if (number_text::parseSigned(dx->Dialog().GetDlgItemText(id), read))
        value = read;
    else
        dx->Fail(id, number_text::ENTER_INTEGER);
}

void DdxText(CDataExchange* dx, int id, unsigned& value)
{
    dx->SetLastControl(id);
    if (dx->Failed())
        return;
    if (!dx->Saving()) {
        SetDlgItemTextA(dx->Dialog().GetSafeHwnd(), id, number_text::formatUnsigned(value).c_str());
        return;
    }
    unsigned read = 0;
    if (number_text::parseUnsigned(dx->Dialog().GetDlgItemText(id), read))
        value = read;
    else
        dx->Fail(id, number_text::ENTER_POSITIVE_INTEGER);
}

void DdxCheck(CDataExchange* dx, int id, int& value)
{
    dx->SetLastControl(id);
    if (dx->Failed())
        return;
    if (dx->Saving())
        value = IsDlgButtonChecked(dx->Dialog().GetSafeHwnd(), id) == BST_CHECKED ? 1 : 0;
    else
        CheckDlgButton(dx->Dialog().GetSafeHwnd(), id, value != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void DdxComboText(CDataExchange* dx, int id, std::string& value)
{
    dx->SetLastControl(id);
    if (dx->Failed())
        return;
    HWND combo = dx->Control(id);
    if (dx->Saving()) {
        value = dx->Dialog().GetDlgItemText(id);
        return;
    }
    if (SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str())) ==
        CB_ERR)
        SetWindowTextA(combo, value.c_str());
}

void DdvMinMaxUnsigned(CDataExchange* dx, unsigned value, unsigned minimum, unsigned maximum)
{
    if (!dx->Saving() || dx->Failed())
        return;
    if (value < minimum || value > maximum)
        dx->Fail(dx->LastControl(), number_text::rangeMessage(minimum, maximum));
}
