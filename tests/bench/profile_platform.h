// The test double with its settings kept by the real settings engine in a
// real file, so that the alarm store can be measured end to end. Every other
// operation is the test double's.
#pragma once

#include <string>
#include <vector>

#include "model/alarm_collection.h"
#include "platform/posix/posix_file_system.h"
#include "platform/profile/profile_file.h"
#include "support/fake_platform.h"

// Counts the file replacements the engine makes.
class CountingFileSystem : public PosixFileSystem {
public:
    bool replaceFile(const std::string& path, const std::string& bytes) override;
    long long replacements = 0;
};

class ProfilePlatform : public FakePlatform {
public:
    explicit ProfilePlatform(const std::string& path);

    std::string readSetting(const std::string& section, const std::string& key) override;
    std::vector<std::string> readSettings(const std::string& section, const std::vector<std::string>& keys) override;
    bool writeSetting(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value) override;
    bool writeSettings(const std::string& section, const std::vector<SettingChange>& changes) override;

    CountingFileSystem files;
    ProfileFile profile;
};

// A settings file with an Options section in a folder of its own, removed
// afterwards.
class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& folder() const { return m_folder; }
    const std::string& path() const { return m_path; }

private:
    std::string m_folder;
    std::string m_path;
};

// Appends count armed daily alarms an hour apart, with every text filled.
void fillAlarms(AlarmCollection& alarms, int count);
