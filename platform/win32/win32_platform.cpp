#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/c_runtime_time.h"
#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"

namespace {

// What the user is told when the settings file, read before, is there but
// unreadable: nothing is saved into it while it stays so.
const char* const SETTINGS_UNREADABLE_NOW =
    "The settings file cannot be read at the moment. Nothing is saved into it until it can be read again.\r\n";

const char* const LAUNCH_FAILED = "The program cannot be started:\r\n";

// The system's description of an error code, in the system's code page.
std::string systemErrorText(DWORD error)
{
    char text[512] = {0};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    return length > 0 ? std::string(text, length) : "Error " + std::to_string(error);
}

SYSTEMTIME systemTime(const LocalTime& t)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

}  // namespace

Win32Platform::Win32Platform(const std::string& settingsPath, Notices& notices)
    : m_fileSystem(new Win32FileSystem()),
      m_settings(new ProfileFile(*m_fileSystem, settingsPath)),
      m_settingsPath(settingsPath),
      m_notices(notices)
{}

Win32Platform::~Win32Platform() = default;

void Win32Platform::cleanUpSettingsFolder()
{
    m_fileSystem->removeStaleTemporaries(m_settingsPath);
}

void Win32Platform::reportUnreadableSettings()
{
    if (m_settings->takeUnreadableReport() && !m_settings->unreadableSinceStart()) {
        m_notices.showNotice(SETTINGS_UNREADABLE_NOW, m_settingsPath);
        m_unreadableTold = true;
    } else if (m_unreadableTold && !m_settings->unreadable()) {
        // Readable again: a notice not yet read would tell of the past.
        m_notices.withdrawNotice(SETTINGS_UNREADABLE_NOW);
        m_unreadableTold = false;
    }
}

bool Win32Platform::settingsReadable()
{
    return m_settings->retryFirstRead();
}

std::string Win32Platform::readSetting(const std::string& section, const std::string& key)
{
    std::string value = m_settings->read(section, key);
    reportUnreadableSettings();
    return value;
}

std::vector<std::string> Win32Platform::readSettings(const std::string& section, const std::vector<std::string>& keys)
{
    std::vector<std::string> values = m_settings->read(section, keys);
    reportUnreadableSettings();
    return values;
}

bool Win32Platform::writeSetting(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value)
{
    const bool written = m_settings->write(section, key, value);
    reportUnreadableSettings();
    return written;
}

bool Win32Platform::writeSettings(const std::string& section, const std::vector<SettingChange>& changes)
{
    const bool written = m_settings->writeSection(section, changes);
    reportUnreadableSettings();
    return written;
}

std::vector<FolderEntry> Win32Platform::listFolder(const std::string& pattern)
{
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back(FolderEntry{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

bool Win32Platform::readWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
    if (ok) {
        bytes.assign(static_cast<size_t>(size.QuadPart), 0);
        DWORD read = 0;
        ok = bytes.empty() ||
            (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

const CodePage& Win32Platform::codePage()
{
    return m_fileSystem->codePage();
}

Timestamp Win32Platform::now()
{
    // The system clock itself: the C runtime's time() works out the time
    // zone at every call, and the tick asks once a second all day.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const long long ticks =
        static_cast<long long>((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    const long long seconds = ticks / 10000000 - 11644473600LL;  // from 1601 to 1970
    return seconds < 0 || seconds > INT32_MAX ? INVALID_TIME : static_cast<Timestamp>(seconds);
}

bool Win32Platform::toLocal(Timestamp t, LocalTime& out)
{
    return c_runtime_time::toLocal(t, out);
}

Timestamp Win32Platform::fromLocal(const LocalTime& fields)
{
    return c_runtime_time::fromLocal(fields);
}

std::string Win32Platform::formatDate(const LocalTime& t, const std::string& picture)
{
    const SYSTEMTIME st = systemTime(t);
    char text[32] = {0};
    if (GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, &st, picture.c_str(), text, sizeof text) == 0)
        return std::string();
    return text;
}

std::string Win32Platform::formatTime(const LocalTime& t, const std::string& picture)
{
    const SYSTEMTIME st = systemTime(t);
    char text[32] = {0};
    if (GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, &st, picture.c_str(), text, sizeof text) == 0)
        return std::string();
    return text;
}

bool Win32Platform::cursorPosition(ScreenPoint& p)
{
    POINT point;
    if (!GetCursorPos(&point))
        return false;
    p.x = point.x;
    p.y = point.y;
    return true;
}

void Win32Platform::playSoundFile(const std::string& path, bool synchronous)
{
    sndPlaySoundA(path.c_str(), synchronous ? SND_SYNC : SND_ASYNC);
}

void Win32Platform::playSoundMemory(const std::vector<unsigned char>& wave)
{
    if (wave.empty()) {
        // A piece that could not be read is heard as nothing.
        return;
    }
    sndPlaySoundA(reinterpret_cast<const char*>(wave.data()), SND_MEMORY | SND_SYNC);
}

ProcessHandle Win32Platform::launchProgram(const LaunchRequest& request)
{
    // The system's own error box would open inside the tick; the failure is
    // told afterwards like every other message of the program.
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = nullptr;
    info.lpFile = request.file.c_str();
    info.lpParameters = request.parameters.c_str();
    info.lpDirectory = request.directory.c_str();
    info.nShow = request.showCommand;
    if (!ShellExecuteExA(&info))
        m_notices.showNotice(LAUNCH_FAILED, request.file + "\r\n" + systemErrorText(GetLastError()));
    return reinterpret_cast<ProcessHandle>(info.hProcess);
}

bool Win32Platform::processExitCode(ProcessHandle process, std::uint32_t& code)
{
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &exitCode))
        return false;
    code = exitCode;
    return true;
}

void Win32Platform::terminateProcess(ProcessHandle process)
{
    TerminateProcess(reinterpret_cast<HANDLE>(process), 0);
}

void Win32Platform::releaseProcess(ProcessHandle process)
{
    if (process != NO_PROCESS)
        CloseHandle(reinterpret_cast<HANDLE>(process));
}
