// The alarms of the main window: the stored list in time order, the header click that reverses it, Delete; alarms
// fired at their time with the programs they start and close (qv_helper.exe stands in for those); the notice of
// missed alarms and snooze.
#include <gtest/gtest.h>

#include <cstdlib>

#include "integration/harness.h"

namespace {

// Flag bits of a stored alarm.
enum : unsigned { SHOW_MESSAGE = 0x2, REPEAT = 0x4, IN_TIME = 0x8, AUTODELETE = 0x10, EXECUTE = 0x20 };
enum : unsigned { CLOSE_ON_NEXT = 0x400, CLOSE_AFTER = 0x800, AFTER_PREVIOUS = 0x1000, WHEN_USER_AWAY = 0x2000 };

// "count,state,flags" of a stored alarm.
std::string numbers(int count, int state, unsigned flags)
{
    return std::to_string(count) + "," + std::to_string(state) + "," + std::to_string(flags);
}

// None of these alarms is due, so nothing but the list's own changes writes the file. Delete writes the stored list
// anew: renumbered from 0, the keys left over deleted, a key beyond the old count kept, and what another program
// changed in the file meanwhile kept too.
TEST(AlarmList, ShowsTheStoredAlarmsInTheStoredOrderAHeaderClickReversesItAndDeleteRenumbers)
{
    TempFolder folder;
    const std::string path = folder.file("TIVRA.INI");
    // Flags 2: earliest first, with a bit the list does not use, which must survive the click.
    const std::string options = "Column=150,200\r\nFlags=",
                      dinner = storedAlarm("2030:12:24-18:00:00", "-1,1,2", "Dinner%2C then presents"),
                      noTime = storedAlarm("1900:01:01-00:00:00", "-1,0,2", "no time"),
                      beyond = storedAlarm("2002:02:02-02:02:02", "-1,1,2", "after the gap: never loaded");
    const std::string stored =
        settingsText(options + "2\r\n",
                     {storedAlarm("1998:03:15-07:30:00", numbers(-1, 0, EXECUTE | REPEAT | SHOW_MESSAGE),
                                  "Time for a break", "notepad.exe notes.txt", "D:\\WORK", "1:00:00:00", "0:00:10:00"),
                      dinner, storedAlarm("2001:01:01-00:00:00", "-1,0,2", "New century"), noTime, "", beyond});
    writeFileText(path, stored);
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);
    program.sync();

    // A time the program cannot represent shows as a placeholder; icons: 0 armed, 1 repeating, 2 idle.
    const std::vector<std::vector<std::string>> earliestFirst = {
        {"----:--:-- - --:--:--", "no time", "2"},
        {"1998:03:15 - 07:30:00", "Time for a break", "1"},
        {"2001:01:01 - 00:00:00", "New century", "2"},
        {"2030:12:24 - 18:00:00", "Dinner, then presents", "0"}};
    const std::vector<std::vector<std::string>> latestFirst(earliestFirst.rbegin(), earliestFirst.rend());
    EXPECT_EQ(program.rows(), earliestFirst);
    program.tray(WM_LBUTTONDOWN);
    EXPECT_TRUE(waitUntil([&] { return !windowText(GetDlgItem(program.main(), IDC_MAIN_TIME)).empty(); })) << "clock";
    EXPECT_TRUE(saveScreenshot(program.main(), "main_window_with_alarms"));
    EXPECT_EQ(readFileText(path), stored);

    // A header click reverses the order and flips only the lowest bit of Flags.
    program.click(ListView_GetHeader(program.list()), 1);
    EXPECT_TRUE(
        waitUntil([&] { return program.rows() == latestFirst && iniValue(readFileText(path), "Flags") == "3"; }));

    writeFileText(path, readFileText(path) + "[Speak]\r\nHour=hour.wav\r\n");
    program.click(program.list(), 1);
    pressKeys({VK_SHIFT, VK_DOWN});  // rows 1 and 2
    program.command(IDC_MAIN_DELETE);
    const std::string expected =
        settingsText(options + "3\r\n", {dinner, noTime, "", "", "", beyond}) + "[Speak]\r\nHour=hour.wav\r\n";
    EXPECT_TRUE(waitUntil([&] { return readFileText(path) == expected; })) << readFileText(path);
    EXPECT_EQ(program.rows().size(), 2u);
}

// In a settings file saved as UTF-16 and reached through a (Unix) symbolic link, which stays both. (Alarms dated
// where no instant is, which never ring and keep their lines: AlarmStoreTest.)
TEST(Firing, DueAlarmsFireOnceAndAreStoredAsTheyEndInTheFileAsItWas)
{
    TempFolder folder;
    const long long now = secondsNow();
    const std::string real = folder.folder("real") + "\\TIVRA.INI", due = storedTime(now + 2),
                      late = storedTime(now - 400), repeat = "0:00:00:10";
    const std::vector<std::string> alarms = {
        storedAlarm(due, numbers(-1, 1, SHOW_MESSAGE), "Tom & Jerry"),
        storedAlarm(due, numbers(3, 1, REPEAT), "again", "", "", repeat),
        storedAlarm(late, numbers(-1, 1, IN_TIME | SHOW_MESSAGE | AUTODELETE), "late")};
    writeFileText(real, unicodeFile(settingsText("", alarms)));
    char link[] = "/bin/ln -s real/TIVRA.INI TIVRA.INI";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION ln = {};
    ASSERT_TRUE(
        CreateProcessA(nullptr, link, nullptr, nullptr, FALSE, 0, nullptr, folder.path().c_str(), &startup, &ln));
    WaitForSingleObject(ln.hProcess, 10000);
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);

    // The message window shows the date and time of the tick that fired it; the main window stays hidden.
    HWND window = program.waitForDialog(IDC_MESSAGE_TEXT, nullptr, "", 15000);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(program.main()));
    EXPECT_EQ(windowText(GetDlgItem(window, IDC_MESSAGE_TEXT)), "Tom & Jerry");
    const std::string date = windowText(GetDlgItem(window, IDC_MESSAGE_DATE));  // "Mon 05.01.98", of the tick
    EXPECT_TRUE(date.size() == 12 && date.substr(4, 3) == storedTime(now + 3).substr(8, 2) + ".") << date;
    EXPECT_TRUE(saveScreenshot(window, "alarm_message"));

    // The fired alarm is idle, the repeating one moved on by its interval with one count less; the In-time alarm found
    // 400 seconds late ran no action (no message) and stays, idle, despite Autodelete.
    const std::string expected =
        unicodeFile(settingsText("Column=130,124\r\n",
                                 {storedAlarm(due, numbers(-1, 0, SHOW_MESSAGE), "Tom & Jerry"),
                                  storedAlarm(storedTime(now + 12), numbers(2, 1, REPEAT), "again", "", "", repeat),
                                  storedAlarm(late, numbers(-1, 0, IN_TIME | SHOW_MESSAGE | AUTODELETE), "late")}));
    EXPECT_TRUE(waitUntil([&] { return readFileText(real) == expected; })) << readFileText(real);
    EXPECT_EQ(program.rows().size(), 3u);
    EXPECT_EQ(program.dialogs(IDC_MESSAGE_TEXT).size(), 1u);
    EXPECT_TRUE(closeWithOk(window));
}

// The process id that a started helper wrote into its report, or 0 while there is none.
DWORD helperProcess(const std::string& folder, const std::string& name)
{
    return std::strtoul(readFileText(folder + "\\started-" + name + ".txt").c_str(), nullptr, 10);
}

bool processEnded(DWORD id, DWORD timeoutMs)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    const bool ended = process == nullptr || WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// The first program is closed when the second starts, the second five seconds after its time; the third waits until
// the second has ended, the fourth until the user is away, which the start of the screen saver says.
TEST(Firing, LaunchedProgramsStartInTheirFolderAndCloseByTheirRules)
{
    TempFolder folder;
    const std::string work = folder.folder("work"), helper = programFolder() + "\\qv_helper.exe";
    const long long now = secondsNow();
    const auto alarm = [&](int seconds, unsigned flags, const std::string& parameters, const char* message = "",
                           const char* closeAfter = NO_SPAN) {
        return storedAlarm(storedTime(now + seconds), numbers(-1, 1, EXECUTE | flags), message,
                           helper + " " + parameters, work, NO_SPAN, closeAfter);
    };
    writeFileText(
        folder.file("TIVRA.INI"),
        settingsText("",
                     {alarm(2, CLOSE_ON_NEXT, "  first two  words"), alarm(4, CLOSE_AFTER, "second", "", "0:00:00:05"),
                      alarm(5, AFTER_PREVIOUS | SHOW_MESSAGE, "third", "waits"), alarm(2, WHEN_USER_AWAY, "away")}));
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);
    DWORD first = 0, second = 0, third = 0;
    ASSERT_TRUE(waitUntil([&] { return (first = helperProcess(work, "first")) != 0; }, 15000));
    const std::string report = readFileText(work + "\\started-first.txt");
    EXPECT_NE(report.find(" first two  words\n" + work + "\n"), std::string::npos) << report;

    ASSERT_TRUE(waitUntil([&] { return (second = helperProcess(work, "second")) != 0; }));
    EXPECT_TRUE(processEnded(first, 5000)) << "closed when the next program started";
    // The third alarm's message comes at its time; its program waits while the second runs.
    ASSERT_NE(program.waitForDialog(IDC_MESSAGE_TEXT), nullptr);
    EXPECT_EQ(helperProcess(work, "third"), 0u);
    EXPECT_FALSE(processEnded(second, 0)) << "closed before its time";
    ASSERT_TRUE(waitUntil([&] { return (third = helperProcess(work, "third")) != 0; }, 15000));
    EXPECT_TRUE(processEnded(second, 0));
    EXPECT_EQ(program.dialogs(IDC_MESSAGE_TEXT).size(), 1u) << "no second message for the postponed start";

    // The user counts as present from the start.
    EXPECT_EQ(helperProcess(work, "away"), 0u);
    PostMessageA(program.main(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(waitUntil([&] { return helperProcess(work, "away") != 0; }));
    EXPECT_FALSE(processEnded(third, 1000)) << "no rule of the third alarm closes its program";
    for (DWORD running : {third, helperProcess(work, "away")})
        TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, running), 0);
}

}  // namespace

// An In-time alarm ten minutes past and a plain one ten minutes past are told in one Missed alarms window, a line
// each, and end as the rules say (a repeating alarm far behind is one line: SchedulerTest). A fired alarm snoozed for 5 minutes
// closes its window and adds one row and one stored line, one-time with Autodelete, due 300 s after the press; the
// next message window offers 5 minutes first.
TEST(Notices, MissedAlarmsAreToldInOneWindowAndSnoozeAddsOneAlarmFromThePress)
{
    TempFolder folder;
    const long long now = secondsNow();
    const std::string path = folder.file("TIVRA.INI"), past = storedTime(now - 600);
    writeFileText(path, settingsText("", {storedAlarm(past, numbers(-1, 1, IN_TIME | SHOW_MESSAGE), "wake"),
                                          storedAlarm(past, numbers(-1, 1, 0), "tea break"),
                                          storedAlarm(storedTime(now + 4), numbers(-1, 1, SHOW_MESSAGE | REPEAT),
                                                      "tea", "", "", "1:00:00:00"),
                                          storedAlarm(storedTime(now + 15), numbers(-1, 1, SHOW_MESSAGE), "next")}));
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);

    HWND missed = program.waitForDialog(IDC_LATE_ALARMS_LIST, "Missed alarms");
    ASSERT_NE(missed, nullptr);
    const std::string lines = windowText(GetDlgItem(missed, IDC_LATE_ALARMS_LIST));
    for (const char* line : {"  wake  missed\r\n", "  tea break  fired 10 minutes late"})
        EXPECT_NE(lines.find(line), std::string::npos) << lines;
    EXPECT_TRUE(saveScreenshot(missed, "missed_alarms"));
    const std::string text = readFileText(path);
    EXPECT_EQ(iniValue(text, "0"), storedAlarm(past, numbers(-1, 0, IN_TIME | SHOW_MESSAGE), "wake"));
    EXPECT_EQ(iniValue(text, "1"), storedAlarm(past, numbers(-1, 0, 0), "tea break"));

    HWND window = program.waitForDialog(IDC_MESSAGE_TEXT, nullptr, "tea", 15000);
    ASSERT_NE(window, nullptr);
    const HWND delays = GetDlgItem(window, IDC_MESSAGE_SNOOZE_DELAY);
    EXPECT_EQ(windowText(delays), "10 minutes");
    program.click(delays);  // the list drops down
    pressKeys({VK_HOME});
    pressKeys({VK_RETURN});  // and closes on its first entry
    EXPECT_TRUE(waitUntil([&] { return windowText(delays) == "5 minutes"; }));
    EXPECT_TRUE(saveScreenshot(window, "alarm_message_snooze"));
    const long long pressed = secondsNow();
    program.click(GetDlgItem(window, IDC_MESSAGE_SNOOZE));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(window); }));
    const auto snoozed = [&](long long at) { return storedAlarm(storedTime(at), numbers(-1, 1, SHOW_MESSAGE | AUTODELETE), "tea"); };
    EXPECT_TRUE(waitUntil([&] {
        const std::string added = iniValue(readFileText(path), "4");
        return added == snoozed(pressed + 300) || added == snoozed(pressed + 301);
    })) << readFileText(path);
    EXPECT_EQ(iniValue(readFileText(path), "Snooze"), "5");
    EXPECT_EQ(program.rows().size(), 5u);

    HWND next = program.waitForDialog(IDC_MESSAGE_TEXT, nullptr, "next", 20000);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(windowText(GetDlgItem(next, IDC_MESSAGE_SNOOZE_DELAY)), "5 minutes");
    EXPECT_EQ(program.dialogs(IDC_LATE_ALARMS_LIST).size(), 1u) << "later ticks open no other notice";
}
