// The program as the user meets it: started hidden with its notification icon, shown, hidden, ended, its About box;
// a settings file another program holds open, as a virus scanner may. (That the shipped file is a 32-bit GUI program
// that needs only the system's DLLs is checked by scripts/package.sh.)
#include <gtest/gtest.h>

#include "integration/harness.h"

namespace {

// Started hidden in its folder, shown on a left press, hidden again; its About box is modal; a start folder too long
// for its settings file is refused.
TEST(Program, StartsHiddenInItsFolderShowsOnALeftPressAndHasAModalAboutBox)
{
    TempFolder folder;
    const std::string start = folder.folder("start folder");
    // Temporary files of settings writers: that of an ended process goes, that of a running one (this) stays.
    const std::string running = "TIVRA.INI.~qv" + std::to_string(GetCurrentProcessId()) + "-1.tmp";
    for (const std::string& name : {running, std::string("TIVRA.INI.~qv4000000000-0.tmp"), std::string("notes.tmp")})
        writeFileText(start + "\\" + name, "x");
    QuorvelProcess program(start);
    HWND main = program.main();
    ASSERT_NE(main, nullptr);
    program.sync();
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(readFileText(start + "\\TIVRA.INI"), "[Options]\r\nColumn=130,124\r\n");
    EXPECT_EQ(folderEntries(start), (std::vector<std::string>{"TIVRA.INI", running, "notes.tmp"}));
    EXPECT_EQ(readFileText(programFolder() + "\\TIVRA.INI"), "<missing>");
    ASSERT_TRUE(trayIcon(main));
    // A restarted taskbar forgets every icon, then announces itself: the program adds its icon again.
    ASSERT_TRUE(trayIcon(main, NIM_DELETE) && !trayIcon(main));
    SendMessageA(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(trayIcon(main));

    // Only a left press shows the window (a right press says the time).
    for (UINT press : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN})
        program.tray(press);
    EXPECT_FALSE(IsWindowVisible(main));
    program.tray(WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(main));
    // Enter and the minimize button hide the window; it is never minimized. A copy on another settings file runs
    // beside it (a second copy on the same file: the installer's test).
    PostMessageA(main, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(main); }));
    QuorvelProcess other(folder.folder("other"));
    ASSERT_NE(other.main(), nullptr);
    program.tray(WM_LBUTTONDOWN);
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(main); }));
    EXPECT_FALSE(IsIconic(main));
    program.tray(WM_LBUTTONDOWN);
    program.command(IDC_MAIN_ABOUT);
    HWND about = program.waitForDialog(IDOK, "About Quorvel", "Quorvel Version ");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main)) << "modal";
    EXPECT_NE(SendMessageA(GetWindow(about, GW_CHILD), STM_GETICON, 0, 0), 0) << "its icon loaded";
    EXPECT_TRUE(saveScreenshot(about, "about_box"));
    EXPECT_TRUE(closeWithOk(about) && IsWindowEnabled(main));
    EXPECT_TRUE(program.running() && other.running());

    // About the longest folder Wine starts a program in: a save's temporary file would not fit the file calls.
    const std::string tooLong = folder.path() + "\\" + std::string(250 - folder.path().size(), 'f');
    ASSERT_TRUE(CreateDirectoryA(tooLong.c_str(), nullptr));
    QuorvelProcess refused(tooLong);
    EXPECT_TRUE(closeWithOk(refused.waitForMessageBox("Start the program from another folder")));
    EXPECT_TRUE(refused.waitForExit(nullptr, 10000));
    EXPECT_EQ(readFileText(tooLong + "\\TIVRA.INI"), "<missing>");
}

// Each run shows the window at the stored place with the widths the run before saved, and ends another way.
TEST(Program, ExitEscAndTheCloseBoxEndItAndSaveTheColumnWidths)
{
    const std::pair<UINT, WPARAM> ways[] = {{WM_COMMAND, IDCANCEL}, {WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}};
    TempFolder folder;
    writeFileText(folder.file("TIVRA.INI"), "[Options]\r\nPosition=40,50\r\nColumn=150,100\r\n");
    int width = 150;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);  // the file keeps widths at 96 DPI, the list shows them at this
    ReleaseDC(nullptr, screen);
    for (const auto& [message, wParam] : ways) {
        SCOPED_TRACE(message);
        QuorvelProcess program(folder.path());
        HWND main = program.main();
        ASSERT_NE(main, nullptr);
        program.tray(WM_LBUTTONDOWN);
        POINT client = {0, 0};  // Position is the corner of the client area, restored where it was left
        ASSERT_TRUE(IsWindowVisible(main) && ClientToScreen(main, &client));
        const std::vector<int> shown = {client.x, client.y, ListView_GetColumnWidth(program.list(), 0),
                                        ListView_GetColumnWidth(program.list(), 1)};
        EXPECT_EQ(shown, std::vector<int>({40, 50, MulDiv(width, dpi, 96), MulDiv(100, dpi, 96)}));
        EXPECT_TRUE(width != 150 || saveScreenshot(main, "main_window_empty"));
        ListView_SetColumnWidth(program.list(), 0, MulDiv(width += 10, dpi, 96));
        PostMessageA(main, message, wParam, 0);  // the Exit button, Esc, the close box
        DWORD code = 99;
        ASSERT_TRUE(program.waitForExit(&code) && code == 0);
        EXPECT_FALSE(trayIcon(main));
        EXPECT_EQ(readFileText(folder.file("TIVRA.INI")),
                  "[Options]\r\nPosition=40,50\r\nColumn=" + std::to_string(width) + ",100\r\n");
    }
}

// Holds the file open, letting others do nothing with it or only read it.
HANDLE holdOpen(const std::string& path, DWORD sharing)
{
    return CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Every save fails while another program holds the file open for reading: the first failure of a streak is told in
// front, the others behind it silently, and alarms keep firing; a write that succeeds ends the streak.
TEST(SettingsFile, FailedSavesAreToldInFrontOncePerFailureStreakAndAlarmsKeepFiring)
{
    TempFolder folder;
    const std::string path = folder.file("TIVRA.INI"),
                      stored = settingsText("",
                                            {storedAlarm(storedTime(secondsNow() + 2), "-1,1,0", "first"),
                                             storedAlarm(storedTime(secondsNow() + 6), "-1,1,2", "second")});
    writeFileText(path, stored);
    HANDLE held = holdOpen(path, FILE_SHARE_READ);
    QuorvelProcess program(folder.path());
    HWND box = program.waitForMessageBox("I can't write");  // after the tick that fired the first alarm
    ASSERT_NE(box, nullptr);
    EXPECT_NE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "owned by no hidden window: it has a taskbar button";
    // The second alarm (the first row) fires while the box is open; its failed save is not told twice.
    EXPECT_TRUE(waitUntil([&] { return program.rows().at(0).at(2) == "2"; }, 15000)) << "idle";
    EXPECT_EQ(program.messageBoxes().size(), 1u);
    EXPECT_EQ(readFileText(path), stored) << "a failed write leaves the file as it was";
    ASSERT_TRUE(closeWithOk(box));
    CloseHandle(held);
    // A move whose write succeeds ends the streak, so the next failure is told again ("Can't Write": the window's
    // place).
    HWND main = program.main();
    program.tray(WM_LBUTTONDOWN);
    const auto moveTo = [&](int x) {
        SetWindowPos(main, nullptr, x, x, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    };
    moveTo(77);
    EXPECT_TRUE(waitUntil([&] { return readFileText(path).find("\r\nPosition=") != std::string::npos; }));
    EXPECT_TRUE(program.messageBoxes().empty());
    const std::string written = readFileText(path);
    held = holdOpen(path, FILE_SHARE_READ);
    moveTo(90);
    EXPECT_NE(program.waitForMessageBox("Can't Write"), nullptr);
    EXPECT_EQ(readFileText(path), written);
    CloseHandle(held);
}

TEST(SettingsFile, FileThatCannotBeReadAtStartIsReportedOnceAndNeverWritten)
{
    TempFolder folder;
    const std::string path = folder.file("TIVRA.INI");
    const std::string stored = settingsText("", {storedAlarm("1998:03:15-07:30:00", "-1,0,2", "Hello")});
    writeFileText(path, stored);
    HANDLE held = holdOpen(path, 0);
    QuorvelProcess program(folder.path());
    ASSERT_TRUE(closeWithOk(program.waitForMessageBox("cannot be read")));
    ASSERT_NE(program.main(), nullptr);
    // Until the file is read, nothing is saved into it: a save would fail on the held file and be told.
    program.tray(WM_RBUTTONDOWN);
    EXPECT_TRUE(program.rows().empty() && program.messageBoxes().empty());
    // Freed, it is read at a later tick: the stored alarm is shown, and the file holds it as it was.
    CloseHandle(held);
    EXPECT_TRUE(waitUntil([&] { return program.rows().size() == 1u; }));
    EXPECT_EQ(iniValue(readFileText(path), "0"), iniValue(stored, "0"));
    EXPECT_TRUE(program.messageBoxes().empty());
}

}  // namespace
