// What the editor refuses at OK, and what its program browse button puts into the field.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resource.h"
#include "support/fake_platform.h"
#include "ui/alarm_editor_rules.h"

TEST(AlarmEditorRulesTest, OkRefusesTextsBeyondTheirLimitADateOrTimeWithoutInstantAndRepeatWithoutInterval)
{
    FakePlatform platform;  // UTC+1: 1 January 1970 0:30 lies before the first instant
    AlarmEditorRules rules(platform);
    const std::string date = "Please enter a date from 1970 to 2037.", time = "Please enter a time such as 7:30:00.",
                      interval = "Please enter a repeat interval of at least 1 second.", most = "Please enter ";
    const auto repeat = [](const char* days, const char* clock) {
        return [=](EditorValues& v) { v.check(IDC_EDIT_REPEAT) = 1, v.texts.dayCount = days, v.texts.repeatTime = clock; };
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
