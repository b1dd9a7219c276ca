// The settings file under Wine: saving and loading 10,000 alarms through the
// program's own settings engine on the Windows file system, and re-saving
// 3,000 alarms key by key with the system's profile functions beside the
// engine's one write, with the ratio.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"

namespace {

std::string alarmValue(int i)
{
    char value[160];
    std::snprintf(value, sizeof value,
                  "%04d:%02d:%02d-%02d:%02d:00,-1,1,39, 1:00:00:00,0:00:10:00,"
                  "C:\\SOUNDS\\DING.WAV,notepad.exe notes.txt,D:\\WORK,Alarm %d",
                  2030 + i % 7, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i);
    return value;
}

double millisecondsSince(LARGE_INTEGER start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

LARGE_INTEGER startClock()
{
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    return start;
}

// The list of count alarms, each with a changed value when round is odd.
std::vector<SettingChange> list(int count, int round)
{
    std::vector<SettingChange> changes;
    for (int i = 0; i < count; ++i)
        changes.push_back(SettingChange{std::to_string(i), alarmValue(i + round)});
    return changes;
}

}  // namespace

int main()
{
    char base[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "qv-profile-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string engineFile = folder + "\\ENGINE.INI", systemFile = folder + "\\SYSTEM.INI";
    Win32FileSystem files;

    ProfileFile(files, engineFile).writeSection("AlarmList", list(10000, 0));
    LARGE_INTEGER start = startClock();
    ProfileFile saving(files, engineFile);
    saving.writeSection("AlarmList", list(10000, 1));
    const double save = millisecondsSince(start);
    start = startClock();
    ProfileFile loading(files, engineFile);
    for (int i = 0; i < 10000; ++i)
        loading.read("AlarmList", std::to_string(i));
    const double load = millisecondsSince(start);
    std::printf("settings engine under Wine, 10,000 alarms: save %.1f ms, load %.1f ms\n", save, load);

    // Re-saving 3,000 stored alarms, as the list is saved after a change:
    // the system's functions write the file once per key.
    const std::vector<SettingChange> before = list(3000, 0), after = list(3000, 1);
    ProfileFile(files, engineFile).writeSection("AlarmList", before);
    for (const SettingChange& change : before)
        WritePrivateProfileStringA("AlarmList", change.key.c_str(), change.value->c_str(), systemFile.c_str());
    start = startClock();
    ProfileFile(files, engineFile).writeSection("AlarmList", after);
    const double engine = millisecondsSince(start);
    start = startClock();
    for (const SettingChange& change : after)
        WritePrivateProfileStringA("AlarmList", change.key.c_str(), change.value->c_str(), systemFile.c_str());
    const double system = millisecondsSince(start);
    std::printf("re-saving 3,000 alarms: system profile functions %.0f ms, settings engine %.1f ms (%.0f times "
                "faster)\n",
                system, engine, engine > 0 ? system / engine : 0.0);

    DeleteFileA(engineFile.c_str());
    DeleteFileA(systemFile.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
