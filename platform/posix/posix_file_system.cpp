#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

namespace {

const int MAX_NAME_ATTEMPTS = 100;

std::atomic<unsigned long> g_temporaryNumber{0};

std::string folderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a path names, symbolic links followed: it is the one replaced,
// and the links stay.
std::string targetOf(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    std::string target = resolved;
    ::free(resolved);
    return target;
}

// Where the file cannot be replaced by another one, its bytes are
// overwritten where they are.
bool writeInPlace(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        writeAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
}

// Makes the rename itself durable.
void syncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A temporary file of a process that still runs may be in the middle of its
// write; one of our own process id is left from an earlier process.
bool writerMayBeAlive(unsigned long processId)
{
    if (processId == static_cast<unsigned long>(::getpid()))
        return false;
    if (processId == 0 || processId > 0x7FFFFFFFul)
        return false;
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

}  // namespace

FileReadStatus PosixFileSystem::readFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Failed;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            bytes.clear();
            return FileReadStatus::Failed;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return FileReadStatus::Ok;
}

FileStamp PosixFileSystem::stamp(const std::string& path)
{
    FileStamp result;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            result.state = FileStamp::State::Missing;
        return result;
    }
    result.state = FileStamp::State::Present;
    result.size = static_cast<std::uint64_t>(info.st_size);
    result.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return result;
}

bool PosixFileSystem::replaceFile(const std::string& path, const std::string& bytes)
{
    const std::string target = targetOf(path);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && (S_ISDIR(info.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return false;
    // Every name of a file with several must see the change.
    if (exists && info.st_nlink > 1)
        return writeInPlace(target, bytes);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < MAX_NAME_ATTEMPTS && fd < 0; ++attempt) {
        temporary = temporary_file::nameFor(target, static_cast<unsigned long>(::getpid()), g_temporaryNumber++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return errno != ENOENT && writeInPlace(target, bytes);  // no room for a new file beside it
    }
    if (fd < 0)
        return false;
    // The new file takes the old one's permissions.
    const mode_t mode = exists ? info.st_mode & 07777 : 0644;
    bool written = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

void PosixFileSystem::removeStaleTemporaries(const std::string& path)
{
    const std::string target = targetOf(path);
    const std::string folder = folderOf(target);
    const std::string baseName = baseNameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (dirent* entry = ::readdir(dir)) {
        unsigned long processId = 0;
        if (!temporary_file::matches(baseName, entry->d_name, processId) || writerMayBeAlive(processId))
            continue;
        ::unlink((folder + '/' + entry->d_name).c_str());
    }
    ::closedir(dir);
}
