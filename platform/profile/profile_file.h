// The settings file, read and written the way the system's profile functions
// do it, but with one atomic replacement of the file per change (none when
// nothing changed) and without ever taking an unreadable file for an empty one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/profile/file_system.h"
#include "platform/profile/profile_document.h"

class ProfileFile {
public:
    ProfileFile(FileSystem& files, std::string path);

    // The stored text, at most 4095 characters, or the empty text when the
    // key or the file is missing. A change made to the file by someone else
    // is seen here.
    std::string read(const std::string& section, const std::string& key);
    // The values of several keys, as read gives them, after one look at the
    // file.
    std::vector<std::string> read(const std::string& section, const std::vector<std::string>& keys);
    // Writes one value, or deletes the key when there is none. True when the
    // file holds the change afterwards.
    bool write(const std::string& section, const std::string& key, const std::optional<std::string>& value);
    // Applies several changes to one section with a single file write.
    bool writeSection(const std::string& section, const std::vector<SettingChange>& changes);

    // True while the file exists but cannot be read: reads give the empty
    // text and writes are refused. When the file could not be read the first
    // time it was needed, this lasts until retryFirstRead succeeds: what the
    // program built from those empty reads must never overwrite the file.
    // Once it has been read, a later failure (a scanner holding the file) is
    // tried again at every call.
    bool unreadable() const;
    // True when the file has never been read in this session.
    bool unreadableSinceStart() const { return unreadable() && !m_everRead; }
    // True once the file has been read (or found missing) in this session.
    // While it has not, each call tries to read it once more: the only way
    // out of an unreadable start, so that nothing is written before.
    bool retryFirstRead();
    // True the first time it is asked after the file became unreadable.
    bool takeUnreadableReport();

    // For start-up: deletes temporary files that a write cut short by a crash
    // or a power cut left next to the file.
    void removeStaleTemporaries();

    const std::string& path() const;

private:
    enum class LoadState { NotLoaded, Loaded, Unreadable };

    bool refresh();

    FileSystem& m_files;
    std::string m_path;
    LoadState m_state = LoadState::NotLoaded;
    FileStamp m_stamp;
    ProfileDocument m_document;
    bool m_reportPending = false;
    bool m_everRead = false;
};
