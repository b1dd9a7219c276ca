// How late the real program fires: 20 alarms one second apart, each with a
// message window. An alarm set for second T may fire from the moment the
// clock reaches T + 1; the delay of an alarm is the time from that moment to
// its message window appearing. Prints the minimum, median and maximum.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int ALARMS = 20;
constexpr int MESSAGE_TEXT = 2043;  // the message of a message window

// The system clock in milliseconds since 1970, as precise as it goes.
long long nowMs()
{
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    const long long ticks = (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return ticks / 10000 - 11644473600000LL;
}

std::string programFolder()
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

// A fresh folder whose TIVRA.INI holds the alarms "Alarm 0" to "Alarm 19",
// due at first + 0 to first + 19 seconds.
std::string prepareFolder(long long first)
{
    char base[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "qv-firing-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream file(folder + "\\TIVRA.INI", std::ios::binary | std::ios::trunc);
    file << "[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n";
    for (int i = 0; i < ALARMS; ++i) {
        // Local time as the system keeps it (the C runtime may misread a
        // Unix-style TZ that Wine hands on).
        const long long ticks = (first + i + 11644473600LL) * 10000000LL;
        FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        SYSTEMTIME utcFields, local;
        FileTimeToSystemTime(&utc, &utcFields);
        SystemTimeToTzSpecificLocalTime(nullptr, &utcFields, &local);
        char when[32];
        std::snprintf(when, sizeof when, "%04d:%02d:%02d-%02d:%02d:%02d", local.wYear, local.wMonth, local.wDay,
                      local.wHour, local.wMinute, local.wSecond);
        file << i << "=" << when << ",-1,1,2, 0:00:00:00,0:00:00:00,,,,Alarm " << i << "\r\n";
    }
    return folder;
}

struct Search {
    DWORD process;
    std::map<int, long long>* seen;
    HWND main;
};

BOOL CALLBACK visit(HWND window, LPARAM parameter)
{
    Search& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.process)
        return TRUE;
    if (GetDlgItem(window, 3017) != nullptr)
        search.main = window;
    HWND text = GetDlgItem(window, MESSAGE_TEXT);
    char message[64] = {0};
    if (text != nullptr && IsWindowVisible(window) && GetWindowTextA(text, message, sizeof message) > 0) {
        int index = -1;
        if (std::sscanf(message, "Alarm %d", &index) == 1 && search.seen->count(index) == 0)
            (*search.seen)[index] = nowMs();
    }
    return TRUE;
}

}  // namespace

int main()
{
    // The first alarm lies a few whole seconds ahead, so the program has
    // started and settled before it falls due.
    const long long first = nowMs() / 1000 + 5;
    const std::string folder = prepareFolder(first);
    const std::string exe = programFolder() + "\\quorvel.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::printf("cannot start %s\n", exe.c_str());
        return 1;
    }
    std::map<int, long long> seen;
    Search search = {process.dwProcessId, &seen, nullptr};
    const long long deadline = (first + ALARMS + 5) * 1000LL;
    while (static_cast<int>(seen.size()) < ALARMS && nowMs() < deadline) {
        EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
        Sleep(1);
    }
    if (search.main != nullptr)
        PostMessageA(search.main, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::vector<long long> delays;
    for (const auto& [index, shownAt] : seen)
        delays.push_back(shownAt - (first + index + 1) * 1000LL);
    if (delays.size() != static_cast<std::size_t>(ALARMS)) {
        std::printf("firing delay: only %u of %d message windows appeared\n", static_cast<unsigned>(delays.size()),
                    ALARMS);
        return 1;
    }
    std::sort(delays.begin(), delays.end());
    std::printf("firing delay of %d alarms one second apart: min %lld ms, median %lld ms, max %lld ms\n", ALARMS,
                delays.front(), delays[delays.size() / 2], delays.back());
    return 0;
}
