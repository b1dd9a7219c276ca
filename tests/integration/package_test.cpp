// The packages as a user gets them: scripts/test.sh builds them, and lets .htm files open in the test helper.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>

#include "harness.h"

namespace {

// A test's folder; at the end, what a failed test left installed in the Wine prefix is uninstalled.
class Package : public ::testing::Test {
protected:
    ~Package() override
    {
        ShellExecuteA(nullptr, nullptr, (m_folder + "\\uninstall.exe").c_str(), "/S", nullptr, SW_HIDE);
        TerminateProcess(m_program, 1);
        CloseHandle(m_program);
    }
    static bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static int run(std::string e, std::string a) { return std::system(("\"\"" + e + "\" " + a + "\"").c_str()); }
    // The command the installer registers for a silent uninstall.
    static std::string quietUninstall()
    {
        char line[1024] = "";
        DWORD size = sizeof line - 1;
        RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvel",
                     "QuietUninstallString", RRF_RT_REG_SZ, nullptr, line, &size);
        return line;
    }
    std::string link(int id) { return SHGetFolderPathA(nullptr, id, nullptr, 0, m_path), m_path + m_lnk; }
    // Opens a file as the shell does; gives the main window of the program that starts (hidden, its only window).
    HWND start(const std::string& file, const std::string& folder)
    {
        ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
        return running();
    }
    // The main window of a running copy, whose process becomes the test's; nullptr when none runs.
    HWND running()
    {
        HWND main = nullptr;
        DWORD id = 0;
        waitUntil([&] { return (main = FindWindowA("#32770", "Quorvel")) != nullptr; }, 20000);
        GetWindowThreadProcessId(main, &id);
        if (m_program != nullptr)
            CloseHandle(m_program);
        m_program = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
        return main;
    }
    TempFolder m_temp;
    const std::string m_folder = m_temp.file("Quorvel"), m_exe = m_folder + "\\quorvel.exe", m_lnk = "\\Quorvel.lnk";
    char m_path[MAX_PATH] = "?";
    const std::string m_menu = link(CSIDL_PROGRAMS), m_logon = link(CSIDL_STARTUP);
    HANDLE m_program = nullptr;
};

TEST_F(Package, InstallerStartsTheProgramAtLogonReplacesAndRestartsItWhileItRunsAndUninstallsKeepingTheSettings)
{
    ASSERT_TRUE(std::getenv("QUORVEL_INSTALLER")) << "QUORVEL_INSTALLER names no installer";
    const std::string installer = std::getenv("QUORVEL_INSTALLER"), install = "/S /D=" + m_folder;
    ASSERT_EQ(run(installer, install), 0);
    EXPECT_TRUE(exists(m_folder + "\\TIVRA.HTM") && exists(m_folder + "\\speak\\Russian\\9.wav"));
    dateBack(m_exe);  // tells the new copy from this one
    // Both shortcuts start the program in its folder: the second copy, on the same settings file, brings up the first.
    HWND main = start(m_logon, "");
    EXPECT_TRUE(waitUntil([&] { return trayIcon(main) && exists(m_folder + "\\TIVRA.INI"); }, 10000));
    ShellExecuteA(nullptr, nullptr, m_menu.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }, 20000)) << "the menu's shortcut";
    ASSERT_EQ(run(installer, install), 0);
    DWORD code = 999;
    EXPECT_TRUE(GetExitCodeProcess(m_program, &code) && code == 0) << code << ": the program did not end through Exit";
    EXPECT_TRUE(touchedSinceDateBack(m_exe, true)) << "the program was not replaced";
    // The new copy runs in its place, and the registered silent uninstall gives up with an error while it has a dialog
    // open.
    main = running();
    ASSERT_TRUE(main != nullptr && WaitForSingleObject(m_program, 0) == WAIT_TIMEOUT)
        << "no copy runs after the upgrade";
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_ABOUT, BN_CLICKED), 0);
    HWND about = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (about = FindWindowA("#32770", "About Quorvel")) != nullptr; }));
    const std::string uninstaller = m_folder + "\\uninstall.exe", uninstall = "\"" + quietUninstall() + "\"";
    ASSERT_EQ(uninstall.find("\"" + uninstaller + "\" /S"), 1u) << uninstall;
    EXPECT_NE(std::system(uninstall.c_str()), 0);
    EXPECT_TRUE(exists(uninstaller) && exists(m_exe) && exists(m_menu) && exists(m_logon)) << "something was removed";
    EXPECT_TRUE(closeWithOk(about));
    // Then it ends the program and goes on from a copy of itself, and removes itself before the shortcuts.
    ASSERT_EQ(std::system(uninstall.c_str()), 0);
    EXPECT_TRUE(WaitForSingleObject(m_program, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(m_program, &code) &&
                code == 0);
    EXPECT_TRUE(waitUntil([&] { return !exists(uninstaller) && !exists(m_menu) && !exists(m_logon); }, 20000));
    // TIVRA.INI, made at the first start, outlived the upgrade and the uninstall, and is all that is left.
    EXPECT_TRUE(DeleteFileA((m_folder + "\\TIVRA.INI").c_str()) && RemoveDirectoryA(m_folder.c_str()));
}

TEST_F(Package, PortableCopySaysTheTimeFromItsDefaultThemeAndHelpOpensItsGuide)
{
    ASSERT_TRUE(std::getenv("QUORVEL_PORTABLE")) << "QUORVEL_PORTABLE names no unpacked zip";
    const std::string folder = std::getenv("QUORVEL_PORTABLE"), record = folder + "\\started-guide.txt";
    const std::vector<std::string> waves = dateBackWaves(folder + "\\speak\\Default");
    HWND main = start(folder + "\\quorvel.exe", folder);
    trayEvent(main, WM_RBUTTONDOWN);  // the first right press stores the theme's words and says them
    EXPECT_NE(readFileText(folder + "\\TIVRA.INI").find("Minute=.\\speak\\Default\\minute.wav"), std::string::npos);
    EXPECT_GE(readSinceDateBack(waves), 3) << "an hour and its word, a minute word";
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_HELP, BN_CLICKED), 0);  // Help, with no tivra.hlp in the folder
    ASSERT_TRUE(waitUntil([&] { return exists(record); }, 10000)) << "the shell was not asked to open the guide";
    EXPECT_NE(readFileText(record).find(folder + "\\TIVRA.HTM"), std::string::npos) << readFileText(record);
    DeleteFileA(record.c_str());  // which ends the helper
}

}  // namespace
