#include "quorvel_process.h"

#include <commctrl.h>
#include <shellapi.h>

#include <fstream>
#include <sstream>

namespace {

const UINT TRAY_CALLBACK = 101;
const UINT TRAY_ICON = 142;

struct Collect {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectDialogs(HWND hwnd, LPARAM parameter)
{
    Collect* collect = reinterpret_cast<Collect*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char className[64] = {0};
    GetClassNameA(hwnd, className, sizeof className);
    if (owner == collect->processId && std::string(className) == "#32770")
        collect->windows.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK appendChildText(HWND child, LPARAM parameter)
{
    char className[64] = {0};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        std::string* text = reinterpret_cast<std::string*>(parameter);
        *text += windowText(child);
    }
    return TRUE;
}

// A message box: a dialog without the main window's list.
bool isMessageBox(HWND dialog)
{
    return GetDlgItem(dialog, 3017) == nullptr && GetDlgItem(dialog, 2043) == nullptr &&
           GetDlgItem(dialog, IDOK) != nullptr && IsWindowVisible(dialog);
}

}  // namespace

std::string testProgramFolder()
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

bool isShown(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool trayIconPresent(HWND owner)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = TRAY_ICON;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::vector<HWND> dialogWindowsOf(DWORD processId)
{
    Collect collect = {processId, {}};
    EnumWindows(collectDialogs, reinterpret_cast<LPARAM>(&collect));
    return collect.windows;
}

std::string windowText(HWND window)
{
    char text[1024] = {0};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string readFileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeFileText(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
}

QuorvelProcess::QuorvelProcess(const std::string& folder)
{
    const std::string exe = testProgramFolder() + "\\quorvel.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &m_process))
        m_process = PROCESS_INFORMATION();
    else
        WaitForInputIdle(m_process.hProcess, 10000);
}

QuorvelProcess::~QuorvelProcess()
{
    if (m_process.hProcess == nullptr)
        return;
    if (running()) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND QuorvelProcess::mainWindow(DWORD timeoutMs)
{
    if (m_main != nullptr && IsWindow(m_main))
        return m_main;
    waitUntil(
        [this] {
            for (HWND dialog : dialogWindowsOf(m_process.dwProcessId))
                if (GetDlgItem(dialog, 3017) != nullptr)
                    m_main = dialog;
            return m_main != nullptr || !running();
        },
        timeoutMs);
    return m_main;
}

bool QuorvelProcess::running() const
{
    return m_process.hProcess != nullptr && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool QuorvelProcess::waitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (m_process.hProcess == nullptr || WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode != nullptr)
        GetExitCodeProcess(m_process.hProcess, exitCode);
    return true;
}

int QuorvelProcess::rowCount()
{
    return static_cast<int>(SendMessageA(GetDlgItem(mainWindow(), 3017), LVM_GETITEMCOUNT, 0, 0));
}

namespace {

// Asks the program's list for one item, through a block of its own memory.
LVITEMA remoteItem(HANDLE process, HWND list, UINT message, int row, int column, UINT mask, std::string* text)
{
    const size_t textSize = 512;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    LVITEMA item = {};
    if (remote == nullptr)
        return item;
    item.mask = mask;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = remote + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(textSize);
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    SendMessageA(list, message, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &item, sizeof item, nullptr);
    if (text != nullptr) {
        std::string buffer(textSize, '\0');
        ReadProcessMemory(process, remote + sizeof(LVITEMA), &buffer[0], textSize - 1, nullptr);
        *text = buffer.c_str();
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return item;
}

}  // namespace

std::string QuorvelProcess::rowText(int row, int column)
{
    std::string text;
    remoteItem(m_process.hProcess, GetDlgItem(mainWindow(), 3017), LVM_GETITEMTEXTA, row, column, LVIF_TEXT, &text);
    return text;
}

int QuorvelProcess::rowImage(int row)
{
    return remoteItem(m_process.hProcess, GetDlgItem(mainWindow(), 3017), LVM_GETITEMA, row, 0, LVIF_IMAGE, nullptr)
        .iImage;
}

void QuorvelProcess::selectRow(int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    void* remote = VirtualAllocEx(m_process.hProcess, nullptr, sizeof item, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    WriteProcessMemory(m_process.hProcess, remote, &item, sizeof item, nullptr);
    SendMessageA(GetDlgItem(mainWindow(), 3017), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(m_process.hProcess, remote, 0, MEM_RELEASE);
}

void QuorvelProcess::clickHeader(int column)
{
    // The header control gets the press and release of a click in the middle
    // of the column, and reports it to the list as the user's click would.
    HWND list = GetDlgItem(mainWindow(), 3017);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT area;
    GetClientRect(header, &area);
    int x = 0;
    for (int i = 0; i < column; ++i)
        x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
    x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2;
    const LPARAM point = MAKELPARAM(x, (area.top + area.bottom) / 2);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(header, WM_LBUTTONUP, 0, point);
    sync();
}

void QuorvelProcess::clickAt(int x, int y)
{
    // The pointer arrives first, then the button goes down and up, as a
    // hand on the mouse does it.
    SetCursorPos(x, y);
    Sleep(100);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof(INPUT));
    Sleep(50);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(INPUT));
    sync();
}

void QuorvelProcess::trayEvent(UINT mouseMessage)
{
    // Handled when this returns (a right press returns once the time is said).
    DWORD_PTR result = 0;
    SendMessageTimeoutA(mainWindow(), TRAY_CALLBACK, TRAY_ICON, mouseMessage, SMTO_NORMAL, 30000, &result);
}

void QuorvelProcess::command(int id)
{
    PostMessageA(mainWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void QuorvelProcess::sysCommand(WPARAM command)
{
    PostMessageA(mainWindow(), WM_SYSCOMMAND, command, 0);
}

void QuorvelProcess::key(WPARAM virtualKey)
{
    HWND main = mainWindow();
    PostMessageA(main, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(main, WM_KEYUP, virtualKey, 0xC0000001);
}

void QuorvelProcess::sync()
{
    // Sent messages overtake posted ones: give what was posted a moment to be
    // taken from the queue, then wait until the program is idle again.
    Sleep(150);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(mainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

void QuorvelProcess::settle(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    sync();
    Sleep(300);
}

std::vector<std::string> QuorvelProcess::messageBoxTexts()
{
    std::vector<std::string> texts;
    for (HWND dialog : dialogWindowsOf(m_process.dwProcessId)) {
        if (!isMessageBox(dialog))
            continue;
        std::string text;
        EnumChildWindows(dialog, appendChildText, reinterpret_cast<LPARAM>(&text));
        texts.push_back(text);
    }
    return texts;
}

HWND QuorvelProcess::waitForMessageBox(const std::string& words, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND dialog : dialogWindowsOf(m_process.dwProcessId)) {
                if (!isMessageBox(dialog))
                    continue;
                std::string text;
                EnumChildWindows(dialog, appendChildText, reinterpret_cast<LPARAM>(&text));
                if (text.find(words) != std::string::npos)
                    found = dialog;
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

void QuorvelProcess::dismissMessageBoxes()
{
    for (HWND dialog : dialogWindowsOf(m_process.dwProcessId))
        if (isMessageBox(dialog))
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}
