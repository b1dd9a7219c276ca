#include "app/win32/file_identity.h"

#include <windows.h>

#include <cstdio>

#include "platform/win32/framework/text_encoding.h"

namespace file_identity {
namespace {

using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

std::string utf8(const WideText& text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

// GetFinalPathNameByHandleW, looked up at run time: older systems lack it.
std::string finalPath(HANDLE file)
{
    static const auto function = reinterpret_cast<FinalPathFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
    if (function == nullptr)
        return std::string();
    WideText path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = function(file, &path[0], static_cast<DWORD>(path.size()), 0);
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            return "path " + utf8(path);
        }
        path.assign(length + 1, L'\0');  // the length asked for, with its terminator
    }
    return std::string();
}

std::string volumeAndIndex(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(file, &info))
        return std::string();
    char text[64];
    std::snprintf(text, sizeof text, "volume %08lx file %08lx%08lx",
                  static_cast<unsigned long>(info.dwVolumeSerialNumber),
                  static_cast<unsigned long>(info.nFileIndexHigh), static_cast<unsigned long>(info.nFileIndexLow));
    return text;
}

}  // namespace

std::vector<std::string> of(const std::string& path)
{
    // No access asked for, and every sharing allowed: the identity is read
    // also while another copy of the program writes the file. Backup
    // semantics open folders too.
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    std::vector<std::string> identities;
    if (file == INVALID_HANDLE_VALUE)
        return identities;
    for (const std::string& identity : {finalPath(file), volumeAndIndex(file)})
        if (!identity.empty())
            identities.push_back(identity);
    CloseHandle(file);
    return identities;
}

}  // namespace file_identity
