// The few raw file operations the settings file needs, so that the profile
// engine stays portable and can be tested on a file system in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ascii.h"
#include "platform/profile/code_page.h"

enum class FileReadStatus { Ok, Missing, Failed };

// Enough of a file's state to notice that someone else changed it.
struct FileStamp {
    enum class State { Unknown, Missing, Present };
    State state = State::Unknown;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // in the file system's own units

    // An unknown stamp never matches, so the file is read again.
    bool sameAs(const FileStamp& other) const
    {
        return state != State::Unknown && state == other.state && size == other.size && modified == other.modified;
    }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file; Missing only when there is no such file.
    virtual FileReadStatus readFile(const std::string& path, std::string& bytes) = 0;
    virtual FileStamp stamp(const std::string& path) = 0;
    // Puts the bytes in place of the file (or creates it) in one step: the
    // file holds either its old or its new bytes, even after a crash, and
    // keeps its attributes and permissions. A link is followed: the file it
    // points to is replaced, the link stays. A file with several names, or
    // one beside which no new file can be made, is overwritten where it is.
    // False when the file cannot be written (read-only, a folder); it then
    // keeps its old bytes, and is not tried again.
    virtual bool replaceFile(const std::string& path, const std::string& bytes) = 0;
    // Deletes the temporary files that an earlier replacement of this path
    // left behind when its process died.
    virtual void removeStaleTemporaries(const std::string& path) = 0;
    // The program's code page, in which a file saved as UTF-16 is read.
    virtual const CodePage& codePage() const { return CodePage::latin1(); }
};

// Names of the temporary files made next to a file while it is replaced:
// "TIVRA.INI.~qv<process id>-<number>.tmp", unmistakably ours.
namespace temporary_file {

inline std::string nameFor(const std::string& path, unsigned long processId, unsigned long number)
{
    return path + ".~qv" + std::to_string(processId) + '-' + std::to_string(number) + ".tmp";
}

// True when `candidate` (a bare file name) is a temporary file of the file
// named `baseName`; its process id then goes to `processId`. File names
// compare without regard to case, as on Windows.
inline bool matches(const std::string& baseName, const std::string& candidate, unsigned long& processId)
{
    const std::string name = ascii::toLower(candidate);
    const std::string marker = ascii::toLower(baseName) + ".~qv";
    const std::string suffix = ".tmp";
    if (name.size() <= marker.size() + suffix.size() || name.compare(0, marker.size(), marker) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    const std::string middle = name.substr(marker.size(), name.size() - marker.size() - suffix.size());
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 10 || dash + 1 == middle.size() ||
        middle.find_first_not_of("0123456789-") != std::string::npos ||
        middle.find('-', dash + 1) != std::string::npos) {
        return false;
    }
    unsigned long long id = 0;
    for (std::size_t i = 0; i < dash; ++i)
        id = id * 10 + static_cast<unsigned long long>(middle[i] - '0');
    if (id > 0xFFFFFFFFull)
        return false;
    processId = static_cast<unsigned long>(id);
    return true;
}

}  // namespace temporary_file
