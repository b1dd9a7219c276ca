// The test double of the platform layer and of the notices: it records the calls the program's effects show in
// (`calls`, `messages`) and answers from scripted fields. Settings live in memory, held by the program's own settings
// engine; time runs in a zone with daylight saving (fake_zone.h).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/notices.h"
#include "platform/platform.h"
#include "platform/profile/code_page.h"
#include "platform/profile/profile_document.h"
#include "support/fake_zone.h"

class FakePlatform : public Platform, public Notices {
public:
    // --- scripted answers ---
    Timestamp clock = 0;
    ScreenPoint cursor;
    bool cursorAvailable = true;
    std::map<std::string, std::vector<unsigned char>> files;  // readWholeFile, readTextFile
    std::map<std::string, std::vector<FolderEntry>> folders;  // listFolder, by pattern
    std::map<ProcessHandle, std::uint32_t> exitCodes;         // missing: code unreadable
    bool launchGivesProcess = true;                           // handles 100, 101, ...
    bool failSettingWrites = false;
    bool settingsUnreadable = false;  // reads give nothing, writes are refused
    const fake_zone::Zone* zone = &fake_zone::CENTRAL_EUROPE;
    ProfileDocument settings;

    // --- what happened ---
    std::vector<std::string> calls;
    std::vector<std::string> messages;   // text + detail of every notice
    std::vector<std::string> withdrawn;  // the texts of notices withdrawn
    std::vector<ProcessHandle> terminated, released;
    int settingFileWrites = 0;  // successful writes of the settings file

    std::string settingsText() const { return settings.bytes(); }
    // Set-up without a write counted.
    void putSetting(const std::string& section, const std::string& key, const std::string& value)
    {
        settings.apply(section, {SettingChange{key, value}});
    }
    void putFile(const std::string& path, const std::string& bytes) { files[path].assign(bytes.begin(), bytes.end()); }

    // --- Platform ---
    std::string readSetting(const std::string& section, const std::string& key) override
    {
        return settingsUnreadable ? std::string() : settings.value(section, key).value_or(std::string());
    }
    std::vector<std::string> readSettings(const std::string& section, const std::vector<std::string>& keys) override
    {
        std::vector<std::string> values;
        for (const std::string& key : keys)
            values.push_back(readSetting(section, key));
        return values;
    }
    bool writeSetting(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value) override
    {
        return write(section, {SettingChange{key, value}});
    }
    bool writeSettings(const std::string& section, const std::vector<SettingChange>& changes) override;
    bool settingsReadable() override { return !settingsUnreadable; }
    std::vector<FolderEntry> listFolder(const std::string& pattern) override { return folders[pattern]; }
    bool readWholeFile(const std::string& path, std::vector<unsigned char>& bytes) override;
    const CodePage& codePage() override { return CodePage::latin1(); }
    Timestamp now() override { return clock; }
    bool toLocal(Timestamp t, LocalTime& out) override { return fake_zone::toLocal(t, out, *zone); }
    Timestamp fromLocal(const LocalTime& fields) override { return fake_zone::fromLocal(fields, *zone); }
    std::string formatDate(const LocalTime& t, const std::string& picture) override;
    std::string formatTime(const LocalTime& t, const std::string& picture) override { return formatDate(t, picture); }
    bool cursorPosition(ScreenPoint& p) override { return cursorAvailable ? (p = cursor, true) : false; }
    void playSoundFile(const std::string& path, bool sync) override
    {
        calls.push_back("playSoundFile " + path + (sync ? " sync" : " async"));
    }
    void playSoundMemory(const std::vector<unsigned char>& wave) override
    {
        calls.push_back("playSoundMemory " + std::string(wave.begin(), wave.end()));
    }
    ProcessHandle launchProgram(const LaunchRequest& request) override;
    bool processExitCode(ProcessHandle process, std::uint32_t& code) override;
    void terminateProcess(ProcessHandle process) override { terminated.push_back(process); }
    void releaseProcess(ProcessHandle process) override { released.push_back(process); }

    // --- Notices ---
    void showNotice(const std::string& text, const std::string& detail = std::string()) override
    {
        messages.push_back(text + detail);
    }
    void withdrawNotice(const std::string& text) override { withdrawn.push_back(text); }

private:
    bool write(const std::string& section, const std::vector<SettingChange>& changes);

    ProcessHandle m_nextProcess = 100;
};
