// Raw file operations of the settings file on Windows: atomic replacement
// through a temporary file beside the file a link points to, with retries
// while a virus scanner or an indexer holds the file; writing in place where
// the file cannot be replaced; text in the system's ANSI code page.
#pragma once

#include <string>

#include "platform/profile/file_system.h"

class Win32FileSystem : public FileSystem {
public:
    FileReadStatus readFile(const std::string& path, std::string& bytes) override;
    FileStamp stamp(const std::string& path) override;
    bool replaceFile(const std::string& path, const std::string& bytes) override;
    void removeStaleTemporaries(const std::string& path) override;
    const CodePage& codePage() const override;
};
