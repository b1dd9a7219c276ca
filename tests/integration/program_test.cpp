// The program as the user meets it: started hidden with its notification icon, shown, hidden, ended, started a
// second time, its About box; a settings file another program holds open, as a virus scanner may; and a right press
// in a fresh folder, heard. (That the shipped file is a 32-bit GUI program that needs only the system's DLLs is
// checked by scripts/package.sh.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "integration/harness.h"

namespace {

// Started hidden in its folder, shown on a left press or by a second copy, hidden again; its About box is modal; a
// start folder too long for its settings file is refused.
TEST(Program, StartsHiddenInItsFolderShowsOnALeftPressOrASecondCopyAndHasAModalAboutBox)
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
    // Enter and the minimize button hide the window; it is never minimized. A second copy on the same settings file
    // brings it up and ends; a copy on another file runs beside it.
    PostMessageA(main, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(main); }));
    QuorvelProcess other(folder.folder("other")), second(start);
    DWORD code = 99;
    ASSERT_TRUE(second.waitForExit(&code) && code == 0);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main); }));
    ASSERT_NE(other.main(), nullptr);
    // So does a copy reaching the same file by another spelling of its folder: its short 8.3 name, and under Wine its
    // Unix path seen through drive Z:.
    char shortName[MAX_PATH] = "";
    ASSERT_GT(GetShortPathNameA(start.c_str(), shortName, MAX_PATH), 0u);
    std::vector<std::string> spellings = {shortName};
    using UnixName = char*(CDECL*)(LPCWSTR);
    if (auto unixName = reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, start.c_str(), -1, wide, MAX_PATH);
        std::string unixPath = unixName(wide);
        std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
        spellings.push_back("Z:" + unixPath);
    }
    for (const std::string& spelling : spellings) {
        QuorvelProcess again(spelling);
        EXPECT_TRUE(again.waitForExit(&code) && code == 0 && spelling != start) << spelling;
    }
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

// The files the Speak entries of a folder's settings file give for a time: the hour and its word, the minutes (past
// twenty as tens, then units unless none) and the word that agrees with the last number. A number's entry is
// "form,file", the form picking the word ("Hour", "Hours" or "Hour2"); 1, 2 and numbers past 20 have keys of their
// own for hours and minutes ("21h", "21m"). Files are given from the folder, after a leading '.'.
std::vector<std::string> spokenPieces(const std::string& folder, const SYSTEMTIME& time)
{
    const std::string settings = readFileText(folder + "\\TIVRA.INI");
    const auto number = [&](int n, const char* own) {
        return iniValue(settings, std::to_string(n) + (n == 1 || n == 2 || n > 20 ? own : ""));
    };
    const auto word = [&](const std::string& base, const std::string& entry) {
        return iniValue(settings, base + (entry[0] == '1' ? "s" : entry[0] == '2' ? "2" : ""));
    };
    const auto file = [&](const std::string& entry) { return folder + entry.substr(entry.find('.') + 1); };
    const int minute = time.wMinute, tens = minute < 20 ? minute : minute / 10 * 10, units = minute - tens;
    const std::string hour = number(time.wHour, "h"), last = number(units > 0 ? units : tens, "m");
    std::vector<std::string> pieces = {file(hour), file(word("Hour", hour)), file(number(tens, "m"))};
    if (units > 0)
        pieces.push_back(file(last));
    pieces.push_back(file(word("Minute", last)));
    return pieces;
}

// A right press in a fresh folder takes the Default theme's words into the settings file and says the time with them
// at once: the sound device gets the theme's wave files for that minute, one after the other.
TEST(Program, RightPressInAFreshFolderSaysTheTimeWithTheDefaultTheme)
{
    if (std::getenv("QUORVEL_AUDIO_CAPTURE") == nullptr)
        GTEST_SKIP() << "QUORVEL_AUDIO_CAPTURE names no file that gets what the program plays";
    TempFolder folder;
    ASSERT_TRUE(copyShippedThemes(folder.path()));
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);
    clearCapturedAudio();
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    program.tray(WM_RBUTTONDOWN);  // returns once the time has been said
    GetLocalTime(&after);
    const auto heard = [&](const SYSTEMTIME& time) { return capturedAudioHolds(spokenPieces(folder.path(), time)); };
    EXPECT_TRUE(waitUntil([&] { return heard(before) || heard(after); }, 5000))
        << capturedAudio().size() << " bytes heard, not the wave files of " << readFileText(folder.file("TIVRA.INI"));
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
    ASSERT_TRUE(closeWithOk(box));
    // A drag of four moves: the first failure shows the box, the moves handled behind it fail silently.
    HWND main = program.main();
    program.tray(WM_LBUTTONDOWN);
    const auto moveTo = [&](int x) {
        SetWindowPos(main, nullptr, x, x, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    };
    for (int x : {10, 20, 30, 40})
        moveTo(x);
    box = program.waitForMessageBox("Can't Write");
    RECT frame;
    EXPECT_TRUE(waitUntil([&] { return GetWindowRect(main, &frame) && frame.left == 40; }));
    program.sync();
    EXPECT_EQ(program.messageBoxes().size(), 1u);
    EXPECT_EQ(readFileText(path), stored) << "a failed write leaves the file as it was";
    ASSERT_TRUE(closeWithOk(box));
    CloseHandle(held);

    // A move whose write succeeds ends the streak, so the next failure is reported again.
    moveTo(77);
    EXPECT_TRUE(waitUntil([&] { return readFileText(path).find("\r\nPosition=") != std::string::npos; }));
    EXPECT_TRUE(program.messageBoxes().empty());
    held = holdOpen(path, FILE_SHARE_READ);
    moveTo(90);
    EXPECT_NE(program.waitForMessageBox("Can't Write"), nullptr);
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
    // Freed, it is read at a later tick. An exit before that tells that the widths cannot be saved and leaves the
    // file as it was; whichever comes first, the stored alarm is never lost.
    CloseHandle(held);
    program.command(IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !program.messageBoxes().empty() || program.waitForExit(nullptr, 0); }));
    const bool told = !program.messageBoxes().empty();
    EXPECT_TRUE(!told ||
                (program.messageBoxes().size() == 1u && closeWithOk(program.waitForMessageBox("Can't Write"))));
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(iniValue(readFileText(path), "0"), iniValue(stored, "0"));
    EXPECT_TRUE(!told || readFileText(path) == stored) << "a told failure leaves the file as it was";
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"TIVRA.INI"}) << "no temporary file is left";
}

}  // namespace
