#include "ui/win32/help.h"

#include <shellapi.h>

#include "platform/win32/framework/text_encoding.h"

namespace {

const wchar_t* const USER_GUIDE = L"TIVRA.HTM";

// The folder of the program's file; empty when its path does not fit.
WideText programFolder()
{
    wchar_t path[MAX_PATH] = {0};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const WideText file(path, length < MAX_PATH ? length : 0);
    const size_t slash = file.find_last_of(L'\\');
    return slash == WideText::npos ? WideText() : file.substr(0, slash);
}

WideText currentFolderWide()
{
    wchar_t path[MAX_PATH] = {0};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, path);
    return WideText(path, length < MAX_PATH ? length : 0);
}

bool isFile(const WideText& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

void openHelp(HWND owner)
{
    // A help file kept in the current folder opens in the system's help
    // viewer, as it always has.
    if (GetFileAttributesA(".\\tivra.hlp") != INVALID_FILE_ATTRIBUTES) {
        ShellExecuteA(owner, nullptr, "winhlp32.exe", ".\\tivra.hlp", ".\\", SW_SHOW);
        return;
    }
    // Otherwise the user guide opens in the default browser: the one shipped
    // beside the program, else one in the current folder. Wide calls, since
    // the program usually lives below the user's profile folder, whose name
    // need not fit the ANSI code page.
    for (const WideText& folder : {programFolder(), currentFolderWide()}) {
        if (folder.empty())
            continue;
        const WideText guide = folder + (folder.back() == L'\\' ? L"" : L"\\") + USER_GUIDE;
        if (isFile(guide)) {
            ShellExecuteW(owner, L"open", guide.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
            return;
        }
    }
}
