#include "editor_support.h"

#include <commctrl.h>
#include <sys/stat.h>
#include <sys/utime.h>

#include <vector>

void click(QuorvelProcess& program, HWND window, int item, int times)
{
    RECT r;
    GetWindowRect(window, &r);
    if (item >= 0) {  // the item's rectangle, asked through the program's memory
        HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, program.processId());
        void* remote = VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
        r = {LVIR_LABEL};
        WriteProcessMemory(process, remote, &r, sizeof r, nullptr);
        SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    // The pointer goes there, then each press and release carries the point
    // too: a move still queued cannot take the release elsewhere.
    INPUT input = {INPUT_MOUSE};
    input.mi.dx = (r.left + r.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (r.top + r.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    for (int n = 0; n <= times * 2; Sleep(n++ == 0 ? 100 : 50)) {
        const DWORD button = n == 0 ? 0 : n % 2 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
        SendInput(1, &input, sizeof input);
    }
    program.sync();
}

HWND dialogWith(QuorvelProcess& program, int controlId, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(50))
        for (HWND dialog : dialogWindowsOf(program.processId()))
            if (GetDlgItem(dialog, controlId) != nullptr && IsWindowVisible(dialog))
                return dialog;
    return nullptr;
}

std::string controlText(HWND dialog, int id)
{
    char text[512] = {0};
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void pressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> input(keys.size() * 2, INPUT{INPUT_KEYBOARD});
    for (size_t i = 0; i < keys.size(); ++i) {  // down in order, up in reverse
        input[i].ki.wVk = input[input.size() - 1 - i].ki.wVk = keys.begin()[i];
        input[input.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    Sleep(300);
}

int wavesRead(const std::string& folder, bool setBack)
{
    _utimbuf year2000 = {946684800, 946684800};
    int read = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.wav").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found) != FALSE) {
        const std::string file = folder + "\\" + found.cFileName;
        struct _stat status = {};
        read += _stat(file.c_str(), &status) == 0 && status.st_atime > year2000.actime;
        if (setBack)
            _utime(file.c_str(), &year2000);
    }
    FindClose(search);
    return read;
}
