// The program among others: a second copy on the same settings file, a
// restarted taskbar, a settings file that is held open or cannot be read,
// and temporary files left behind by a crash.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include "quorvel_process.h"
#include "temp_folder.h"

namespace {

// Holds a file open as a virus scanner may: with no sharing at all, or
// letting others only read it.
class FileLock {
public:
    explicit FileLock(const std::string& path, DWORD sharing = 0)
        : m_file(CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~FileLock() { release(); }
    bool held() const { return m_file != INVALID_HANDLE_VALUE; }
    void release()
    {
        if (held())
            CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_file;
};

TEST(SecondCopy, BringsUpTheFirstCopysWindowAndEnds)
{
    TempFolder folder;
    QuorvelProcess first(folder.path());
    HWND main = first.mainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_FALSE(isShown(main));

    QuorvelProcess second(folder.path());
    DWORD code = 99;
    ASSERT_TRUE(second.waitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(waitUntil([&] { return isShown(main); }, 5000));
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(dialogWindowsOf(second.processId()).empty());
}

TEST(SecondCopy, RunsBesideTheFirstOnAnotherSettingsFile)
{
    TempFolder folder;
    QuorvelProcess first(folder.folder("one"));
    QuorvelProcess second(folder.folder("two"));
    EXPECT_NE(first.mainWindow(), nullptr);
    EXPECT_NE(second.mainWindow(), nullptr);
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(second.running());
}

TEST(Taskbar, RestartedTaskbarGetsTheIconAgain)
{
    TempFolder folder;
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    program.sync();
    ASSERT_TRUE(trayIconPresent(main));

    // A restarted taskbar has forgotten every icon, then announces itself.
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = main;
    data.uID = 142;
    Shell_NotifyIconA(NIM_DELETE, &data);
    ASSERT_FALSE(trayIconPresent(main));
    SendMessageA(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(trayIconPresent(main));
}

TEST(SettingsFile, PositionThatCannotBeWrittenIsReportedOnceWhileDragging)
{
    TempFolder folder;
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    program.trayEvent(WM_LBUTTONDOWN);
    program.sync();
    const std::string before = readFileText(folder.file("TIVRA.INI"));

    FileLock lock(folder.file("TIVRA.INI"), FILE_SHARE_READ);
    ASSERT_TRUE(lock.held());
    for (int step = 1; step <= 4; ++step) {
        SetWindowPos(main, nullptr, 10 * step, 10 * step, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        Sleep(200);
    }
    ASSERT_NE(program.waitForMessageBox("Can't Write", 15000), nullptr);
    Sleep(3000);  // the moves still queued behind the box fail too, silently
    EXPECT_EQ(program.messageBoxTexts().size(), 1u);
    EXPECT_EQ(readFileText(folder.file("TIVRA.INI")), before) << "a failed write leaves the file as it was";
    program.dismissMessageBoxes();
    lock.release();
    EXPECT_TRUE(waitUntil([&] { return program.messageBoxTexts().empty(); }, 10000));

    // Once a write succeeds again, the next failure is reported again.
    SetWindowPos(main, nullptr, 77, 66, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    EXPECT_TRUE(waitUntil([&] { return readFileText(folder.file("TIVRA.INI")).find("Position=") != std::string::npos; },
                          10000));
    EXPECT_TRUE(program.messageBoxTexts().empty());
}

TEST(SettingsFile, FileThatCannotBeReadIsReportedAndNeverOverwritten)
{
    TempFolder folder;
    const std::string alarms = "[AlarmList]\r\n0=1998:03:15-07:30:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,Hello\r\n";
    writeFileText(folder.file("TIVRA.INI"), alarms);
    FileLock lock(folder.file("TIVRA.INI"));
    ASSERT_TRUE(lock.held());

    QuorvelProcess program(folder.path());
    ASSERT_NE(program.waitForMessageBox("cannot be read", 20000), nullptr);
    program.dismissMessageBoxes();
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    program.command(IDCANCEL);
    // The column widths cannot be saved either: that is said, and the box closed.
    if (program.waitForMessageBox("Can't Write", 10000) != nullptr)
        program.dismissMessageBoxes();
    ASSERT_TRUE(program.waitForExit(15000));
    lock.release();
    EXPECT_EQ(readFileText(folder.file("TIVRA.INI")), alarms);
}

TEST(SettingsFile, TemporaryFilesLeftByACrashAreRemovedAtStart)
{
    TempFolder folder;
    writeFileText(folder.file("TIVRA.INI"), "[Options]\r\nColumn=1,2\r\n");
    writeFileText(folder.file("TIVRA.INI.~qv4242-7.tmp"), "[Options]\r\nCol");
    writeFileText(folder.file("notes.tmp"), "not ours");
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    program.sync();
    EXPECT_EQ(readFileText(folder.file("TIVRA.INI.~qv4242-7.tmp")), "<missing>");
    EXPECT_EQ(readFileText(folder.file("notes.tmp")), "not ours");
    EXPECT_EQ(readFileText(folder.file("TIVRA.INI")), "[Options]\r\nColumn=1,2\r\n");
}

}  // namespace
