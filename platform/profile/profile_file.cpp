#include "platform/profile/profile_file.h"

#include <utility>

ProfileFile::ProfileFile(FileSystem& files, std::string path) : m_files(files), m_path(std::move(path)) {}

const std::string& ProfileFile::path() const
{
    return m_path;
}

bool ProfileFile::unreadable() const
{
    return m_state == LoadState::Unreadable;
}

bool ProfileFile::takeUnreadableReport()
{
    bool report = m_reportPending;
    m_reportPending = false;
    return report;
}

bool ProfileFile::retryFirstRead()
{
    if (m_everRead)
        return true;
    if (m_state == LoadState::Unreadable)
        m_state = LoadState::NotLoaded;
    return refresh();
}

void ProfileFile::removeStaleTemporaries()
{
    m_files.removeStaleTemporaries(m_path);
}

// Brings the document up to date with the file, reading it again when its
// stamp changed. False when the file is unreadable.
bool ProfileFile::refresh()
{
    if (m_state == LoadState::Unreadable && !m_everRead)
        return false;
    // The stamp is taken before the read, so that a change made while
    // reading shows as a changed stamp next time.
    FileStamp stamp = m_files.stamp(m_path);
    if (m_state == LoadState::Loaded && stamp.sameAs(m_stamp))
        return true;
    std::string bytes;
    switch (m_files.readFile(m_path, bytes)) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::Missing:
        bytes.clear();
        break;
    case FileReadStatus::Failed:
        if (m_state != LoadState::Unreadable)
            m_reportPending = true;
        m_state = LoadState::Unreadable;
        return false;
    }
    m_document = ProfileDocument(bytes, m_files.codePage());
    m_stamp = stamp;
    m_state = LoadState::Loaded;
    m_everRead = true;
    return true;
}

std::string ProfileFile::read(const std::string& section, const std::string& key)
{
    if (!refresh())
        return std::string();
    return m_document.value(section, key).value_or(std::string());
}

std::vector<std::string> ProfileFile::read(const std::string& section, const std::vector<std::string>& keys)
{
    std::vector<std::string> values(keys.size());
    if (!refresh())
        return values;
    for (std::size_t i = 0; i < keys.size(); ++i)
        values[i] = m_document.value(section, keys[i]).value_or(std::string());
    return values;
}

bool ProfileFile::write(const std::string& section, const std::string& key, const std::optional<std::string>& value)
{
    return writeSection(section, {SettingChange{key, value}});
}

bool ProfileFile::writeSection(const std::string& section, const std::vector<SettingChange>& changes)
{
    if (!refresh())
        return false;
    switch (m_document.preview(section, changes)) {
    case ProfileDocument::ChangeOutcome::Refused:
        return false;
    case ProfileDocument::ChangeOutcome::Unchanged:
        return true;
    case ProfileDocument::ChangeOutcome::Changed:
        break;
    }
    // The file as it stands, made from the document only while a change is
    // written: a failed write goes back to it, and a change that leaves the
    // bytes as they were writes nothing. Kept no longer, so that a long list
    // is not held twice.
    const std::string before = m_document.bytes();
    if (m_document.apply(section, changes) != ProfileDocument::ChangeOutcome::Changed)
        return true;
    std::string bytes = m_document.bytes();
    if (bytes == before)
        return true;
    if (!m_files.replaceFile(m_path, bytes)) {
        // The file still holds what it held: go back to that, so that a file
        // held open by someone else need not be read again.
        m_document = ProfileDocument(before, m_files.codePage());
        return false;
    }
    m_stamp = m_files.stamp(m_path);
    return true;
}
