// The test double of the platform layer: it records every call in `calls`
// and answers from scripted fields. Settings live in memory; time runs in a
// fixed zone with daylight saving (fake_zone.h).
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

class FakePlatform : public Platform {
public:
    // --- scripted answers ---
    Timestamp clock = 0;
    ScreenPoint cursor;
    bool cursorAvailable = true;
    std::string folder = "C:\\Alarms";
    std::map<std::string, std::vector<unsigned char>> files;  // readWholeFile, readTextFile
    std::map<std::string, std::vector<FolderEntry>> folders;  // listFolder, by pattern
    std::map<ProcessHandle, std::uint32_t> exitCodes;         // missing: code unreadable
    ProcessHandle nextProcess = 100;                          // handed out by launchProgram
    bool launchGivesProcess = true;
    bool failSettingWrites = false;
    bool settingsUnreadable = false;  // reads give nothing, writes are refused
    bool chooseFileAccepts = false;
    std::string chosenFile;

    // --- what happened ---
    std::vector<std::string> calls;
    std::vector<std::string> messages;  // text + detail of every message box
    std::vector<LaunchRequest> launches;
    std::vector<ProcessHandle> terminated;
    std::vector<ProcessHandle> released;
    int settingFileWrites = 0;  // successful writes of the settings file

    // The settings as sections of ordered key/value pairs, as they would
    // stand in the file.
    using Section = std::vector<std::pair<std::string, std::string>>;
    std::vector<std::pair<std::string, Section>> settings;
    // The whole settings as the text of a profile file, for checks.
    std::string settingsText() const;
    // Direct access for test set-up (no write counted).
    void putSetting(const std::string& section, const std::string& key, const std::string& value);

    // --- Platform ---
    std::string readSetting(const std::string& section, const std::string& key) override;
    bool writeSetting(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value) override;
    bool writeSettings(const std::string& section, const std::vector<SettingChange>& changes) override;
    bool settingsReadable() override { return !settingsUnreadable; }
    std::string currentDirectory() override;
    std::vector<FolderEntry> listFolder(const std::string& pattern) override;
    bool readWholeFile(const std::string& path, std::vector<unsigned char>& bytes) override;
    bool readTextFile(const std::string& path, std::string& text) override;
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
    Section* findSection(const std::string& name);
    void applyChange(const std::string& section, const SettingChange& change);
};
