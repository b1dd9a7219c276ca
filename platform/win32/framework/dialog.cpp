#include "platform/win32/framework/dialog.h"

#include <cassert>

#include "platform/win32/framework/data_exchange.h"
#include "platform/win32/framework/win_app.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

void CDialog::SetButtonIcon(int buttonId, UINT iconId)
{
    const HICON icon = LoadIconA(CWinApp::Instance()->ResourceHandle(), MAKEINTRESOURCEA(iconId));
    SendDlgItemMessageA(m_hWnd, buttonId, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

CDialog::~CDialog()
{
    // The window is gone before its object (the rule of dialog.h).
    assert(m_hWnd == nullptr);
}

namespace {

// Without a parent, a dialog is owned by the application's main window.
HWND ownerWindow(CWnd* parent)
{
    if (parent != nullptr)
        return parent->GetSafeHwnd();
    CWinApp* app = CWinApp::Instance();
    return (app != nullptr && app->MainWnd() != nullptr) ? app->MainWnd()->GetSafeHwnd() : nullptr;
}

HINSTANCE resources()
{
    CWinApp* app = CWinApp::Instance();
    return app != nullptr ? app->ResourceHandle() : GetModuleHandleA(nullptr);
}

}  // namespace

// Dialogs are made as Unicode windows: the texts of their templates (the
// Russian caption of the setup dialog) then reach the screen unconverted,
// whatever the system code page is. The program's own calls stay 8-bit.
INT_PTR CDialog::DoModal()
{
    m_modal = true;
    return DialogBoxParamW(resources(), MAKEINTRESOURCEW(m_templateId), ownerWindow(m_parent), DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create()
{
    m_modal = false;
    HWND hwnd = CreateDialogParamW(resources(), MAKEINTRESOURCEW(m_templateId), ownerWindow(m_parent), DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (hwnd == nullptr)
        return FALSE;
    if (CWinApp::Instance() != nullptr)
        CWinApp::Instance()->AddModeless(hwnd);
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL save)
{
    CDataExchange dx(*this, save != FALSE);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::EndDialog(int result)
{
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}

BOOL CDialog::OnNotify(NMHDR*, LRESULT*)
{
    return FALSE;
}

void CDialog::OnTimer(UINT_PTR) {}

void CDialog::OnActivate(UINT, HWND) {}

void CDialog::OnDestroy() {}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void CDialog::PostNcDestroy() {}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->m_hWnd = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    } else {
        dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (dialog == nullptr)
        return FALSE;
    // No exception may cross back into the system's dialog manager.
    try {
        return dialog->Dispatch(message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A handler may destroy the window and with it a self-owning object, so
    // what is needed afterwards is taken first.
    const HWND hwnd = m_hWnd;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
        }
        return OnCommand(wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), &result))
            return FALSE;
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return FALSE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_NCDESTROY: {
        Detach();
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        if (!m_modal && CWinApp::Instance() != nullptr)
            CWinApp::Instance()->RemoveModeless(hwnd);
        PostNcDestroy();
        return FALSE;
    }
    default: {
        LRESULT result = 0;
        if (!OnMessage(message, wParam, lParam, result))
            return FALSE;
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

bool CSelfDeletingDialog::Open(CSelfDeletingDialog* dialog)
{
    if (dialog->Create())
        return true;
    delete dialog;
    return false;
}

void CSelfDeletingDialog::PostNcDestroy()
{
    delete this;
}
