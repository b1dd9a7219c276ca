// Start-up and exit of the real program: the hidden window, the
// notification-area icon, the settings file, and the three ways to end it.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <commctrl.h>

#include "quorvel_process.h"
#include "screenshot.h"
#include "temp_folder.h"

namespace {

const char* const FRESH_SETTINGS = "[Options]\r\nColumn=130,124\r\n";

int columnWidth(HWND main, int column)
{
    return static_cast<int>(SendMessageA(GetDlgItem(main, 3017), LVM_GETCOLUMNWIDTH, column, 0));
}

class Startup : public ::testing::Test {
protected:
    TempFolder folder;
    std::string settings() const { return readFileText(folder.file("TIVRA.INI")); }
};

TEST_F(Startup, StartsHiddenWithItsIconAndWritesTheDefaultColumnWidths)
{
    ASSERT_TRUE(folder.valid());
    QuorvelProcess program(folder.path());
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    program.sync();

    EXPECT_FALSE(isShown(main));
    EXPECT_EQ(windowText(main), "Quorvel");
    EXPECT_TRUE(trayIconPresent(main));
    EXPECT_EQ(settings(), FRESH_SETTINGS);
    EXPECT_EQ(columnWidth(main, 0), 130);
    EXPECT_EQ(columnWidth(main, 1), 124);

    program.command(IDCANCEL);  // the Exit button
    DWORD code = 99;
    ASSERT_TRUE(program.waitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(trayIconPresent(main));
    EXPECT_EQ(settings(), FRESH_SETTINGS);
}

TEST_F(Startup, LeftPressOnTheIconShowsTheWindowAtItsStoredPlace)
{
    writeFileText(folder.file("TIVRA.INI"), "[Options]\r\nPosition=40,50\r\nColumn=150,100\r\n");
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);

    program.trayEvent(WM_MOUSEMOVE);
    program.trayEvent(WM_LBUTTONUP);
    EXPECT_FALSE(isShown(main)) << "only a left press shows the window";
    program.trayEvent(WM_LBUTTONDOWN);
    ASSERT_TRUE(isShown(main));

    POINT client = {0, 0};  // Position is the corner of the client area
    ClientToScreen(main, &client);
    EXPECT_EQ(client.x, 40);
    EXPECT_EQ(client.y, 50);
    EXPECT_EQ(columnWidth(main, 0), 150);
    EXPECT_EQ(columnWidth(main, 1), 100);
    program.settle(main);
    EXPECT_TRUE(saveWindowScreenshot(main, "main_window_empty"));
}

TEST_F(Startup, RealClickOnTheIconInTheTaskbarShowsTheWindow)
{
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    program.sync();
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_NE(taskbar, nullptr) << "the desktop has no taskbar";
    RECT area;
    GetWindowRect(taskbar, &area);
    // The notification area fills the taskbar from its right end; the
    // program's is the only icon there.
    const int icon = GetSystemMetrics(SM_CXSMICON) + 2 * GetSystemMetrics(SM_CXBORDER);
    // A desktop that has just started may take the first click for itself;
    // a second press on the icon is harmless, the window only shows.
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
        program.clickAt(area.right - icon / 2 - 1, (area.top + area.bottom) / 2);
        shown = waitUntil([&] { return isShown(main); }, 3000);
    }
    EXPECT_TRUE(shown);
}

TEST_F(Startup, EnterAndMinimizeHideTheWindowWithoutMinimizingIt)
{
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);

    program.trayEvent(WM_LBUTTONDOWN);
    ASSERT_TRUE(isShown(main));
    program.key(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !isShown(main); }, 5000));

    program.trayEvent(WM_LBUTTONDOWN);
    ASSERT_TRUE(isShown(main));
    program.sysCommand(SC_MINIMIZE);
    EXPECT_TRUE(waitUntil([&] { return !isShown(main); }, 5000));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(program.running());
}

TEST_F(Startup, EscAndTheCloseBoxEndTheProgramAndSaveTheColumnWidths)
{
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way == 0 ? "Esc" : "close box");
        QuorvelProcess program(folder.path());
        HWND main = program.mainWindow();
        ASSERT_NE(main, nullptr);
        program.trayEvent(WM_LBUTTONDOWN);
        SendMessageA(GetDlgItem(main, 3017), LVM_SETCOLUMNWIDTH, 0, 200 + way);
        SendMessageA(GetDlgItem(main, 3017), LVM_SETCOLUMNWIDTH, 1, 90);
        if (way == 0)
            program.key(VK_ESCAPE);
        else
            program.sysCommand(SC_CLOSE);
        ASSERT_TRUE(program.waitForExit(10000));
        EXPECT_NE(settings().find("Column=" + std::to_string(200 + way) + ",90\r\n"), std::string::npos)
            << settings();
    }
}

TEST_F(Startup, UsesTheFolderItWasStartedInAndIgnoresTheProgramFolder)
{
    const std::string other = folder.folder("elsewhere");
    QuorvelProcess program(other);
    ASSERT_NE(program.mainWindow(), nullptr);
    program.sync();
    EXPECT_EQ(readFileText(other + "\\TIVRA.INI"), FRESH_SETTINGS);
    EXPECT_EQ(settings(), "<missing>");
    EXPECT_EQ(readFileText(testProgramFolder() + "\\TIVRA.INI"), "<missing>");
}

}  // namespace
