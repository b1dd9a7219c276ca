#include "app/win32/single_instance.h"

namespace {

struct Search {
    const char* property;
    HWND found;
};

BOOL CALLBACK findMarkedWindow(HWND hwnd, LPARAM parameter)
{
    Search* search = reinterpret_cast<Search*>(parameter);
    if (GetPropA(hwnd, search->property) == nullptr)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

SingleInstance::SingleInstance(const std::string& instanceName) : m_name(instanceName)
{
    const std::string mutexName = "Local\\" + m_name;
    m_mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
    m_anotherCopy = m_mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance()
{
    if (m_mutex != nullptr)
        CloseHandle(m_mutex);
}

bool SingleInstance::activateOtherCopy(UINT showMessage) const
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        Search search = {m_name.c_str(), nullptr};
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
