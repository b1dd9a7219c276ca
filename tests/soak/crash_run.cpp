#include "crash_run.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "platform/profile/file_system.h"
#include "platform/profile/profile_document.h"
#include "platform/win32/win32_file_system.h"
#include "integration/harness.h"

namespace {

const int ALARM_COUNT = 1000;
const UINT KILL_CODE = 9;
const DWORD START_TIMEOUT_MS = 20000;
// A save of the list takes some tens of milliseconds: kills fall before,
// inside and between saves.
const int LONGEST_WAIT_MS = 150;

// Temporary files of the settings file in the folder, but for those of the
// given process.
int temporariesOf(const std::string& folder, DWORD exceptProcess)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\TIVRA.INI.~qv*.tmp").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        unsigned long writer = 0;
        if (temporary_file::matches("TIVRA.INI", found.cFileName, writer) && writer != exceptProcess)
            ++count;
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return count;
}

// The generation of the list in the file, 0 when there is no file yet: all
// alarms of one save in their order and nothing after them. -1 otherwise,
// with what was wrong.
long storedGeneration(const std::string& path, std::string& problem)
{
    std::string bytes;
    switch (Win32FileSystem().readFile(path, bytes)) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::Missing:
        return 0;
    case FileReadStatus::Failed:
        problem = "the file could not be read";
        return -1;
    }
    // One line per alarm after the section's, and nothing left of a longer list.
    if (std::count(bytes.begin(), bytes.end(), '\n') != ALARM_COUNT + 1 || bytes.back() != '\n') {
        problem = "the file has " + std::to_string(bytes.size()) + " bytes in " +
            std::to_string(std::count(bytes.begin(), bytes.end(), '\n')) + " lines";
        return -1;
    }
    const ProfileDocument document(bytes);
    long generation = -1;
    for (int key = 0; key < ALARM_COUNT; ++key) {
        const auto value = document.value("AlarmList", std::to_string(key));
        char* end = nullptr;
        const long found = value ? std::strtol(value->c_str() + value->rfind(',') + 1, &end, 10) : -1;
        if (!value || *end != ':' || std::atoi(end + 1) != key || (key > 0 && found != generation)) {
            problem = "key " + std::to_string(key) + " holds " + value.value_or("nothing") + " (" +
                std::to_string(bytes.size()) + " bytes)";
            return -1;
        }
        generation = found;
    }
    return generation;
}

}  // namespace

CrashFigures runCrashKills(const std::string& folder, int kills, unsigned seed)
{
    CrashFigures figures;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> moment(0, LONGEST_WAIT_MS);
    const auto damage = [&figures](const std::string& what) {
        if (figures.damaged++ == 0)
            figures.firstDamage = what;
    };
    const std::string path = folder + "\\TIVRA.INI";
    const std::string eventName =
        "quorvel-crash-" + std::to_string(GetCurrentProcessId()) + '-' + std::to_string(GetTickCount());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    const DWORD start = GetTickCount();
    long generation = 0;
    for (int kill = 0; kill < kills && figures.damaged == 0; ++kill) {
        ResetEvent(ready);
        std::string commandLine = "\"" + programFolder() + "\\crash_victim.exe\" \"" + path + "\" " + eventName;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        // A start can fail for a moment on a busy machine (Wine's server
        // taken up by other processes): it is tried a few times.
        bool started = false;
        for (int attempt = 0; attempt < 5 && !started; ++attempt) {
            if (attempt > 0)
                Sleep(200);
            started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                     &startup, &process) != FALSE;
        }
        if (!started) {
            damage("crash_victim.exe could not be started (error " + std::to_string(GetLastError()) + ")");
            break;
        }
        if (WaitForSingleObject(ready, START_TIMEOUT_MS) != WAIT_OBJECT_0)
            damage("crash_victim.exe did not start saving");
        // Started, it has removed what the killed ones left behind.
        figures.staleAfterStart += temporariesOf(folder, process.dwProcessId);
        Sleep(static_cast<DWORD>(moment(random)));
        TerminateProcess(process.hProcess, KILL_CODE);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ++figures.kills;
        if (code != KILL_CODE)
            damage("crash_victim.exe ended by itself with code " + std::to_string(code));
        const int temporaries = temporariesOf(folder, 0);
        figures.savesCutShort += temporaries > 0 ? 1 : 0;
        figures.maxTemporaries = std::max(figures.maxTemporaries, temporaries);
        std::string problem;
        const long found = storedGeneration(path, problem);
        if (found < 0)
            damage(problem);
        else if (found < generation)
            damage("an older list came back: " + std::to_string(found) + " after " + std::to_string(generation));
        else
            ++(found == generation ? figures.oldLists : figures.newLists);
        generation = std::max(generation, found);
    }
    figures.seconds = (GetTickCount() - start) / 1000.0;
    CloseHandle(ready);
    return figures;
}
