// The platform layer of the real program: Win32 calls, the C runtime's time
// conversions, and the settings engine on the program's settings file.
#pragma once

#include <memory>
#include <string>

#include "platform/notices.h"
#include "platform/platform.h"

class ProfileFile;
class Win32FileSystem;

class Win32Platform : public Platform {
public:
    // notices: where a settings file that cannot be read any more and a
    // program that cannot be started are told.
    Win32Platform(const std::string& settingsPath, Notices& notices);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // Removes temporary files a crash may have left beside the settings file.
    void cleanUpSettingsFolder();

    std::string readSetting(const std::string& section, const std::string& key) override;
    std::vector<std::string> readSettings(const std::string& section, const std::vector<std::string>& keys) override;
    bool writeSetting(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value) override;
    bool writeSettings(const std::string& section, const std::vector<SettingChange>& changes) override;
    bool settingsReadable() override;
    std::vector<FolderEntry> listFolder(const std::string& pattern) override;
    bool readWholeFile(const std::string& path, std::vector<unsigned char>& bytes) override;
    const CodePage& codePage() override;
    Timestamp now() override;
    bool toLocal(Timestamp t, LocalTime& out) override;
    Timestamp fromLocal(const LocalTime& fields) override;
    std::string formatDate(const LocalTime& t, const std::string& picture) override;
    std::string formatTime(const LocalTime& t, const std::string& picture) override;
    bool cursorPosition(ScreenPoint& p) override;
    void playSoundFile(const std::string& path, bool synchronous) override;
    void playSoundMemory(const std::vector<unsigned char>& wave) override;
    ProcessHandle launchProgram(const LaunchRequest& request) override;
    bool processExitCode(ProcessHandle process, std::uint32_t& code) override;
    void terminateProcess(ProcessHandle process) override;
    void releaseProcess(ProcessHandle process) override;

private:
    // Tells the user once that the settings file, read before, cannot be
    // read any more. (An unreadable start is the alarm engine's to tell.)
    void reportUnreadableSettings();

    std::unique_ptr<Win32FileSystem> m_fileSystem;
    std::unique_ptr<ProfileFile> m_settings;
    std::string m_settingsPath;
    Notices& m_notices;
    // A notice that the file cannot be read any more is shown or waiting.
    bool m_unreadableTold = false;
};
