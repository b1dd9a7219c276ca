#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace {

// A file held open by another program is tried again for about a second.
const int BUSY_ATTEMPTS = 20;
const DWORD BUSY_PAUSE_MS = 50;
const int MAX_NAME_ATTEMPTS = 100;
const DWORD READ_CHUNK = 1 << 20;

std::atomic<unsigned long> g_temporaryNumber{0};

bool isBusy(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

bool isMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string folderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string baseNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

enum class ReadAttempt { Done, Missing, Busy, Failed };

ReadAttempt readOnce(const std::string& path, std::string& bytes)
{
    bytes.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (isMissing(error))
            return ReadAttempt::Missing;
        return isBusy(error) ? ReadAttempt::Busy : ReadAttempt::Failed;
    }
    ReadAttempt result = ReadAttempt::Done;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7FFFFFFF) {
        result = ReadAttempt::Failed;
    } else {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, READ_CHUNK));
            DWORD got = 0;
            if (!ReadFile(file, &bytes[done], wanted, &got, nullptr)) {
                result = isBusy(GetLastError()) ? ReadAttempt::Busy : ReadAttempt::Failed;
                break;
            }
            if (got == 0)
                break;  // the file shrank meanwhile
            done += got;
        }
        bytes.resize(done);
    }
    CloseHandle(file);
    if (result != ReadAttempt::Done)
        bytes.clear();
    return result;
}

bool writeTemporary(const std::string& temporary, HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, READ_CHUNK));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, wanted, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok)
        DeleteFileA(temporary.c_str());
    return ok;
}

// A temporary file of a process that still runs may be in the middle of its
// write; one of our own process id is left from an earlier process.
bool writerMayBeAlive(unsigned long processId)
{
    if (processId == GetCurrentProcessId())
        return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr)
        return GetLastError() == ERROR_ACCESS_DENIED;
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

}  // namespace

FileReadStatus Win32FileSystem::readFile(const std::string& path, std::string& bytes)
{
    for (int attempt = 1;; ++attempt) {
        switch (readOnce(path, bytes)) {
        case ReadAttempt::Done:
            return FileReadStatus::Ok;
        case ReadAttempt::Missing:
            return FileReadStatus::Missing;
        case ReadAttempt::Failed:
            return FileReadStatus::Failed;
        case ReadAttempt::Busy:
            if (attempt == BUSY_ATTEMPTS)
                return FileReadStatus::Failed;
            Sleep(BUSY_PAUSE_MS);
            break;
        }
    }
}

FileStamp Win32FileSystem::stamp(const std::string& path)
{
    FileStamp result;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        if (isMissing(GetLastError()))
            result.state = FileStamp::State::Missing;
        return result;
    }
    result.state = FileStamp::State::Present;
    result.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    result.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime);
    return result;
}

bool Win32FileSystem::replaceFile(const std::string& path, const std::string& bytes)
{
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < MAX_NAME_ATTEMPTS && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = temporary_file::nameFor(path, GetCurrentProcessId(), g_temporaryNumber++);
        file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (file == INVALID_HANDLE_VALUE || !writeTemporary(temporary, file, bytes))
        return false;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (!isBusy(GetLastError()) || attempt == BUSY_ATTEMPTS)
            break;
        Sleep(BUSY_PAUSE_MS);
    }
    DeleteFileA(temporary.c_str());
    return false;
}

void Win32FileSystem::removeStaleTemporaries(const std::string& path)
{
    const std::string folder = folderOf(path);
    const std::string baseName = baseNameOf(path);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + ".~qv*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        unsigned long processId = 0;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
            !temporary_file::matches(baseName, found.cFileName, processId) || writerMayBeAlive(processId)) {
            continue;
        }
        DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
