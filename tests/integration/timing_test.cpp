// The tick of the real program in awkward places: many alarms due at once, a box raised by the tick.
#include <gtest/gtest.h>
#include <windows.h>

#include "harness.h"

namespace {

// The last change of a file as the system keeps it (0 when missing).
ULONGLONG lastWrite(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

TEST(Timing, ThousandsOfAlarmsDueInOneSecondAreSavedOnceAndTheIconStillAnswers)
{
    TempFolder folder;
    const std::string path = folder.file("TIVRA.INI"),
                      alarm = storedAlarm(storedTime(secondsNow() + 6), "-1,1,4", "x", "", "", "1:00:00:00");
    std::string text = "[AlarmList]\r\n";
    for (int key = 0; key < 2000; ++key)
        text += std::to_string(key) + "=" + alarm + "\r\n";
    writeFileText(path, text);
    QuorvelProcess program(folder.path());
    const ULONGLONG stored = lastWrite(path);
    ASSERT_TRUE(waitUntil([&] { return lastWrite(path) != stored; }, 15000));
    // Written: a press on the icon is answered at once, and no other write follows.
    EXPECT_TRUE(trayEvent(program.main(), WM_LBUTTONDOWN, 1000));
    const ULONGLONG written = lastWrite(path);
    EXPECT_FALSE(waitUntil([&] { return lastWrite(path) != written; }, 3000)) << "written again";
    const std::string saved = readFileText(path);  // every alarm moved on by a day in that one write
    EXPECT_TRUE(iniValue(saved, "0").substr(0, 10) != alarm.substr(0, 10) &&
                iniValue(saved, "1999") == iniValue(saved, "0"));
}

TEST(Timing, FailedSaveIsToldInFrontAfterTheTickAndAlarmsKeepFiring)
{
    TempFolder folder;
    const std::string path = folder.file("TIVRA.INI");
    writeFileText(path,
                  settingsText("",
                               {storedAlarm(storedTime(secondsNow() + 2), "-1,1,0", "first"),
                                storedAlarm(storedTime(secondsNow() + 6), "-1,1,2", "second")}));
    // Read by all, replaced by none: every save fails.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    QuorvelProcess program(folder.path());
    HWND box = program.waitForMessageBox("I can't write");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "owned by no hidden window: it has a taskbar button";
    // The second alarm (the first row) fires while the box is open; its failed save is not told twice.
    EXPECT_TRUE(waitUntil([&] { return program.rows().at(0).at(2) == "2"; }, 15000)) << "idle";
    EXPECT_EQ(program.messageBoxes().size(), 1u);
    CloseHandle(held);
}

}  // namespace
