// The platform layer of the real program: Win32 calls, the C runtime's time
// conversions, and the settings engine on the program's settings file.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>

#include "platform/platform.h"

class ProfileFile;
class Win32FileSystem;

class Win32Platform : public Platform {
public:
    explicit Win32Platform(const std::string& settingsPath);
    ~Win32Platform() override;

    // The main window: it shows the program's waiting messages when told
    // so by MessagesWaitingMessage. Without one they are shown at once.
    void setMainWindow(HWND window) { m_mainWindow = window; }
    // Posted to the main window when a message waits to be shown.
    static UINT MessagesWaitingMessage();
    // Shows the waiting messages, one box at a time. Called from the box's
    // own message loop it does nothing: the rest follow when the box closes.
    void showWaitingMessages();
    // The process's current folder in the system code page, whatever its
    // length; false when it cannot be read or its name cannot be written in
    // that code page.
    static bool currentFolder(std::string& folder);
    // Removes temporary files a crash may have left beside the settings file.
    void cleanUpSettingsFolder();

    std::string readSetting(const std::string& section, const std::string& key) override;
    bool writeSetting(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value) override;
    bool writeSettings(const std::string& section, const std::vector<SettingChange>& changes) override;
    bool settingsReadable() override;
    std::string currentDirectory() override;
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
    void openHelp() override;
    void showMessage(const std::string& text, const std::string& detail = std::string()) override;
    bool chooseFile(const FileChoice& choice, std::string& path) override;

private:
    struct Message {
        std::string text;
        std::string detail;
        bool operator==(const Message& other) const { return text == other.text && detail == other.detail; }
    };

    // Tells the user once that the settings file, read before, cannot be
    // read any more. (An unreadable start is the alarm engine's to tell.)
    void reportUnreadableSettings();
    HWND noticeOwner() const;

    std::unique_ptr<Win32FileSystem> m_fileSystem;
    std::unique_ptr<ProfileFile> m_settings;
    std::string m_settingsPath;
    HWND m_mainWindow = nullptr;
    std::deque<Message> m_waiting;
    Message m_open;
    bool m_showing = false;
    bool m_showPosted = false;
};
