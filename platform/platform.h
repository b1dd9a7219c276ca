// The one narrow interface through which the program reaches the services of
// the operating system: settings, files, clock, sound and programs. It never
// talks to the user (that is the user interface's, platform/notices.h). The
// portable core sees only this; Win32Platform implements it for the real
// program and FakePlatform (tests) records calls and scripts answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

class CodePage;

// One change of a settings section: a value to write, or none to delete the key.
struct SettingChange {
    std::string key;
    std::optional<std::string> value;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- settings file (section/key/value, as a Windows profile file) ---
    // The stored text (at most 4095 characters), or the empty text when the
    // key or the file is missing.
    virtual std::string readSetting(const std::string& section, const std::string& key) = 0;
    // The values of several keys of one section, each as readSetting gives
    // it, from one look at the file: a list of thousands of alarms is read
    // without asking the file system once per key.
    virtual std::vector<std::string> readSettings(const std::string& section, const std::vector<std::string>& keys) = 0;
    // Writes one value, or deletes the key when value is empty (nullopt).
    // True when the file holds the change afterwards.
    virtual bool writeSetting(const std::string& section, const std::string& key,
                              const std::optional<std::string>& value) = 0;
    // Applies several changes to one section with a single file write.
    virtual bool writeSettings(const std::string& section, const std::vector<SettingChange>& changes) = 0;
    // True once the settings file has been read in this session (a missing
    // file counts as read). While it has not, reads give the empty text and
    // writes are refused; each call tries to read it once more.
    virtual bool settingsReadable() = 0;

    // --- folders and files ---
    // Entries matching a pattern such as "C:\\x\\speak\\*.*".
    virtual std::vector<FolderEntry> listFolder(const std::string& pattern) = 0;
    // The whole file as bytes; false when it cannot be opened or read.
    virtual bool readWholeFile(const std::string& path, std::vector<unsigned char>& bytes) = 0;
    // The whole file as text in the program's code page, a file saved as
    // UTF-16 (with its byte-order mark) converted; false when it cannot be
    // opened or read.
    bool readTextFile(const std::string& path, std::string& text);
    // The code page of the system's 8-bit texts.
    virtual const CodePage& codePage() = 0;

    // --- clock and local time ---
    virtual Timestamp now() = 0;
    // The local calendar fields of an instant; false for an instant that has
    // none (negative ones).
    virtual bool toLocal(Timestamp t, LocalTime& out) = 0;
    // The instant of local fields (mktime with the daylight flag left to the
    // library); out-of-range fields carry over; INVALID_TIME outside 1970-2038.
    virtual Timestamp fromLocal(const LocalTime& fields) = 0;

    // --- date and time texts in the system default locale ---
    // Empty text when the date is rejected.
    virtual std::string formatDate(const LocalTime& t, const std::string& picture) = 0;
    virtual std::string formatTime(const LocalTime& t, const std::string& picture) = 0;

    // --- pointer ---
    virtual bool cursorPosition(ScreenPoint& p) = 0;

    // --- sound ---
    // Plays a wave file; synchronous waits for its end.
    virtual void playSoundFile(const std::string& path, bool synchronous) = 0;
    // Plays a whole wave file held in memory and waits for its end.
    virtual void playSoundMemory(const std::vector<unsigned char>& wave) = 0;

    // --- programs ---
    // Starts a program; NO_PROCESS when no process handle came back.
    virtual ProcessHandle launchProgram(const LaunchRequest& request) = 0;
    // False when the code could not be read; STILL_RUNNING_CODE while running.
    virtual bool processExitCode(ProcessHandle process, std::uint32_t& code) = 0;
    virtual void terminateProcess(ProcessHandle process) = 0;
    // Gives the handle back to the system once nobody watches the program.
    virtual void releaseProcess(ProcessHandle process) = 0;
};
