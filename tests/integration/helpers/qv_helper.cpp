// A program that the alarms of the integration tests start: it writes its process id, its command line and its
// folder into "started-<first parameter>.txt" in its folder, whole or not at all, and waits to be closed or its
// report to be removed, at most two minutes.
#include <windows.h>

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    char folder[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string report = std::string("started-") + (argc > 1 ? argv[1] : "unnamed") + ".txt";
    std::ofstream(report + ".part", std::ios::binary) << GetCurrentProcessId() << "\n"
                                                      << GetCommandLineA() << "\n"
                                                      << folder << "\n";
    MoveFileA((report + ".part").c_str(), report.c_str());
    for (int tenths = 0; tenths < 1200 && GetFileAttributesA(report.c_str()) != INVALID_FILE_ATTRIBUTES; ++tenths)
        Sleep(100);
    return 0;
}
