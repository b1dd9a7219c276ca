#include "bench/profile_platform.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

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

std::vector<std::string> ProfilePlatform::readSettings(const std::string& section,
                                                       const std::vector<std::string>& keys)
{
    return profile.read(section, keys);
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

ScratchFile::ScratchFile()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/quorvel-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    m_folder = pattern;
    m_path = m_folder + "/TIVRA.INI";
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (file == nullptr) {
        std::perror("fopen");
        std::abort();
    }
    std::fputs("[Options]\r\nColumn=130,124\r\nFlags=1\r\n", file);
    std::fclose(file);
}

ScratchFile::~ScratchFile()
{
    std::remove(m_path.c_str());
    ::rmdir(m_folder.c_str());
}

void fillAlarms(AlarmCollection& alarms, int count)
{
    const Timestamp first = 1500000000;
    for (int i = 0; i < count; ++i) {
        auto alarm = std::make_unique<Alarm>(first + i * 3607);
        alarm->state = ALARM_STATE_ARMED;
        alarm->flags = ALARM_PLAY_WAVE | ALARM_SHOW_MESSAGE | ALARM_REPEAT | ALARM_EXECUTE;
        alarm->repeatInterval = 86400;
        alarm->closeAfter = 600;
        alarm->waveFile = "C:\\SOUNDS\\DING.WAV";
        alarm->commandLine = "notepad.exe notes.txt";
        alarm->workingFolder = "C:\\WORK";
        alarm->message = "Alarm number " + std::to_string(i) + ", time for a break";
        alarms.append(std::move(alarm));
    }
}
