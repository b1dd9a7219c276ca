// The alarms stored in the settings file are there after start-up, in time
// order, and the file is left as it was until something is saved.
#include <gtest/gtest.h>
#include <windows.h>

#include "quorvel_process.h"
#include "screenshot.h"
#include "temp_folder.h"

namespace {

const char* const STORED =
    "[Options]\r\n"
    "Column=150,200\r\n"
    "\r\n"
    "[AlarmList]\r\n"
    "0=1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,D:\\SOUNDS\\DING.WAV,notepad.exe notes.txt,D:\\WORK,"
    "Time for a break\r\n"
    "1=2030:12:24-18:00:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,Dinner%2C then presents\r\n"
    "2=2001:01:01-00:00:00,-1,0,2, 0:00:00:00,0:00:00:00,,,,New century\r\n"
    "4=2002:02:02-02:02:02,-1,1,2, 0:00:00:00,0:00:00:00,,,,After the gap: never loaded\r\n";

TEST(AlarmLoad, StoredAlarmsAreListedLatestFirstAndTheFileIsUntouched)
{
    TempFolder folder;
    writeFileText(folder.file("TIVRA.INI"), STORED);
    QuorvelProcess program(folder.path());
    HWND main = program.mainWindow();
    ASSERT_NE(main, nullptr);
    program.sync();

    ASSERT_EQ(program.rowCount(), 3);
    EXPECT_EQ(program.rowText(0, 0), "2030:12:24 - 18:00:00");
    EXPECT_EQ(program.rowText(0, 1), "Dinner, then presents");
    EXPECT_EQ(program.rowText(1, 0), "2001:01:01 - 00:00:00");
    EXPECT_EQ(program.rowText(1, 1), "New century");
    EXPECT_EQ(program.rowText(2, 0), "1998:03:15 - 07:30:00");
    EXPECT_EQ(program.rowText(2, 1), "Time for a break");
    EXPECT_EQ(program.rowImage(0), 0) << "armed";
    EXPECT_EQ(program.rowImage(1), 2) << "idle";
    EXPECT_EQ(program.rowImage(2), 1) << "repeating";

    program.trayEvent(WM_LBUTTONDOWN);
    program.settle(main);
    EXPECT_TRUE(saveWindowScreenshot(main, "main_window_with_alarms"));
    EXPECT_EQ(readFileText(folder.file("TIVRA.INI")), STORED);
}

TEST(AlarmLoad, StoredSortFlagPutsTheEarliestFirst)
{
    TempFolder folder;
    writeFileText(folder.file("TIVRA.INI"), std::string("[Options]\r\nFlags=2\r\n") + (STORED + 10));
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    program.sync();
    ASSERT_EQ(program.rowCount(), 3);
    EXPECT_EQ(program.rowText(0, 0), "1998:03:15 - 07:30:00");
    EXPECT_EQ(program.rowText(2, 0), "2030:12:24 - 18:00:00");
}

// One stored line of an armed alarm that only shows a message.
std::string line(int key, const char* time, const char* message)
{
    return std::to_string(key) + "=" + time + ",-1,1,2, 0:00:00:00,0:00:00:00,,,," + message + "\r\n";
}

// Deleting rows rewrites the stored list: renumbered from 0, the keys left
// over deleted, untouched keys beyond the old count left alone.
TEST(AlarmList, DeletingThreeAdjacentRowsRewritesTheStoredList)
{
    TempFolder folder;
    writeFileText(folder.file("TIVRA.INI"),
                  std::string("[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n") +
                  line(0, "2001:01:01-00:00:01", "one") +
                  line(1, "2001:01:01-00:00:02", "two") +
                  line(2, "2001:01:01-00:00:03", "three") +
                  line(3, "2001:01:01-00:00:04", "four") +
                  line(4, "2001:01:01-00:00:05", "five") +
                  line(6, "2001:01:01-00:00:07", "beyond the gap"));
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    program.sync();
    ASSERT_EQ(program.rowCount(), 5);
    ASSERT_EQ(program.rowText(1, 1), "four");
    program.selectRow(1);
    program.selectRow(2);
    program.selectRow(3);
    program.command(3004);
    EXPECT_TRUE(waitUntil([&] { return program.rowCount() == 2; }, 5000));
    program.sync();
    EXPECT_EQ(readFileText(folder.file("TIVRA.INI")),
              "[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n" +
              line(0, "2001:01:01-00:00:01", "one") +
              line(1, "2001:01:01-00:00:05", "five") +
              line(6, "2001:01:01-00:00:07", "beyond the gap"));
}

TEST(AlarmList, HeaderClickReversesTheRowsAndStoresOnlyTheSortBit)
{
    TempFolder folder;
    writeFileText(folder.file("TIVRA.INI"),
                  std::string("[Options]\r\nColumn=130,124\r\nFlags=3\r\n[AlarmList]\r\n") +
                  line(0, "2001:01:01-00:00:01", "early") +
                  line(1, "2031:01:01-00:00:02", "late"));
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    program.sync();
    EXPECT_EQ(program.rowText(0, 1), "late");
    const auto settles = [&](const char* top, const char* flags) {
        return waitUntil(
            [&] {
                return program.rowText(0, 1) == top &&
                       readFileText(folder.file("TIVRA.INI")).find(flags) != std::string::npos;
            },
            5000);
    };
    program.clickHeader(1);
    EXPECT_TRUE(settles("early", "Flags=2\r\n"));
    program.clickHeader(0);
    EXPECT_TRUE(settles("late", "Flags=3\r\n"));
}

TEST(AlarmList, AlarmWithoutARepresentableTimeShowsAPlaceholder)
{
    TempFolder folder;
    writeFileText(folder.file("TIVRA.INI"), std::string("[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n") +
                                                line(0, "1900:01:01-00:00:00", "no time") +
                                                line(1, "2001:01:01-00:00:00", "a time"));
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    program.sync();
    ASSERT_EQ(program.rowCount(), 2);
    EXPECT_EQ(program.rowText(1, 0), "----:--:-- - --:--:--");
    EXPECT_EQ(program.rowText(1, 1), "no time");
    EXPECT_EQ(program.rowText(0, 0), "2001:01:01 - 00:00:00");
}

}  // namespace
