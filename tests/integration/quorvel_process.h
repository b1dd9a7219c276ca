// The real quorvel.exe started for one test in a folder of its own, driven
// from outside as the user and the shell would: window messages to its main
// window, its notification-icon message, and reading its message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder that holds the test programs and quorvel.exe.
std::string testProgramFolder();

class QuorvelProcess {
public:
    // Starts quorvel.exe with the folder as its current folder.
    explicit QuorvelProcess(const std::string& folder);
    // Ends the program if a test left it running.
    ~QuorvelProcess();
    QuorvelProcess(const QuorvelProcess&) = delete;
    QuorvelProcess& operator=(const QuorvelProcess&) = delete;

    bool started() const { return m_process.hProcess != nullptr; }
    DWORD processId() const { return m_process.dwProcessId; }
    // The main window (template 101), looked for for up to the given time.
    HWND mainWindow(DWORD timeoutMs = 20000);
    // Waits for the program to end; true with its exit code when it did.
    bool waitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    bool running() const;

    // The notification-area icon event the shell sends (WM_LBUTTONDOWN, ...).
    void trayEvent(UINT mouseMessage);
    void command(int id);
    void sysCommand(WPARAM command);
    void key(WPARAM virtualKey);
    // Waits until the main window has handled everything sent so far.
    void sync();
    // Waits until a window of the program is fully drawn, for a screenshot.
    void settle(HWND window);

    // The alarm list: its number of rows, and a row's text and image, read
    // from the program's own memory as a screen reader would.
    int rowCount();
    std::string rowText(int row, int column);
    int rowImage(int row);
    // Selects a row as a click with Ctrl would (others stay selected).
    void selectRow(int row);
    // A click on a column header of the list.
    void clickHeader(int column);
    // A left click with the mouse at a point of the screen.
    void clickAt(int x, int y);

    // The program's message boxes now open: their texts.
    std::vector<std::string> messageBoxTexts();
    // Waits up to the time for a message box whose text contains the words.
    HWND waitForMessageBox(const std::string& words, DWORD timeoutMs);
    // Closes every open message box of the program with OK.
    void dismissMessageBoxes();

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_main = nullptr;
};

// True while a window has the visible style (hidden windows keep working).
bool isShown(HWND window);
// True while the program's notification-area icon exists: the shell accepts
// a change only for an icon it holds.
bool trayIconPresent(HWND owner);
// Top-level windows of a process whose class is a dialog's.
std::vector<HWND> dialogWindowsOf(DWORD processId);
std::string windowText(HWND window);
// The whole file, or "<missing>" when it cannot be opened.
std::string readFileText(const std::string& path);
void writeFileText(const std::string& path, const std::string& text);
// Polls a condition every 50 ms until it holds or the time is up.
template <typename Condition>
bool waitUntil(Condition condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}
