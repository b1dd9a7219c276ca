// Alarms fired by the real program: the message window, what becomes of the
// stored alarm afterwards, missed alarms, and the programs alarms start and
// close again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <fstream>

#include "firing_support.h"
#include "quorvel_process.h"
#include "screenshot.h"
#include "temp_folder.h"

namespace {

const char* const NO_SPAN = "0:00:00:00";

// The message windows of the program now open.
std::vector<HWND> messageWindows(DWORD processId)
{
    std::vector<HWND> windows;
    for (HWND dialog : dialogWindowsOf(processId))
        if (GetDlgItem(dialog, 2043) != nullptr && IsWindowVisible(dialog))
            windows.push_back(dialog);
    return windows;
}

// The first line of a started helper's report: its process id, or 0.
DWORD startedHelper(const std::string& folder, const std::string& name)
{
    std::ifstream file(folder + "\\started-" + name + ".txt");
    unsigned long id = 0;
    file >> id;
    return static_cast<DWORD>(id);
}

bool processEnded(DWORD id, DWORD timeoutMs)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr)
        return true;
    const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

void endProcess(DWORD id)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr)
        return;
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

class Firing : public ::testing::Test {
protected:
    TempFolder folder;
    std::string helper;  // the helper program, copied into the test's folder

    void SetUp() override
    {
        ASSERT_TRUE(folder.valid());
        helper = folder.file("qv_helper.exe");
        ASSERT_TRUE(CopyFileA((testProgramFolder() + "\\qv_helper.exe").c_str(), helper.c_str(), FALSE));
    }
    void store(const std::vector<std::string>& alarms)
    {
        std::string text = "[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n";
        for (size_t i = 0; i < alarms.size(); ++i)
            text += std::to_string(i) + "=" + alarms[i] + "\r\n";
        writeFileText(folder.file("TIVRA.INI"), text);
    }
    std::string settings() const { return readFileText(folder.file("TIVRA.INI")); }
};

TEST_F(Firing, DueAlarmOpensItsMessageWindowWithTheTimeOfTheTickAndGoesIdle)
{
    const std::string alarm = storedAlarm(2, -1, 1, 0x2, NO_SPAN, NO_SPAN, "", "", "Tom & Jerry");
    store({alarm});
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);

    std::vector<HWND> windows;
    ASSERT_TRUE(waitUntil([&] { return !(windows = messageWindows(program.processId())).empty(); }, 15000));
    HWND window = windows.front();
    EXPECT_FALSE(IsWindowVisible(main)) << "the message shows while the main window stays hidden";
    EXPECT_EQ(windowText(GetDlgItem(window, 2043)), "Tom & Jerry");
    const std::string date = windowText(GetDlgItem(window, 2044));
    const std::string time = windowText(GetDlgItem(window, 2045));
    ASSERT_EQ(date.size(), 12u) << date;  // "Mon 05.01.98"
    EXPECT_EQ(date.substr(6, 1), ".");
    EXPECT_EQ(date.substr(4, 2), alarm.substr(8, 2)) << "the day of the tick";
    ASSERT_GE(time.size(), 7u) << time;  // "7:05:00"
    EXPECT_EQ(time.substr(time.size() - 3, 1), ":");
    program.settle(window);
    EXPECT_TRUE(saveWindowScreenshot(window, "alarm_message"));

    EXPECT_TRUE(waitUntil([&] { return iniValue(settings(), "0").find(",-1,0,2, ") != std::string::npos; }, 5000))
        << settings();
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(window); }, 5000));
    EXPECT_TRUE(program.running());
}

TEST_F(Firing, RepeatingAlarmMovesOnAndAutodeleteAlarmIsGone)
{
    const std::string repeating = storedAlarm(2, 3, 1, 0x4, "0:00:00:10", NO_SPAN, "", "", "again");
    store({repeating, storedAlarm(2, -1, 1, 0x10, NO_SPAN, NO_SPAN, "", "", "once")});
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    const std::string advanced = storedAlarm(12, 2, 1, 0x4, "0:00:00:10", NO_SPAN, "", "", "again");
    EXPECT_TRUE(waitUntil([&] { return iniValue(settings(), "1") == "<none>"; }, 15000)) << settings();
    const std::string now = iniValue(settings(), "0");
    EXPECT_EQ(now.substr(19), advanced.substr(19)) << "count 3 became 2";
    EXPECT_EQ(program.rowCount(), 1);
}

TEST_F(Firing, InTimeAlarmMissedBeforeStartRunsNoActionAndIsKept)
{
    store({storedAlarm(-400, -1, 1, 0x8 | 0x2 | 0x10, NO_SPAN, NO_SPAN, "", "", "too late")});
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return iniValue(settings(), "0").find(",-1,0,26, ") != std::string::npos; }, 10000))
        << settings();
    Sleep(1500);
    EXPECT_TRUE(messageWindows(program.processId()).empty());
    EXPECT_EQ(program.rowCount(), 1);
}

TEST_F(Firing, ProgramStartsInItsFolderWithItsParametersAndIsClosedAfterItsTime)
{
    const std::string work = folder.folder("work");
    store({storedAlarm(2, -1, 1, 0x20 | 0x800, NO_SPAN, "0:00:00:03", helper + "   one two  words", work, "")});
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    DWORD started = 0;
    ASSERT_TRUE(waitUntil([&] { return (started = startedHelper(work, "one")) != 0; }, 15000));
    const std::string report = readFileText(work + "\\started-one.txt");
    EXPECT_NE(report.find("one two  words"), std::string::npos) << report;
    EXPECT_NE(report.find(work), std::string::npos) << report;
    EXPECT_FALSE(processEnded(started, 1000)) << "it runs until its time is up";
    EXPECT_TRUE(processEnded(started, 10000)) << "closed three seconds after the alarm's time";
}

TEST_F(Firing, NextStartClosesAProgramMarkedSo)
{
    const std::string work = folder.folder("work");
    store({storedAlarm(2, -1, 1, 0x20 | 0x400, NO_SPAN, NO_SPAN, helper + " first", work, ""),
           storedAlarm(5, -1, 1, 0x20, NO_SPAN, NO_SPAN, helper + " second", work, "")});
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    DWORD first = 0, second = 0;
    ASSERT_TRUE(waitUntil([&] { return (first = startedHelper(work, "first")) != 0; }, 15000));
    ASSERT_TRUE(waitUntil([&] { return (second = startedHelper(work, "second")) != 0; }, 15000));
    EXPECT_TRUE(processEnded(first, 5000));
    EXPECT_FALSE(processEnded(second, 1500)) << "nothing closes the second";
    endProcess(second);
}

TEST_F(Firing, StartWaitsUntilThePreviousProgramHasEnded)
{
    const std::string work = folder.folder("work");
    store({storedAlarm(2, -1, 1, 0x20, NO_SPAN, NO_SPAN, helper + " first", work, ""),
           storedAlarm(3, -1, 1, 0x20 | 0x1000 | 0x2, NO_SPAN, NO_SPAN, helper + " second", work, "waits")});
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    DWORD first = 0;
    ASSERT_TRUE(waitUntil([&] { return (first = startedHelper(work, "first")) != 0; }, 15000));
    Sleep(4000);
    EXPECT_EQ(startedHelper(work, "second"), 0u) << "postponed while the first runs";
    EXPECT_EQ(messageWindows(program.processId()).size(), 1u) << "its message came at the first firing";
    endProcess(first);
    DWORD second = 0;
    EXPECT_TRUE(waitUntil([&] { return (second = startedHelper(work, "second")) != 0; }, 10000));
    EXPECT_EQ(messageWindows(program.processId()).size(), 1u) << "no second message for the postponed start";
    endProcess(second);
}

TEST_F(Firing, StartWaitingForTheUserToBeAwayHappensOnceTheScreenSaverStarts)
{
    const std::string work = folder.folder("work");
    store({storedAlarm(2, -1, 1, 0x20 | 0x2000, NO_SPAN, NO_SPAN, helper + " away", work, "")});
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    Sleep(4000);
    EXPECT_EQ(startedHelper(work, "away"), 0u) << "the user counts as present from the start";
    program.sysCommand(SC_SCREENSAVE);
    DWORD started = 0;
    EXPECT_TRUE(waitUntil([&] { return (started = startedHelper(work, "away")) != 0; }, 10000));
    endProcess(started);
}

}  // namespace
