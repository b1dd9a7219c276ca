// Commands of the main window as a person uses them: the About box, and the
// right press on the notification icon that says the time.
#include <gtest/gtest.h>
#include <windows.h>

#include "firing_support.h"
#include "quorvel_process.h"
#include "screenshot.h"
#include "temp_folder.h"

namespace {

TEST(MainWindow, AboutBoxShowsTheVersionAndClosesWithOk)
{
    TempFolder folder;
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    program.trayEvent(WM_LBUTTONDOWN);
    program.command(3000);
    HWND about = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            for (HWND dialog : dialogWindowsOf(program.processId()))
                if (windowText(dialog) == "About Quorvel" && IsWindowVisible(dialog))
                    about = dialog;
            return about != nullptr;
        },
        10000));
    EXPECT_NE(program.waitForMessageBox("Quorvel Version 2.02", 3000), nullptr);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the About box is modal";
    program.settle(about);
    EXPECT_TRUE(saveWindowScreenshot(about, "about_box"));
    program.settle(main);
    EXPECT_TRUE(saveWindowScreenshot(main, "main_window_under_about"));
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about) && IsWindowEnabled(main); }, 5000));
    EXPECT_TRUE(program.running());
}

TEST(MainWindow, RightPressWithNoWordsStoredWritesTheDefaultsFirst)
{
    TempFolder folder;
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    program.sync();
    EXPECT_EQ(iniValue(readFileText(folder.file("TIVRA.INI")), "Hour"), "<none>");
    program.trayEvent(WM_RBUTTONDOWN);
    const std::string settings = readFileText(folder.file("TIVRA.INI"));
    EXPECT_EQ(iniValue(settings, "Hour"), ".\\speak\\Default\\hour.wav");
    EXPECT_EQ(iniValue(settings, "21h"), "0,.\\speak\\Default\\21h.wav");
    EXPECT_EQ(iniValue(settings, "50m"), "0,.\\speak\\Default\\50m.wav");
    EXPECT_FALSE(IsWindowVisible(program.mainWindow())) << "a right press does not show the window";
}

}  // namespace
