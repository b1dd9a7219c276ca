// The harness of the integration tests: quorvel.exe started in a fresh folder and driven from outside as the user
// and the shell would, and the settings files, stored alarms and screenshots the tests look at.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <ctime>
#include <initializer_list>
#include <string>
#include <vector>

#include "resource.h"

// A fresh folder under the system's temporary folder, deleted with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + '\\' + name; }
    std::string folder(const std::string& name) const;  // made when asked for

private:
    std::string m_path;
};

// The folder of the tests and quorvel.exe; a whole file or "<missing>"; a file written anew; a folder's names, sorted.
std::string programFolder();
std::string readFileText(const std::string& path);
void writeFileText(const std::string& path, const std::string& text);
std::vector<std::string> folderEntries(const std::string& folder);
// Copies the shipped voice themes, the speak folder beside quorvel.exe, into a folder; true when done.
bool copyShippedThemes(const std::string& folder);

// Stored alarms. An instant counts seconds from 1970; storedTime gives it in local time as "%Y:%m:%d-%H:%M:%S".
const char* const NO_SPAN = "0:00:00:00";
inline long long secondsNow()
{
    return std::time(nullptr);
}
std::string storedTime(long long seconds);
// One alarm's value: time, "count,state,flags", message, the program it starts and its folder, repeat, close after.
std::string storedAlarm(const std::string& time, const std::string& numbers, const std::string& message,
                        const std::string& commandLine = "", const std::string& folder = "",
                        const std::string& repeat = NO_SPAN, const std::string& closeAfter = NO_SPAN);
// "[Options]" with its lines, then "[AlarmList]" with the alarms keyed 0, 1, ...; an empty alarm has no key.
std::string settingsText(const std::string& options, const std::vector<std::string>& alarms);
// The value of a key in a settings file's text, or "<none>"; the (Latin-1) text saved as UTF-16 with its mark.
std::string iniValue(const std::string& text, const std::string& key);
std::string unicodeFile(const std::string& text, bool bigEndian = false);

// Sets a file's last access and change back to 1980; true when since then it was read (a read moves an access time
// that is not later than the last change) or, with written, written.
void dateBack(const std::string& path);
bool touchedSinceDateBack(const std::string& path, bool written = false);
// Dates back the wave files of a folder, given by their paths; how many of some files were read since.
std::vector<std::string> dateBackWaves(const std::string& folder);
long readSinceDateBack(const std::vector<std::string>& paths);

// What the programs played, as the sound device got it: the samples ALSA's file plugin wrote to the file that
// QUORVEL_AUDIO_CAPTURE names (set by scripts/test.sh) and to its numbered followers, one a stream. Empty without one.
std::string capturedAudio();
void clearCapturedAudio();
// True when the captured audio is the samples of the wave files in order, with nothing but silence around them.
bool capturedAudioHolds(const std::vector<std::string>& waveFiles);

// Polls a condition every 50 ms until it holds or the time is up.
template <typename Condition>
bool waitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    for (const DWORD start = GetTickCount(); !condition(); Sleep(50))
        if (GetTickCount() - start > timeoutMs)
            return false;
    return true;
}

// Windows of any process. A text comes through WM_GETTEXT (an edit control's content too) in UTF-8, so that Russian
// ones show whatever the system's code page.
std::string windowText(HWND window);
// The dialogs of a process that hold a control of the id, and have the caption when one is given.
std::vector<HWND> dialogsOf(DWORD processId, int controlId, const char* caption = nullptr);
// A click on a button of a dialog (its notification reaches the dialog); a dialog closed with OK, true once gone.
void pressButton(HWND dialog, int id);
bool closeWithOk(HWND dialog);
// Real keys pressed together and released: {VK_MENU, 'R'} is Alt+R.
void pressKeys(std::initializer_list<WORD> keys);
// A mouse event (WM_LBUTTONDOWN, ...) on the program's notification icon; true when it was handled in time.
bool trayEvent(HWND main, UINT mouseMessage, DWORD timeoutMs = 30000);
// True when the shell takes the change of the program's notification icon: a NIM_MODIFY only while it holds the icon.
bool trayIcon(HWND main, DWORD change = NIM_MODIFY);
// Saves the window as the screen shows it to <QUORVEL_SCREENSHOTS>\<name>.bmp once it is drawn (two captures agree
// and show more than one colour); false when it was not.
bool saveScreenshot(HWND window, const std::string& name);

// The real program, started in a folder; ended with the test if the test did not end it.
class QuorvelProcess {
public:
    explicit QuorvelProcess(const std::string& folder);
    ~QuorvelProcess();
    QuorvelProcess(const QuorvelProcess&) = delete;
    QuorvelProcess& operator=(const QuorvelProcess&) = delete;
    bool running() const { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD processId() const { return m_process.dwProcessId; }
    // True, with the exit code, when the program ended in time.
    bool waitForExit(DWORD* exitCode = nullptr, DWORD timeoutMs = 15000);

    // The main window, shown or not, once it exists; nullptr when the program ended without one.
    HWND main();
    HWND list() { return GetDlgItem(main(), IDC_MAIN_LIST); }
    // Waits until the main window has handled everything sent to it so far.
    void sync() { SendMessageTimeoutA(main(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr); }
    std::vector<HWND> dialogs(int id, const char* caption = nullptr) { return dialogsOf(processId(), id, caption); }
    // Waits for a shown dialog of the program that holds the control, with the caption when one is given and with
    // static texts that hold the words; nullptr when none came. Message boxes carry the program's file name.
    HWND waitForDialog(int controlId, const char* caption = nullptr, const std::string& words = "",
                       DWORD timeoutMs = 10000);
    std::vector<HWND> messageBoxes() { return dialogs(IDOK, "quorvel"); }
    HWND waitForMessageBox(const std::string& words) { return waitForDialog(IDOK, "quorvel", words, 20000); }

    // Handled when this returns (a right press once the time has been said).
    void tray(UINT mouseMessage) { trayEvent(main(), mouseMessage); }
    void command(int id) { pressButton(main(), id); }
    // Real clicks of the mouse in the middle of a window of the program, or of an item of a list view (scrolled into
    // view) or a header.
    void click(HWND window, int item = -1, int times = 1);

    // The rows of the alarm list (the texts of both columns and the number of the icon), read from the program's
    // memory as a screen reader does.
    std::vector<std::vector<std::string>> rows();

private:
    template <typename Item>
    std::string exchange(HWND control, UINT message, WPARAM wParam, Item& item);

    PROCESS_INFORMATION m_process = {};
    HWND m_main = nullptr;
};
