#include "bench/profile_platform.h"

bool CountingFileSystem::replaceFile(const std::string& path, const std::string& bytes)
{
    ++replacements;
    return PosixFileSystem::replaceFile(path, bytes);
}

ProfilePlatform::ProfilePlatform(const std::string& path) : profile(files, path) {}

std::string ProfilePlatform::readSetting(const std::string& section, const std::string& key)
{
    return profile.read(section, key);
}

bool ProfilePlatform::writeSetting(const std::string& section, const std::string& key,
                                   const std::optional<std::string>& value)
{
    return profile.write(section, key, value);
}

bool ProfilePlatform::writeSettings(const std::string& section, const std::vector<SettingChange>& changes)
{
    return profile.writeSection(section, changes);
}
