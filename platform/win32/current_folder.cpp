#include "platform/win32/current_folder.h"

#include <windows.h>

#include "platform/win32/framework/text_encoding.h"

bool currentFolder(std::string& folder)
{
    // Asked in UTF-16 with a buffer that grows as needed: the 8-bit call
    // gives nothing for a folder of MAX_PATH characters or more.
    WideText wide(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(wide.size()), &wide[0]);
        if (length == 0)
            return false;
        if (length < wide.size()) {
            wide.resize(length);
            break;
        }
        wide.resize(length);
    }
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, &lossy);
    folder.assign(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()), &folder[0], size,
                        nullptr, &lossy);
    return size > 0 && !lossy;
}
