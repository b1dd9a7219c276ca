// The system's open-file dialog.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CFileDialog {
public:
    // filter: "Name|pattern|Name|pattern||"; title: the program's own text.
    CFileDialog(DWORD flags, const std::string& filter, CWnd* owner = nullptr);

    std::string m_title;          // own text (Windows-1251)
    std::string m_initialFolder;  // system code page

    // IDOK when a file was chosen, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The full path of the chosen file, in the system code page.
    const std::string& GetPathName() const { return m_path; }

private:
    DWORD m_flags;
    std::string m_filter;
    CWnd* m_owner;
    std::string m_path;
};
