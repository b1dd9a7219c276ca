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

// The folder of quorvel.exe; a whole file or "<missing>"; a folder's names, sorted; the shipped speak folder copied.
std::string programFolder();
std::string readFileText(const std::string& path);
void writeFileText(const std::string& path, const std::string& text);
std::vector<std::string> folderEntries(const std::string& folder);
bool copyShippedThemes(const std::string& folder);

// Stored alarms: an instant (seconds from 1970) as "%Y:%m:%d-%H:%M:%S" local time; one alarm's value.
const char* const NO_SPAN = "0:00:00:00";
inline long long secondsNow()
{
    return std::time(nullptr);
}
std::string storedTime(long long seconds);
std::string storedAlarm(const std::string& time, const std::string& numbers, const std::string& message,
                        const std::string& commandLine = "", const std::string& folder = "",
                        const std::string& repeat = NO_SPAN, const std::string& closeAfter = NO_SPAN);
// "[Options]" with its lines, then "[AlarmList]" with the alarms keyed 0, 1, ... (an empty one has no key); a key's
// value in such a text, or "<none>"; the (Latin-1) text saved as UTF-16 with its mark.
std::string settingsText(const std::string& options, const std::vector<std::string>& alarms);
std::string iniValue(const std::string& text, const std::string& key);
std::string unicodeFile(const std::string& text, bool bigEndian = false);

// Sets a file's last access and change back to 1980; true when since then it was read (a read moves an access time
// not later than the last change) or, with written, written. The wave files of a folder dated back; how many were read.
void dateBack(const std::string& path);
bool touchedSinceDateBack(const std::string& path, bool written = false);
std::vector<std::string> dateBackWaves(const std::string& folder);
long readSinceDateBack(const std::vector<std::string>& paths);

template <typename Condition>
bool waitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    for (const DWORD start = GetTickCount(); !condition(); Sleep(50))
        if (GetTickCount() - start > timeoutMs)
            return false;
    return true;
}

// A window's text in UTF-8 (Russian ones whatever the code page); the dialogs of a process that hold the control
// and have the caption when one is given; a button's click; a dialog closed with OK, true once gone; real keys
// pressed together and released ({VK_MENU, 'R'} is Alt+R).
std::string windowText(HWND window);
std::vector<HWND> dialogsOf(DWORD processId, int controlId, const char* caption = nullptr);
void pressButton(HWND dialog, int id);
bool closeWithOk(HWND dialog);
void pressKeys(std::initializer_list<WORD> keys);
// A mouse event on the notification icon, true when handled; true when the shell takes a change of the icon (a
// NIM_MODIFY only while it holds it).
bool trayEvent(HWND main, UINT mouseMessage);
bool trayIcon(HWND main, DWORD change = NIM_MODIFY);
// Saves the window as the screen shows it to <QUORVEL_SCREENSHOTS>\<name>.bmp once drawn; false when it was not.
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
    bool waitForExit(DWORD* exitCode = nullptr, DWORD timeoutMs = 15000);

    HWND main();  // shown or not, once it exists; nullptr when the program ended without one
    HWND list() { return GetDlgItem(main(), IDC_MAIN_LIST); }
    void sync() { SendMessageTimeoutA(main(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr); }
    std::vector<HWND> dialogs(int id, const char* caption = nullptr) { return dialogsOf(processId(), id, caption); }
    // A shown dialog that holds the control, has the caption when given and static texts with the words; nullptr
    // when none came. Message boxes carry the program's file name.
    HWND waitForDialog(int controlId, const char* caption = nullptr, const std::string& words = "",
                       DWORD timeoutMs = 10000);
    std::vector<HWND> messageBoxes() { return dialogs(IDOK, "quorvel"); }
    HWND waitForMessageBox(const std::string& words) { return waitForDialog(IDOK, "quorvel", words, 20000); }

    void tray(UINT mouseMessage) { trayEvent(main(), mouseMessage); }  // handled when it returns
    void command(int id) { pressButton(main(), id); }
    // Real clicks in the middle of a window, or of an item of a list view (scrolled into view) or a header.
    void click(HWND window, int item = -1, int times = 1);
    // The rows of the alarm list (both columns' texts and the icon's number), read as a screen reader does.
    std::vector<std::vector<std::string>> rows();

private:
    template <typename Item>
    std::string exchange(HWND control, UINT message, WPARAM wParam, Item& item);

    PROCESS_INFORMATION m_process = {};
    HWND m_main = nullptr;
};
