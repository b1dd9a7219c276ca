// A small program that alarms of the integration tests start: it writes
// what it was started with into "started-<first parameter>.txt" in its
// current folder (its process id, its command line, its folder) and then
// waits to be closed or its report to be removed, at most two minutes.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string name = argc > 1 ? argv[1] : "unnamed";
    char folder[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string path = "started-" + name + ".txt";
    const std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return 2;
    std::fprintf(file, "%lu\n%s\n%s\n", static_cast<unsigned long>(GetCurrentProcessId()), GetCommandLineA(), folder);
    std::fclose(file);
    MoveFileA(temporary.c_str(), path.c_str());  // seen whole or not at all
    for (int tenths = 0; tenths < 1200 && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++tenths)
        Sleep(100);
    return 0;
}
