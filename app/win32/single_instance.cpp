#include "app/win32/single_instance.h"

namespace {

struct Search {
    const std::vector<std::string>* properties;
    HWND found;
};

BOOL CALLBACK findMarkedWindow(HWND hwnd, LPARAM parameter)
{
    Search* search = reinterpret_cast<Search*>(parameter);
    for (const std::string& property : *search->properties) {
        if (GetPropA(hwnd, property.c_str()) != nullptr) {
            search->found = hwnd;
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

SingleInstance::SingleInstance(const std::vector<std::string>& instanceNames) : m_names(instanceNames)
{
    for (const std::string& name : m_names) {
        const std::string mutexName = "Local\\" + name;
        const HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
        if (mutex == nullptr)
            continue;
        if (GetLastError() == ERROR_ALREADY_EXISTS)
            m_anotherCopy = true;
        m_mutexes.push_back(mutex);
    }
}

SingleInstance::~SingleInstance()
{
    for (HANDLE mutex : m_mutexes)
        CloseHandle(mutex);
}

bool SingleInstance::activateOtherCopy(UINT showMessage) const
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        Search search = {&m_names, nullptr};
        EnumWindows(findMarkedWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(search.found, &process);
            AllowSetForegroundWindow(process);
            PostMessageA(search.found, showMessage, 0, 0);
            return true;
        }
        Sleep(100);
    }
    return false;
}
