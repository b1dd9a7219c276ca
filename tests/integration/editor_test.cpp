// The alarm editor, its calendar and time lists, and the setup dialog, used in the real program with the mouse and
// the keyboard as a person does.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <tuple>

#include "harness.h"

namespace {

const int MESSAGE = IDC_EDIT_MESSAGE, DATE = IDC_EDIT_DATE, TIME = IDC_EDIT_TIME, REPEAT = IDC_EDIT_REPEAT,
          DAYS = IDC_EDIT_REPEAT_DAYS, COUNT = IDC_EDIT_REPEAT_COUNT, AUTODELETE = IDC_EDIT_AUTODELETE,
          PLAY_WAVE = IDC_EDIT_PLAY_WAVE, WAVE_BROWSE = IDC_EDIT_WAVE_BROWSE, GRID = IDC_CALENDAR_GRID,
          LIST = IDC_TIME_LIST, THEME = IDC_SETUP_THEME, FROM = IDC_SETUP_SILENCE_FROM, TO = IDC_SETUP_SILENCE_TO;

class Editor : public ::testing::Test {
protected:
    TempFolder folder;
    std::unique_ptr<QuorvelProcess> program;

    // Starts the program in the folder with its window shown.
    void start()
    {
        program = std::make_unique<QuorvelProcess>(folder.path());
        program->tray(WM_LBUTTONDOWN);
    }
    // Clicks a button (or a list row, twice) and waits for the dialog it opens to be on the screen; none ends the test.
    HWND open(HWND dialog, int button, int controlId, int row = -1)
    {
        program->click(GetDlgItem(dialog, button), row, row < 0 ? 1 : 2);
        HWND opened = program->waitForDialog(controlId);
        if (opened == nullptr)
            throw std::runtime_error("no dialog with control " + std::to_string(controlId) + " opened");
        return opened;
    }
    std::string settings() const { return readFileText(folder.file("TIVRA.INI")); }
    static bool closed(HWND window) { return waitUntil([&] { return !IsWindow(window); }, 5000); }
    static bool on(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    static bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    static void type(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }
    static std::string text(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }
    static int focus(HWND dialog)
    {
        GUITHREADINFO info = {sizeof info};
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
        return GetDlgCtrlID(info.hwndFocus);
    }
};

// Add opens on now with the defaults and stores the new alarm armed; Edit takes what the pickers get by clicks, and
// Cancel or a wrong field stores nothing. Setup takes the Russian theme and its words.
TEST_F(Editor, AddAndEditStoreWhatIsPickedCancelOrAWrongFieldNothingAndSetupTakesTheRussianTheme)
{
    ASSERT_TRUE(copyShippedThemes(folder.path()));
    writeFileText(folder.file("TIVRA.INI"),
                  "[AlarmList]\r\n0=2030:03:10-08:05:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,x\r\n");
    start();
    const std::string now = storedTime(secondsNow()), due = storedTime(secondsNow() + 3600);
    const auto date = [](const std::string& t) { return t.substr(8, 2) + "." + t.substr(5, 2) + "." + t.substr(2, 2); };
    const auto seconds = [](const std::string& t) {  // of "H:MM:SS"
        return std::stoi(t) * 3600 + std::stoi(t.substr(t.size() - 5)) * 60 + std::stoi(t.substr(t.size() - 2));
    };
    HWND editor = open(program->main(), IDC_MAIN_ADD, MESSAGE);
    EXPECT_NEAR(seconds(text(editor, TIME)), seconds(now.substr(11)), 5) << "the current time";
    EXPECT_EQ(text(editor, DATE).substr(4) + " " + text(editor, COUNT) + " " + text(editor, IDC_EDIT_WINDOW_SIZE),
              date(now) + " -1 Normal");
    EXPECT_TRUE(saveScreenshot(editor, "alarm_editor"));

    type(editor, MESSAGE, "Tea is ready");
    type(editor, DATE, "x " + date(due));
    type(editor, TIME, due.substr(11));
    pressKeys({VK_RETURN});
    ASSERT_TRUE(closed(editor));
    // Armed, with the flags of the check boxes it opened with: Show message alone.
    EXPECT_EQ(iniValue(settings(), "1"), due + ",-1,1,2, 0:00:00:00,0:00:00:00,,,,Tea is ready");

    program->click(program->list(), 0);  // the 2030 alarm, latest first
    editor = open(program->main(), IDC_MAIN_EDIT, MESSAGE);
    HWND calendar = open(editor, IDC_EDIT_DATE_DROP, GRID);
    EXPECT_TRUE(saveScreenshot(calendar, "calendar"));
    program->click(GetDlgItem(calendar, GRID), 13);  // March 2030 begins on a Friday: the 20th is Wednesday's 4th
    EXPECT_TRUE(waitUntil([&] { return text(editor, DATE).substr(3) == " 20.03.30"; }, 5000));
    HWND times = open(editor, IDC_EDIT_TIME_DROP, LIST);
    EXPECT_TRUE(saveScreenshot(times, "time_list"));
    program->click(GetDlgItem(times, LIST), 48);
    EXPECT_TRUE(waitUntil([&] { return text(editor, TIME) == "12:0:00"; }, 5000));
    program->click(GetDlgItem(editor, AUTODELETE));
    program->click(GetDlgItem(editor, REPEAT));
    EXPECT_TRUE(on(editor, AUTODELETE) && !enabled(editor, AUTODELETE) && enabled(editor, DAYS));
    program->click(GetDlgItem(open(editor, IDC_EDIT_REPEAT_DAYS_DROP, LIST), LIST), 2);
    EXPECT_TRUE(waitUntil([&] { return text(editor, DAYS) == "4 дней"; }, 5000)) << "on any code page";
    program->click(GetDlgItem(editor, IDOK));
    const std::string stored = settings();
    EXPECT_EQ(iniValue(stored, "0"), "2030:03:20-12:00:00,-1,1,22, 4:00:00:00,0:00:00:00,,,,x");

    editor = open(program->main(), IDC_MAIN_LIST, MESSAGE, 0);  // a double-click on the row
    pressKeys({VK_MENU, 'W'});                                  // "Play &wav:"
    ASSERT_TRUE(on(editor, PLAY_WAVE) && enabled(editor, WAVE_BROWSE));
    program->click(GetDlgItem(editor, WAVE_BROWSE));
    HWND files = nullptr;
    EXPECT_TRUE(waitUntil([&] { return windowText(files = GetForegroundWindow()) == "Открыть звуковой файл"; }, 10000))
        << "the Russian title reads right on any code page";
    PostMessageA(files, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(files) && GetForegroundWindow() == editor; }, 5000));
    program->sync();
    // A refused field keeps what was typed (the activation after the message changes no field) until put right.
    const std::tuple<int, const char*, std::string> refusals[] = {
        {COUNT, "abc", "Please enter an integer."}, {DATE, "--- --.--.--", "Please enter a date from 1970 to 2037."}};
    for (const auto& [field, typed, message] : refusals) {
        const std::string before = text(editor, field);
        type(editor, field, typed);
        program->click(GetDlgItem(editor, IDOK));
        ASSERT_TRUE(closeWithOk(program->waitForMessageBox(message))) << message;
        EXPECT_TRUE(waitUntil([&] { return focus(editor) == field; }, 5000)) << message;
        EXPECT_EQ(text(editor, field), typed);
        type(editor, field, before);
    }
    pressKeys({VK_ESCAPE});
    ASSERT_TRUE(closed(editor));
    EXPECT_EQ(settings(), stored) << "byte for byte";

    HWND setup = open(program->main(), IDC_MAIN_SETUP, FROM);
    EXPECT_EQ(windowText(setup), "Настройка") << "the Russian caption reads right on any code page";
    EXPECT_EQ(SendDlgItemMessageA(setup, THEME, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(text(setup, THEME), "Default");
    EXPECT_TRUE(saveScreenshot(setup, "setup"));
    pressKeys({VK_DOWN});                    // the theme box has the focus: the next theme
    open(setup, IDC_SETUP_FROM_DROP, LIST);  // on 0:0, the value of the field; the keys of the pop-up work
    pressKeys({VK_END});
    pressKeys({VK_RETURN});
    EXPECT_TRUE(waitUntil([&] { return text(setup, FROM) == "23:45:00"; }, 5000));
    type(setup, TO, "7:00:00");
    pressKeys({VK_RETURN});
    ASSERT_TRUE(closed(setup));
    EXPECT_EQ(iniValue(settings(), "Theme") + " " + iniValue(settings(), "Silence") + " " + iniValue(settings(), "Hour"),
              "Russian 23:45:00, 07:00:00 .\\speak\\Russian\\hour.wav");  // with the theme's words in Speak
}

// Every alarm made in the editor comes back after Exit and a new start with every field as it was made: texts of the
// longest lengths, with blanks at both ends, commas, percent signs, quotes and letters beyond ASCII, every box.
TEST_F(Editor, EveryAlarmMadeInTheEditorComesBackWholeAfterExitAndANewStart)
{
    const int ids[] = {DATE, DAYS, TIME, IDC_EDIT_REPEAT_TIME, MESSAGE, IDC_EDIT_WAVE_FILE, IDC_EDIT_COMMAND_LINE,
                       IDC_EDIT_WORKING_FOLDER, IDC_EDIT_WINDOW_SIZE, IDC_EDIT_CLOSE_AFTER_TIME, COUNT};
    const int boxes[] = {REPEAT, IDC_EDIT_IN_TIME, AUTODELETE, IDC_EDIT_SHOW_MESSAGE, IDC_EDIT_SAY_TIME, PLAY_WAVE,
                         IDC_EDIT_EXECUTE, IDC_EDIT_WAIT_FOR_USER_AWAY, IDC_EDIT_EXECUTE_WHEN_PREVIOUS_CLOSED,
                         IDC_EDIT_CLOSE_AFTER, IDC_EDIT_CLOSE_WHEN_USER_BACK, IDC_EDIT_CLOSE_ON_NEXT_EXECUTE};
    const auto fields = [&](HWND editor) {  // the date without its day name, the day count as its number
        std::string all;
        for (int id : ids) {
            const std::string shown = text(editor, id);
            all += (id == DATE ? shown.substr(shown.size() - 8) : id == DAYS ? std::to_string(std::stoi(shown)) : shown);
            all += '|';
        }
        for (int id : boxes)
            all += on(editor, id) ? '1' : '0';
        return all;
    };
    // Letters of the system's code page beyond ASCII, typed as UTF-16 the way the keyboard gives them.
    wchar_t high[8] = {};
    char letters[32] = {};
    MultiByteToWideChar(CP_ACP, 0, "\xE0\xE9\xF6\xFC", -1, high, 8);
    WideCharToMultiByte(CP_UTF8, 0, high, -1, letters, sizeof letters, nullptr, nullptr);
    const std::string command = "\"C:\\Program Files\\x.exe\" -a, 50%2C " + std::string(letters);
    const std::vector<std::vector<std::string>> alarms = {  // the fields in the order of ids, then the boxes
        {"20.03.30", "3", "7:05:00", "1:30:00", "  Tea, 100% \"hot\" %2C " + std::string(letters) + "  ",
         "C:\\" + std::string(72, 'w') + ".wav", command + std::string(255 - command.size(), 'p'),
         "C:\\" + std::string(252, 'f'), "Maximize", "0:45:00", "5", "111111111111"},
        {"Thu 21.03.30", "0", "23:59:59", "0:00:00", " x ", "C:\\a,b " + std::string(letters) + ".wav",
         "notepad.exe 50%25 a,b", "D:\\x,y ", "Minimize", "0:00:00", "-1", "000000000000"},
        {"x 22.03.30", "0", "0:00:01", "0:15:00", std::string(254, 'm') + " ", "", "", "", "Normal", "0:00:00", "-1",
         "110100000000"}};
    start();
    std::vector<std::string> made, back;
    for (const std::vector<std::string>& alarm : alarms) {
        HWND editor = open(program->main(), IDC_MAIN_ADD, MESSAGE);
        for (std::size_t i = 0; i < std::size(ids); ++i) {
            wchar_t wide[512] = {};
            MultiByteToWideChar(CP_UTF8, 0, alarm[i].c_str(), -1, wide, 512);
            SendMessageW(GetDlgItem(editor, ids[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
        }
        for (std::size_t i = 0; i < std::size(boxes); ++i)
            CheckDlgButton(editor, boxes[i], alarm.back()[i] == '1' ? BST_CHECKED : BST_UNCHECKED);
        made.push_back(fields(editor));
        program->click(GetDlgItem(editor, IDOK));
        ASSERT_TRUE(closed(editor)) << made.back();
    }
    PostMessageA(program->main(), WM_COMMAND, IDCANCEL, 0);  // Exit
    ASSERT_TRUE(program->waitForExit());
    start();
    for (int row = 0; row < 3; ++row) {
        HWND editor = open(program->main(), IDC_MAIN_LIST, MESSAGE, row);
        back.push_back(fields(editor));
        pressKeys({VK_ESCAPE});
        ASSERT_TRUE(closed(editor));
    }
    std::sort(made.begin(), made.end());
    std::sort(back.begin(), back.end());
    EXPECT_EQ(back, made);
}

}  // namespace
