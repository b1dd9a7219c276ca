#include "integration/harness.h"

#include <shellapi.h>
#include <sys/stat.h>
#include <sys/utime.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <type_traits>

#include "app_messages.h"
#include "platform/profile/unicode_text.h"

namespace {

const long long FILE_TIME_UNITS_PER_SECOND = 10000000, SECONDS_FROM_1601_TO_1970 = 11644473600;
const time_t YEAR_1980 = 315532800;
// The tests see the screen and windows in real pixels, as the DPI-aware program does, at every DPI.
[[maybe_unused]] const bool DPI_AWARE = [] {
    using SetAwareFunction = BOOL(WINAPI*)();  // SetProcessDPIAware, declared only for Windows Vista on
    const auto setAware = reinterpret_cast<SetAwareFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")));
    return setAware != nullptr && setAware() != FALSE;
}();

// The window as the screen shows it, as a 24-bit BMP file; empty when not copied or all one colour (not drawn yet).
std::string captureBmp(HWND window)
{
    RECT frame = {};  // empty, and so no capture, when the window is gone
    GetWindowRect(window, &frame);
    BITMAPINFOHEADER info = {sizeof info, frame.right - frame.left, frame.bottom - frame.top, 1, 24, BI_RGB};
    const DWORD stride = (info.biWidth * 3 + 3) & ~3, size = stride * info.biHeight;
    const DWORD headerBytes = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER head = {0x4D42, headerBytes + size, 0, 0, headerBytes};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied =
        BitBlt(memory, 0, 0, info.biWidth, info.biHeight, screen, frame.left, frame.top, SRCCOPY) && GdiFlush();
    std::string bmp = copied ? std::string(static_cast<const char*>(bits), size) : "";
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    bool varied = false;
    for (LONG at = 0; !bmp.empty() && at < info.biWidth * info.biHeight && !varied; ++at)
        varied = bmp.compare(at / info.biWidth * stride + at % info.biWidth * 3, 3, bmp, 0, 3) != 0;
    const std::string headers = std::string(reinterpret_cast<const char*>(&head), sizeof head) +
        std::string(reinterpret_cast<const char*>(&info), sizeof info);
    return varied ? headers + bmp : "";
}

// The static texts of a dialog run together: a message box's text.
std::string staticTexts(HWND dialog)
{
    std::string texts;
    char name[16];
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, "Static") == 0 &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            texts += windowText(child);
    return texts;
}

}  // namespace

void pressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TempFolder::TempFolder()
{
    char base[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    GetTempFileNameA(base, "qv", 0, name);  // a unique name, taken by an empty file
    DeleteFileA(name);
    if (CreateDirectoryA(name, nullptr))
        m_path = name;
}

TempFolder::~TempFolder()
{
    const std::string list = m_path + '\0';  // of one folder, with everything in it
    SHFILEOPSTRUCTA remove = {nullptr, FO_DELETE, list.c_str(), nullptr,
                              FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT};
    if (!m_path.empty())
        SHFileOperationA(&remove);
}

std::string TempFolder::folder(const std::string& name) const
{
    CreateDirectoryA(file(name).c_str(), nullptr);
    return file(name);
}

std::string programFolder()
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, std::strrchr(path, '\\'));
}

std::string readFileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

void writeFileText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> folderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
            names.push_back(found.cFileName);
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool copyShippedThemes(const std::string& folder)
{
    const std::string themes = programFolder() + "\\speak" + '\0', into = folder + '\0';  // lists of one
    SHFILEOPSTRUCTA copy = {nullptr, FO_COPY, themes.c_str(), into.c_str(), FOF_NOCONFIRMATION | FOF_NOERRORUI};
    return SHFileOperationA(&copy) == 0;
}

void dateBack(const std::string& path)
{
    _utimbuf times = {YEAR_1980, YEAR_1980};
    _utime(path.c_str(), &times);
}

bool touchedSinceDateBack(const std::string& path, bool written)
{
    struct _stat status = {};
    return _stat(path.c_str(), &status) == 0 && (written ? status.st_mtime : status.st_atime) > YEAR_1980;
}

std::vector<std::string> dateBackWaves(const std::string& folder)
{
    std::vector<std::string> waves;
    for (const std::string& name : folderEntries(folder))
        if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".wav") == 0)
            dateBack(waves.emplace_back(folder + '\\' + name));
    return waves;
}

long readSinceDateBack(const std::vector<std::string>& paths)
{
    return std::count_if(paths.begin(), paths.end(), [](const std::string& p) { return touchedSinceDateBack(p); });
}

std::string storedTime(long long seconds)
{
    ULARGE_INTEGER instant;
    instant.QuadPart = static_cast<ULONGLONG>((seconds + SECONDS_FROM_1601_TO_1970) * FILE_TIME_UNITS_PER_SECOND);
    SYSTEMTIME utc, local;
    FileTimeToSystemTime(reinterpret_cast<const FILETIME*>(&instant), &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d-%02d:%02d:%02d", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
    return text;
}

std::string storedAlarm(const std::string& time, const std::string& numbers, const std::string& message,
                        const std::string& commandLine, const std::string& folder, const std::string& repeat,
                        const std::string& closeAfter)
{
    return time + "," + numbers + ", " + repeat + "," + closeAfter + ",," + commandLine + "," + folder + "," + message;
}

std::string settingsText(const std::string& options, const std::vector<std::string>& alarms)
{
    std::string text = "[Options]\r\n" + options + "[AlarmList]\r\n";
    for (size_t key = 0; key < alarms.size(); ++key)
        text += alarms[key].empty() ? "" : std::to_string(key) + "=" + alarms[key] + "\r\n";
    return text;
}

std::string iniValue(const std::string& text, const std::string& key)
{
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return "<none>";
    const std::size_t start = at + key.size() + 2;
    return text.substr(start, text.find('\r', start) - start);
}

std::string unicodeFile(const std::string& text, bool bigEndian)
{
    const TextEncoding encoding = bigEndian ? TextEncoding::Utf16BigEndian : TextEncoding::Utf16LittleEndian;
    return (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + unicode_text::bytesOf(CodePage::latin1().toUtf16(text), encoding);
}

std::string windowText(HWND window)
{
    wchar_t text[1024] = {0};
    char utf8[4096] = {0};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::vector<HWND> dialogsOf(DWORD processId, int controlId, const char* caption)
{
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && GetDlgItem(window, controlId) != nullptr &&
            (caption == nullptr || windowText(window) == caption))
            found.push_back(window);
    }
    return found;
}

bool closeWithOk(HWND dialog)
{
    if (dialog != nullptr)
        pressButton(dialog, IDOK);
    return dialog != nullptr && waitUntil([&] { return !IsWindow(dialog); }, 5000);
}

void pressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> input(keys.size() * 2, INPUT{INPUT_KEYBOARD});
    for (std::size_t i = 0; i < keys.size(); ++i) {  // down in order, up in reverse
        input[i].ki.wVk = input[input.size() - 1 - i].ki.wVk = keys.begin()[i];
        input[input.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    Sleep(300);
}

bool trayEvent(HWND main, UINT mouseMessage)
{
    return SendMessageTimeoutA(main, TRAY_NOTIFY_MESSAGE, TRAY_ICON_ID, mouseMessage, SMTO_NORMAL, 30000, nullptr) != 0;
}

bool trayIcon(HWND main, DWORD change)
{
    NOTIFYICONDATAA icon = {NOTIFYICONDATAA_V1_SIZE, main, TRAY_ICON_ID};
    return Shell_NotifyIconA(change, &icon) != FALSE;
}

bool saveScreenshot(HWND window, const std::string& name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::string previous, bmp;
    const bool drawn = waitUntil(
        [&] {
            // A window of this thread paints when its messages are handled, the program's before it answers.
            for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
                DispatchMessageA(&message);
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
            previous.swap(bmp);
            bmp = captureBmp(window);
            return !bmp.empty() && bmp == previous;
        },
        5000);
    const char* folder = std::getenv("QUORVEL_SCREENSHOTS");
    if (drawn)
        writeFileText(std::string(folder != nullptr ? folder : ".") + "\\" + name + ".bmp", bmp);
    return drawn;
}

QuorvelProcess::QuorvelProcess(const std::string& folder)
{
    const std::string exe = programFolder() + "\\quorvel.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {sizeof startup};
    if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &m_process))
        WaitForInputIdle(m_process.hProcess, 10000);
}

QuorvelProcess::~QuorvelProcess()
{
    if (running() && TerminateProcess(m_process.hProcess, 1))
        WaitForSingleObject(m_process.hProcess, 5000);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool QuorvelProcess::waitForExit(DWORD* exitCode, DWORD timeoutMs)
{
    return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
        (exitCode == nullptr || GetExitCodeProcess(m_process.hProcess, exitCode));
}

HWND QuorvelProcess::main()
{
    if (m_main == nullptr || !IsWindow(m_main))
        waitUntil(
            [this] {
                const std::vector<HWND> found = dialogs(IDC_MAIN_LIST);
                m_main = found.empty() ? nullptr : found.front();
                return m_main != nullptr || !running();
            },
            20000);
    return m_main;
}

HWND QuorvelProcess::waitForDialog(int controlId, const char* caption, const std::string& words, DWORD timeoutMs)
{
    HWND shown = nullptr;
    waitUntil(
        [&] {
            for (HWND dialog : dialogs(controlId, caption))
                if (IsWindowVisible(dialog) && staticTexts(dialog).find(words) != std::string::npos)
                    shown = dialog;
            return shown != nullptr;
        },
        timeoutMs);
    return shown;
}

template <typename Item>
std::string QuorvelProcess::exchange(HWND control, UINT message, WPARAM wParam, Item& item)
{
    // The item, with room for its text behind it, goes into the program's memory, where the control can reach it.
    char text[512] = {0};
    char* remote = static_cast<char*>(
        VirtualAllocEx(m_process.hProcess, nullptr, sizeof item + sizeof text, MEM_COMMIT, PAGE_READWRITE));
    if constexpr (!std::is_same_v<Item, RECT>) {
        item.pszText = remote + sizeof item;
        item.cchTextMax = sizeof text;
    }
    WriteProcessMemory(m_process.hProcess, remote, &item, sizeof item, nullptr);
    SendMessageA(control, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(m_process.hProcess, remote, &item, sizeof item, nullptr);
    ReadProcessMemory(m_process.hProcess, remote + sizeof item, text, sizeof text - 1, nullptr);
    VirtualFreeEx(m_process.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

void QuorvelProcess::click(HWND window, int item, int times)
{
    RECT r = {LVIR_LABEL}, shown;
    GetClientRect(window, &shown);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    const bool header = lstrcmpiA(name, WC_HEADERA) == 0;
    if (item >= 0 && !header)
        SendMessageA(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    if (item >= 0) {  // of a header, the part of the column that shows
        exchange(window, header ? HDM_GETITEMRECT : LVM_GETITEMRECT, item, r);
        IntersectRect(&shown, &shown, &r);
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&shown), 2);
    // The pointer goes there first, then each press and release carries the point too: a move still queued cannot
    // take the release elsewhere.
    INPUT input = {INPUT_MOUSE};
    input.mi.dx = (shown.left + shown.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (shown.top + shown.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    for (int n = 0; n <= times * 2; Sleep(n++ == 0 ? 100 : 50)) {
        const DWORD button = n == 0 ? 0 : n % 2 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
        SendInput(1, &input, sizeof input);
    }
    sync();
}

std::vector<std::vector<std::string>> QuorvelProcess::rows()
{
    std::vector<std::vector<std::string>> rows;
    for (LVITEMA item = {LVIF_TEXT | LVIF_IMAGE}; item.iItem < ListView_GetItemCount(list()); ++item.iItem) {
        item.iSubItem = 0;
        const std::string time = exchange(list(), LVM_GETITEMA, 0, item), image = std::to_string(item.iImage);
        item.iSubItem = 1;
        rows.push_back({time, exchange(list(), LVM_GETITEMA, 0, item), image});
    }
    return rows;
}
