// What the editor refuses at OK, and what its program browse button puts into the field.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resource.h"
#include "support/fake_platform.h"
#include "ui/alarm_editor_rules.h"

TEST(AlarmEditorRulesTest, OkRefusesTextsBeyondTheirLimitAnEmptyDateOrTimeAndRepeatWithoutInterval)
{
    FakePlatform platform;
    AlarmEditorRules rules(platform);
    const std::string date = "Please enter a date from 1970 to 2037.", time = "Please enter a time such as 7:30:00.",
                      interval = "Please enter a repeat interval of at least 1 second.";
    const struct {
        const char* name;
        std::function<void(EditorValues&)> change;
        int field;
        std::string message;
    } rows[] = {
        {"as opened", [](EditorValues&) {}, 0, ""},
        {"longest texts", [](EditorValues& v) { v.message = v.commandLine = v.workingFolder = std::string(255, 'x'),
                                                v.waveFile = std::string(79, 'w'); }, 0, ""},
        {"message", [](EditorValues& v) { v.message = std::string(256, 'x'); }, IDC_EDIT_MESSAGE,
         "Please enter a message of at most 255 characters."},
        {"wave file", [](EditorValues& v) { v.waveFile = "C:\\" + std::string(77, 'w'); }, IDC_EDIT_WAVE_FILE,
         "Please enter a wave file path of at most 79 characters."},
        {"program", [](EditorValues& v) { v.commandLine = std::string(256, 'p'); }, IDC_EDIT_COMMAND_LINE,
         "Please enter a command line of at most 255 characters."},
        {"folder", [](EditorValues& v) { v.workingFolder = std::string(256, 'f'); }, IDC_EDIT_WORKING_FOLDER,
         "Please enter a working folder path of at most 255 characters."},
        {"blank date", [](EditorValues& v) { v.texts.date = ""; }, IDC_EDIT_DATE, date},
        {"date of a word", [](EditorValues& v) { v.texts.date = "Thu"; }, IDC_EDIT_DATE, date},
        {"blank time", [](EditorValues& v) { v.texts.timeOfDay = " "; }, IDC_EDIT_TIME, time},
        {"both blank", [](EditorValues& v) { v.texts.date = v.texts.timeOfDay = ""; }, IDC_EDIT_DATE, date},
        {"repeat, interval 0", [](EditorValues& v) { v.check(IDC_EDIT_REPEAT) = 1; }, IDC_EDIT_REPEAT_DAYS, interval},
        {"repeat, interval below 0", [](EditorValues& v) { v.check(IDC_EDIT_REPEAT) = 1, v.texts.repeatTime = "0:0:-1"; },
         IDC_EDIT_REPEAT_DAYS, interval},
        {"repeat, one second", [](EditorValues& v) { v.check(IDC_EDIT_REPEAT) = 1, v.texts.repeatTime = "0:0:1"; }, 0,
         ""},
        {"repeat, one day", [](EditorValues& v) { v.check(IDC_EDIT_REPEAT) = 1, v.texts.dayCount = "1"; }, 0, ""},
    };
    for (const auto& row : rows) {
        EditorValues values = rules.valuesOf(Alarm(883980300));  // interval 0, Repeat off
        row.change(values);
        const AlarmEditorRules::Problem problem = rules.check(values);
        EXPECT_EQ(problem.controlId, row.field) << row.name;
        EXPECT_EQ(problem.message, row.message) << row.name;
    }
    EXPECT_EQ(AlarmEditorRules::browsedProgram("C:\\Program Files\\x.exe"), "\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(AlarmEditorRules::browsedProgram("C:\\Tools\\x.exe"), "C:\\Tools\\x.exe");
}
