// The real program for ten minutes with 200 alarms firing and re-arming
// every ten seconds: messages shown and closed, a helper program started and
// closed. Afterwards every alarm is there once, has fired exactly at each of
// its occurrences, no message window was lost or shown twice, and the
// program's handles, windows and memory have not grown. The figures are
// printed (GDI and USER objects read 0 where the system does not count them).
// QUORVEL_SOAK_SECONDS shortens the run.
#include <gtest/gtest.h>
#include <windows.h>

// The memory counters from kernel32, where every supported system has them.
#define PSAPI_VERSION 2
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "harness.h"

namespace {

const int ALARMS = 200;
const int INTERVAL = 10;         // seconds between two firings of one alarm
const int HELPER_INTERVAL = 30;  // the two alarms that start the helper
const int COUNT = 100000;        // repetitions left; what is used up is what fired
const int FIRST = 8;             // seconds from the start to the first firings
const int WARM_UP_SECONDS = 60;  // resources are compared from here on

struct Resources {
    DWORD handles = 0, gdiObjects = 0, userObjects = 0, windows = 0;
    SIZE_T privateBytes = 0, workingSet = 0;
};

// The process's handles as the system's handle table lists them, for a system
// whose GetProcessHandleCount gives nothing (Wine).
DWORD handlesInTable(DWORD processId)
{
    struct Entry {
        ULONG processId;
        UCHAR type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> table(1 << 20);
    ULONG size = 0;
    const ULONG SYSTEM_HANDLE_INFORMATION = 16;
    while (query != nullptr &&
           query(SYSTEM_HANDLE_INFORMATION, table.data(), static_cast<ULONG>(table.size()), &size) ==
               static_cast<LONG>(0xC0000004))  // the table is larger
        table.resize(table.size() * 2);
    const ULONG count = *reinterpret_cast<const ULONG*>(table.data());
    const Entry* entries = reinterpret_cast<const Entry*>(table.data() + sizeof(ULONG_PTR));
    DWORD handles = 0;
    for (ULONG i = 0; query != nullptr && i < count; ++i)
        handles += entries[i].processId == processId ? 1 : 0;
    return handles;
}

struct WindowCount {
    DWORD processId;
    DWORD windows;
};

BOOL CALLBACK countWindow(HWND window, LPARAM parameter)
{
    WindowCount* count = reinterpret_cast<WindowCount*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->processId) {
        ++count->windows;
        EnumChildWindows(window, countWindow, parameter);
    }
    return TRUE;
}

Resources resourcesOf(DWORD processId)
{
    Resources r;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr)
        return r;
    if (!GetProcessHandleCount(process, &r.handles) || r.handles == 0)
        r.handles = handlesInTable(processId);
    r.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    r.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        r.privateBytes = memory.PagefileUsage;
        r.workingSet = memory.WorkingSetSize;
    }
    CloseHandle(process);
    WindowCount windows = {processId, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&windows));
    r.windows = windows.windows;
    return r;
}

void print(const char* when, const Resources& r)
{
    std::printf("%-6s handles %4lu  GDI objects %4lu  USER objects %4lu  windows %3lu  private %6lu KB  "
                "working set %6lu KB\n",
                when, r.handles, r.gdiObjects, r.userObjects, r.windows,
                static_cast<unsigned long>(r.privateBytes / 1024), static_cast<unsigned long>(r.workingSet / 1024));
}

// Running copies of the helper program; ended first when asked.
int helpersRunning(bool end = false)
{
    int running = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "qv_helper.exe") != 0)
            continue;
        ++running;
        HANDLE helper = end ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID) : nullptr;
        if (helper != nullptr && TerminateProcess(helper, 0))
            WaitForSingleObject(helper, 5000);
        if (helper != nullptr)
            CloseHandle(helper);
    }
    CloseHandle(snapshot);
    return running;
}

// Closes the program's message windows and message boxes; counts the
// message windows by their text.
void closeWindows(QuorvelProcess& program, std::map<std::string, int>& shown, int& boxes, std::set<HWND>& closing)
{
    for (HWND dialog : dialogsOf(program.processId(), IDOK)) {
        if (!IsWindowVisible(dialog) || closing.count(dialog) != 0 || GetDlgItem(dialog, 3017) != nullptr)
            continue;
        closing.insert(dialog);
        if (GetDlgItem(dialog, 2043) != nullptr)
            ++shown[windowText(GetDlgItem(dialog, 2043))];
        else
            ++boxes;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    // Handles of windows that are gone may be given out again.
    for (auto it = closing.begin(); it != closing.end();)
        it = IsWindow(*it) ? std::next(it) : closing.erase(it);
}

// The stored value of an alarm: its local time and its repetitions left.
struct Stored {
    std::string time;
    int count = -1;
};

// The stored alarms by their message, each message once.
std::map<std::string, Stored> storedByMessage(const std::string& text, int& keys)
{
    std::map<std::string, Stored> alarms;
    keys = 0;
    for (int key = 0; key < 2 * ALARMS; ++key) {
        const std::string value = iniValue(text, std::to_string(key));
        if (value == "<none>")
            continue;
        ++keys;
        alarms[value.substr(value.rfind(',') + 1)] = Stored{value.substr(0, 19), std::atoi(value.c_str() + 20)};
    }
    return alarms;
}

// A stored local time ("%Y:%m:%d-%H:%M:%S") moved on by whole seconds.
std::string later(const std::string& time, long long seconds)
{
    SYSTEMTIME local = {}, utc = {};
    std::sscanf(time.c_str(), "%hu:%hu:%hu-%hu:%hu:%hu", &local.wYear, &local.wMonth, &local.wDay, &local.wHour,
                &local.wMinute, &local.wSecond);
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    FILETIME file;
    SystemTimeToFileTime(&utc, &file);
    ULARGE_INTEGER value;
    value.LowPart = file.dwLowDateTime;
    value.HighPart = file.dwHighDateTime;
    value.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ULL;
    file.dwLowDateTime = value.LowPart;
    file.dwHighDateTime = value.HighPart;
    FileTimeToSystemTime(&file, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d-%02d:%02d:%02d", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
    return text;
}

TEST(SoakLongRun, TwoHundredAlarmsForTenMinutesLoseNothingAndLeakNothing)
{
    const char* seconds = std::getenv("QUORVEL_SOAK_SECONDS");
    const int duration = seconds != nullptr ? std::atoi(seconds) : 600;
    TempFolder folder;
    const std::string helper = folder.file("qv_helper.exe");
    ASSERT_TRUE(CopyFileA((programFolder() + "\\qv_helper.exe").c_str(), helper.c_str(), FALSE));

    // Alarm i first fires FIRST + i % INTERVAL seconds from now: twenty a
    // second. Every tenth shows its message; alarms 0 and 1 start the helper
    // (15 s apart), which is closed 3 s later.
    std::vector<int> first(ALARMS), interval(ALARMS);
    std::string text = "[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n";
    for (int i = 0; i < ALARMS; ++i) {
        const bool helperAlarm = i < 2;
        interval[i] = helperAlarm ? HELPER_INTERVAL : INTERVAL;
        first[i] = FIRST + (helperAlarm ? i * 15 : i % INTERVAL);
        const unsigned flags = 0x4 | (helperAlarm ? 0x20 | 0x800 : i % 10 == 0 ? 0x2 : 0);
        char repeat[16];
        std::snprintf(repeat, sizeof repeat, "0:00:00:%02d", interval[i]);
        text += std::to_string(i) + "=" +
            storedAlarm(storedTime(secondsNow() + first[i]),
                        std::to_string(COUNT) + ",1," + std::to_string(flags), "m" + std::to_string(i),
                        helperAlarm ? helper + " soak" : "", helperAlarm ? folder.path() : "", repeat, "0:00:00:03") +
            "\r\n";
    }
    writeFileText(folder.file("TIVRA.INI"), text);
    int keys = 0;
    const std::map<std::string, Stored> before = storedByMessage(text, keys);

    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);
    const DWORD start = GetTickCount();
    print("start", resourcesOf(program.processId()));
    Resources warm;
    std::map<std::string, int> shown;
    std::set<HWND> closing;
    int boxes = 0;
    int helpersSeen = 0;
    bool warmed = false;
    while (GetTickCount() - start < static_cast<DWORD>(duration) * 1000) {
        closeWindows(program, shown, boxes, closing);
        helpersSeen = std::max(helpersSeen, helpersRunning());
        if (!warmed && GetTickCount() - start >= WARM_UP_SECONDS * 1000) {
            warm = resourcesOf(program.processId());
            print("warm", warm);
            warmed = true;
        }
        Sleep(100);
    }
    closeWindows(program, shown, boxes, closing);
    const Resources end = resourcesOf(program.processId());
    print("end", end);
    program.command(IDCANCEL);
    ASSERT_TRUE(program.waitForExit(nullptr, 30000));
    const DWORD elapsed = GetTickCount() - start;

    // Every alarm once, each moved on by one interval per firing: no
    // occurrence skipped, none fired twice, and no message window lost.
    const std::map<std::string, Stored> after = storedByMessage(readFileText(folder.file("TIVRA.INI")), keys);
    EXPECT_EQ(keys, ALARMS);
    ASSERT_EQ(after.size(), static_cast<size_t>(ALARMS));
    long long firings = 0, windows = 0;
    for (int i = 0; i < ALARMS; ++i) {
        const std::string name = "m" + std::to_string(i);
        ASSERT_EQ(after.count(name), 1u) << name;
        const int used = COUNT - after.at(name).count;
        firings += used;
        EXPECT_EQ(after.at(name).time, later(before.at(name).time, static_cast<long long>(used) * interval[i])) << name;
        const int expected = (static_cast<int>(elapsed / 1000) - first[i]) / interval[i] + 1;
        EXPECT_NEAR(used, expected, 1) << name << " fired " << used << " times";
        if (i % 10 == 0 && i >= 2) {
            windows += shown[name];
            EXPECT_TRUE(shown[name] == used || shown[name] == used - 1)
                << name << ": " << shown[name] << " windows, " << used << " firings";
        }
    }
    std::printf("%d s, %lld firings, %lld message windows shown and closed, helper running at most %d at once, "
                "%d message boxes\n",
                static_cast<int>(elapsed / 1000), firings, windows, helpersSeen, boxes);
    EXPECT_EQ(boxes, 0);
    EXPECT_LE(helpersSeen, 2);
    // Launched programs outlive the program: only one started in its last 3 s may still run.
    EXPECT_LE(helpersRunning(true), 1);
    if (warmed) {
        EXPECT_LE(end.handles, warm.handles + 10);
        EXPECT_LE(end.gdiObjects, warm.gdiObjects + 10);
        EXPECT_LE(end.userObjects, warm.userObjects + 10);
        EXPECT_LE(end.windows, warm.windows + 10);
        EXPECT_LE(end.privateBytes, warm.privateBytes + 2 * 1024 * 1024);
    }
}

}  // namespace
