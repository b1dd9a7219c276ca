// The editor's rules: which controls the check boxes enable, the alarm its values give back, what OK refuses, and
// what the program browse button puts into its field (AlarmEditorRules).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "resource.h"
#include "support/editor_texts.h"
#include "support/fake_platform.h"
#include "ui/alarm_editor_rules.h"

namespace {

class AlarmEditorRulesTest : public ::testing::Test {
protected:
    FakePlatform platform;
    AlarmEditorRules rules{platform};
};

}  // namespace

TEST_F(AlarmEditorRulesTest, EnablingFollowsTheCheckBoxes)
{
    // The first control of each group that follows Repeat, not Repeat, Play wav, Execute, and Execute with Close-after.
    const int groups[] = {IDC_EDIT_REPEAT_DAYS, IDC_EDIT_AUTODELETE, IDC_EDIT_WAVE_FILE, IDC_EDIT_COMMAND_LINE,
                          IDC_EDIT_CLOSE_AFTER_TIME};
    const std::tuple<const char*, int, int, int, int, std::string> rows[] = {
        {"all off", 0, 0, 0, 0, "01000"},       {"repeat disables autodelete", 1, 0, 0, 0, "10000"},
        {"play wav", 0, 1, 0, 0, "01100"},      {"close-after needs execute", 0, 0, 0, 1, "01000"},
        {"execute alone", 0, 0, 1, 0, "01010"}, {"everything on", 1, 1, 1, 1, "10111"}};
    for (const auto& [name, repeat, wave, execute, closeAfter, groupsEnabled] : rows) {
        EditorValues values;
        values.check(IDC_EDIT_REPEAT) = repeat, values.check(IDC_EDIT_PLAY_WAVE) = wave;
        values.check(IDC_EDIT_EXECUTE) = execute, values.check(IDC_EDIT_CLOSE_AFTER) = closeAfter;
        std::map<int, bool> enabled;
        for (const auto& control : AlarmEditorRules::enabling(values))
            enabled[control.controlId] = control.enabled;
        std::string seen;
        for (const int id : groups)
            seen += enabled.at(id) ? '1' : '0';
        EXPECT_EQ(seen, groupsEnabled) << name;
        EXPECT_EQ(enabled.size(), 19u) << "each dependant once";
    }
}

TEST_F(AlarmEditorRulesTest, FieldsShowTheAlarmAndTheFlagsAreBuiltAfreshFromTheBoxes)
{
    Alarm alarm(MONDAY_MORNING);
    alarm.message = "Tea", alarm.waveFile = "ding.wav", alarm.commandLine = "a.exe x", alarm.workingFolder = "C:\\w";
    alarm.repeatCount = 3, alarm.repeatInterval = 264600, alarm.closeAfter = 2700, alarm.process = 7;
    alarm.flags = ALARM_REPEAT | ALARM_AUTODELETE | ALARM_EXECUTE | ALARM_CLOSE_AFTER | ALARM_WINDOW_MAXIMIZED |
        ALARM_EXECUTE_PENDING | 0x8000;
    alarm.state = ALARM_STATE_WATCH;
    EditorValues values = rules.valuesOf(alarm);
    // Back comes the alarm, idle, without a process and without the bits no box shows.
    const Alarm back = rules.alarmOf(values);
    EXPECT_TRUE(back.flags == (alarm.flags & ~(ALARM_EXECUTE_PENDING | 0x8000)) && back.time == alarm.time &&
                back.repeatInterval == alarm.repeatInterval && back.closeAfter == 2700 && back.repeatCount == 3 &&
                back.state == ALARM_STATE_IDLE && back.process == NO_PROCESS);
    EXPECT_EQ(back.message + back.waveFile + back.commandLine + back.workingFolder, "Teading.wava.exe xC:\\w");
    // The window size by the texts of its box only: a typed "minimize" is no item of it.
    const std::uint32_t boxes = ALARM_REPEAT | ALARM_AUTODELETE | ALARM_EXECUTE | ALARM_CLOSE_AFTER;
    const std::pair<const char*, std::uint32_t> sizes[] = {
        {"Normal", 0}, {"minimize", 0}, {"Minimize", ALARM_WINDOW_MINIMIZED}, {"Maximize", ALARM_WINDOW_MAXIMIZED}};
    for (const auto& [text, flags] : sizes) {
        values.windowSize = text;
        EXPECT_EQ(rules.alarmOf(values).flags, boxes | flags) << text;
    }
    EXPECT_EQ(rules.valuesOf(Alarm(0)).windowSize +
                  AlarmEditorRules::windowSizeText(ALARM_WINDOW_MINIMIZED | ALARM_WINDOW_MAXIMIZED),
              "NormalMinimize");
}

TEST_F(AlarmEditorRulesTest, OkRefusesTextsBeyondTheirLimitADateOrTimeWithoutInstantAndRepeatWithoutInterval)
{
    // The test zone is UTC+1: 1 January 1970 0:30 lies before the first instant.
    const std::string date = "Please enter a date from 1970 to 2037.", time = "Please enter a time such as 7:30:00.",
                      interval = "Please enter a repeat interval of at least 1 second.", most = "Please enter ";
    const auto repeat = [](const char* days, const char* clock) {
        return
            [=](EditorValues& v) { v.check(IDC_EDIT_REPEAT) = 1, v.texts.dayCount = days, v.texts.repeatTime = clock; };
    };
    const struct {
        std::function<void(EditorValues&)> change;
        int field;
        std::string message;
    } rows[] = {
        {[](EditorValues&) {}, 0, ""},
        {[](EditorValues& v) { v.message = v.commandLine = v.workingFolder = std::string(255, 'x'); }, 0, ""},
        {[](EditorValues& v) { v.waveFile = std::string(79, 'w'); }, 0, ""},
        {[](EditorValues& v) { v.message = std::string(256, 'x'); }, IDC_EDIT_MESSAGE,
         most + "a message of at most 255 characters."},
        {[](EditorValues& v) { v.waveFile = std::string(80, 'w'); }, IDC_EDIT_WAVE_FILE,
         most + "a wave file path of at most 79 characters."},
        {[](EditorValues& v) { v.commandLine = std::string(256, 'p'); }, IDC_EDIT_COMMAND_LINE,
         most + "a command line of at most 255 characters."},
        {[](EditorValues& v) { v.workingFolder = std::string(256, 'f'); }, IDC_EDIT_WORKING_FOLDER,
         most + "a working folder path of at most 255 characters."},
        {[](EditorValues& v) { v.texts.date = ""; }, IDC_EDIT_DATE, date},
        {[](EditorValues& v) { v.texts.date = "Thu"; }, IDC_EDIT_DATE, date},
        {[](EditorValues& v) { v.texts.date = "10.12"; }, IDC_EDIT_DATE, date},  // no year
        {[](EditorValues& v) { v.texts.date = "10.12.26", v.texts.timeOfDay = "7:30"; }, 0, ""},
        {[](EditorValues& v) { v.texts.date = "--- --.--.--"; }, IDC_EDIT_DATE, date},
        {[](EditorValues& v) { v.texts.date = "Mon 05.01.50"; }, IDC_EDIT_DATE, date},  // 2050
        {[](EditorValues& v) { v.texts.date = "Thu 01.01.70", v.texts.timeOfDay = "0:30:00"; }, IDC_EDIT_DATE, date},
        {[](EditorValues& v) { v.texts.timeOfDay = " "; }, IDC_EDIT_TIME, time},
        {[](EditorValues& v) { v.texts.timeOfDay = " -:--:-- "; }, IDC_EDIT_TIME, time},
        {[](EditorValues& v) { v.texts.date = v.texts.timeOfDay = ""; }, IDC_EDIT_DATE, date},
        {repeat("00", "0:00:00"), IDC_EDIT_REPEAT_DAYS, interval},
        {repeat("00", "0:0:-1"), IDC_EDIT_REPEAT_DAYS, interval},
        {repeat("00", "0:0:1"), 0, ""},
        {repeat("1", ""), 0, ""},
    };
    for (const auto& row : rows) {
        EditorValues values = rules.valuesOf(Alarm(883980300));  // 5 January 1998, interval 0, Repeat off
        row.change(values);
        const AlarmEditorRules::Problem problem = rules.check(values);
        EXPECT_EQ(problem.controlId, row.field) << row.message;
        EXPECT_EQ(problem.message, row.message);
    }
    EXPECT_EQ(AlarmEditorRules::browsedProgram("C:\\Program Files\\x.exe"), "\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(AlarmEditorRules::browsedProgram("C:\\Tools\\x.exe"), "C:\\Tools\\x.exe");
}
