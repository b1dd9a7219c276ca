#include "platform/win32/framework/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/framework/text_encoding.h"
#include "platform/win32/framework/win_app.h"
#include "platform/win32/framework/wnd.h"

CFileDialog::CFileDialog(DWORD flags, const std::string& filter, CWnd* owner)
    : m_flags(flags), m_filter(filter), m_owner(owner)
{}

INT_PTR CFileDialog::DoModal()
{
    // The filter's '|' separators become the NULs the system expects.
    WideText filter = text_encoding::fromOwnText(m_filter);
    for (wchar_t& c : filter)
        if (c == L'|')
            c = L'\0';
    filter.push_back(L'\0');
    const WideText title = text_encoding::fromOwnText(m_title);
    const WideText folder = text_encoding::fromSystemText(m_initialFolder);
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    HWND owner = m_owner != nullptr ? m_owner->GetSafeHwnd() : nullptr;
    if (owner == nullptr)
        owner = GetActiveWindow();
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = m_flags;
    if (!GetOpenFileNameW(&ofn))
        return IDCANCEL;

    m_path = text_encoding::toSystemText(file.data());
    return IDOK;
}
