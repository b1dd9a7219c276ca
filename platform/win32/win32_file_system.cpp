#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/win32/framework/text_encoding.h"

namespace {

// A file held open by another program is tried again for about a second.
const int BUSY_ATTEMPTS = 20;
const DWORD BUSY_PAUSE_MS = 50;
const int MAX_NAME_ATTEMPTS = 100;
const DWORD IO_CHUNK = 1 << 20;
// The attributes a replaced file keeps; read-only files are never replaced.
const DWORD KEPT_ATTRIBUTES =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::atomic<unsigned long> g_temporaryNumber{0};

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is held in wchar_t");

// The system's ANSI code page, in which the system's profile functions read
// and write a settings file saved as UTF-16.
class AnsiCodePage : public CodePage {
public:
    std::string fromUtf16(const std::u16string& text) const override
    {
        return text_encoding::toSystemText(WideText(text.begin(), text.end()));
    }
    std::u16string toUtf16(const std::string& text) const override
    {
        const WideText wide = text_encoding::fromSystemText(text);
        return std::u16string(wide.begin(), wide.end());
    }
};

// Only a file held by another program (a scanner, an indexer, a backup) is
// worth trying again; access denied or a missing folder stay as they are.
bool isBusy(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Makes the attempt again, for about a second, while it fails on a file
// another program holds; the last error tells why it failed in the end.
template <typename Attempt>
bool whileBusy(Attempt attempt)
{
    for (int n = 1;; ++n) {
        if (attempt())
            return true;
        if (!isBusy(GetLastError()) || n == BUSY_ATTEMPTS)
            return false;
        Sleep(BUSY_PAUSE_MS);
    }
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

HANDLE openExisting(const std::string& path, DWORD access)
{
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// What the file behind a path is: the path at its end (symbolic links
// followed, so that the user's own file is replaced and the link stays) and
// how many names it has.
struct Target {
    bool exists = false;
    std::string path;
    DWORD attributes = 0;
    DWORD links = 1;
};

// The path of an open file with every link resolved ("\\?\C:\x" or
// "\\?\UNC\server\share\x" from the system), or empty where the system has no
// such call (before Windows Vista) or fails.
std::string finalPathOf(HANDLE file)
{
    using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const auto finalPath = reinterpret_cast<FinalPathFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    if (finalPath == nullptr)
        return std::string();
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD length = finalPath(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = finalPath(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    }
    if (length == 0 || length >= buffer.size())
        return std::string();
    const std::string path(buffer.data(), length);
    if (path.compare(0, 8, "\\\\?\\UNC\\") == 0)
        return "\\\\" + path.substr(8);
    return path.compare(0, 4, "\\\\?\\") == 0 ? path.substr(4) : path;
}

Target targetOf(const std::string& path)
{
    Target target;
    target.path = path;
    HANDLE file = openExisting(path, 0);
    if (file == INVALID_HANDLE_VALUE)
        return target;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information)) {
        target.exists = true;
        target.attributes = information.dwFileAttributes;
        target.links = information.nNumberOfLinks;
        const std::string resolved = finalPathOf(file);
        if (!resolved.empty())
            target.path = resolved;
    }
    CloseHandle(file);
    return target;
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
            DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, IO_CHUNK));
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

// Writes the bytes, cuts the file there and makes sure they reached the disk.
bool writeAndFlush(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, IO_CHUNK));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, wanted, &written, nullptr) && written > 0;
        done += written;
    }
    return ok && SetEndOfFile(file) && FlushFileBuffers(file);
}

// The way when the file cannot be replaced (no new file can be made in its
// folder, or it has other names that must see the change): its bytes are
// overwritten where they are.
bool writeInPlace(const std::string& path, const std::string& bytes)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    const bool opened = whileBusy([&] {
        file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    if (!opened)
        return false;
    const bool ok = writeAndFlush(file, bytes);
    return CloseHandle(file) && ok;
}

// The replaced file keeps the attributes and the permissions of the old one.
void takeOverIdentity(const Target& target, const std::string& temporary)
{
    DWORD needed = 0;
    GetFileSecurityA(target.path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed > 0) {
        std::vector<unsigned char> descriptor(needed);
        if (GetFileSecurityA(target.path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed))
            SetFileSecurityA(temporary.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
    }
    const DWORD kept = target.attributes & KEPT_ATTRIBUTES;
    if (kept != 0)
        SetFileAttributesA(temporary.c_str(), kept);
}

enum class Replacement { Done, Failed, Impossible };

// Writes a temporary file beside the target and moves it in place of it.
// Impossible when no temporary file can be made there or the target cannot
// be replaced by another file.
Replacement replaceThroughTemporary(const Target& target, const std::string& bytes)
{
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < MAX_NAME_ATTEMPTS && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = temporary_file::nameFor(target.path, GetCurrentProcessId(), g_temporaryNumber++);
        file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return Replacement::Impossible;
    }
    if (file == INVALID_HANDLE_VALUE)
        return Replacement::Impossible;
    const bool written = writeAndFlush(file, bytes);
    if (!CloseHandle(file) || !written) {
        DeleteFileA(temporary.c_str());
        return Replacement::Failed;
    }
    if (target.exists)
        takeOverIdentity(target, temporary);
    if (whileBusy([&] {
            return MoveFileExA(temporary.c_str(), target.path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        }))
        return Replacement::Done;
    const Replacement result =
        GetLastError() == ERROR_ACCESS_DENIED && target.exists ? Replacement::Impossible : Replacement::Failed;
    DeleteFileA(temporary.c_str());
    return result;
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
    // A symbolic link has a stamp of its own: the file it points to tells
    // whether the settings changed.
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        HANDLE file = openExisting(path, 0);
        BY_HANDLE_FILE_INFORMATION information;
        const bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (!known)
            return result;
        data.nFileSizeHigh = information.nFileSizeHigh;
        data.nFileSizeLow = information.nFileSizeLow;
        data.ftLastWriteTime = information.ftLastWriteTime;
    }
    result.state = FileStamp::State::Present;
    result.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    result.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime);
    return result;
}

bool Win32FileSystem::replaceFile(const std::string& path, const std::string& bytes)
{
    const Target target = targetOf(path);
    // The system refuses to write a read-only file (or a folder); so do we,
    // at once.
    if ((target.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;
    // A file with several names (hard links) is changed where it is, so that
    // every name sees the change.
    if (target.links > 1)
        return writeInPlace(target.path, bytes);
    switch (replaceThroughTemporary(target, bytes)) {
    case Replacement::Done:
        return true;
    case Replacement::Failed:
        return false;
    case Replacement::Impossible:
        break;
    }
    // A writable file is never refused: without a way to replace it whole,
    // it is overwritten.
    return writeInPlace(target.path, bytes);
}

void Win32FileSystem::removeStaleTemporaries(const std::string& path)
{
    // Temporary files are made beside the file a link points to.
    const std::string target = targetOf(path).path;
    const std::string folder = folderOf(target);
    const std::string baseName = baseNameOf(target);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((target + ".~qv*.tmp").c_str(), &found);
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

const CodePage& Win32FileSystem::codePage() const
{
    static const AnsiCodePage ansi;
    return ansi;
}
