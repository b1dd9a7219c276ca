// Raw file operations of the settings file on a POSIX system: used by the
// native tests and benchmarks.
#pragma once

#include <string>

#include "platform/profile/file_system.h"

class PosixFileSystem : public FileSystem {
public:
    FileReadStatus readFile(const std::string& path, std::string& bytes) override;
    FileStamp stamp(const std::string& path) override;
    bool replaceFile(const std::string& path, const std::string& bytes) override;
    void removeStaleTemporaries(const std::string& path) override;
};
