// The one narrow interface through which the program reaches the operating
// system. The portable core sees only this; Win32Platform implements it for
// the real program and FakePlatform (tests) records calls and scripts answers.
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
    // The process's current folder, without a trailing backslash except at a
    // drive root.
    virtual std::string currentDirectory() = 0;
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

    // --- help ---
    // Opens ".\\tivra.hlp" with the help viewer when the current folder holds
    // it, otherwise the user guide TIVRA.HTM beside the program (or in the
    // current folder) in the default browser.
    virtual void openHelp() = 0;

    // --- user interaction ---
    // A message box with OK and the exclamation icon, titled with the
    // application's name. text is the program's own text (ASCII or
    // Windows-1251); detail, in the system code page, follows it unchanged.
    // The box never opens inside the caller (the tick goes on; it opens once
    // the program is back in its message loop), in front, one at a time; a
    // message already open or waiting is not repeated.
    virtual void showMessage(const std::string& text, const std::string& detail = std::string()) = 0;
    // The open-file dialog; false when cancelled.
    virtual bool chooseFile(const FileChoice& choice, std::string& path) = 0;
};
