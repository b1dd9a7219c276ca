// The editor's rules: which controls the check boxes enable, the alarm its values give back, and the instants OK
// refuses (AlarmEditorRules).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

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
    // The controls that follow Repeat, not Repeat, Play wav, Execute, and Execute with Close-after.
    const std::vector<int> groups[] = {{IDC_EDIT_REPEAT_DAYS, IDC_EDIT_REPEAT_DAYS_DROP, IDC_EDIT_REPEAT_TIME,
                                        IDC_EDIT_REPEAT_TIME_DROP, IDC_EDIT_REPEAT_COUNT},
                                       {IDC_EDIT_AUTODELETE},
                                       {IDC_EDIT_WAVE_FILE, IDC_EDIT_WAVE_BROWSE},
                                       {IDC_EDIT_COMMAND_LINE, IDC_EDIT_PROGRAM_BROWSE, IDC_EDIT_WORKING_FOLDER,
                                        IDC_EDIT_WINDOW_SIZE, IDC_EDIT_WAIT_FOR_USER_AWAY,
                                        IDC_EDIT_EXECUTE_WHEN_PREVIOUS_CLOSED, IDC_EDIT_CLOSE_AFTER,
                                        IDC_EDIT_CLOSE_WHEN_USER_BACK, IDC_EDIT_CLOSE_ON_NEXT_EXECUTE},
                                       {IDC_EDIT_CLOSE_AFTER_TIME, IDC_EDIT_CLOSE_AFTER_DROP}};
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
        for (const std::vector<int>& group : groups) {
            seen += enabled.at(group[0]) ? '1' : '0';
            for (int id : group)
                EXPECT_EQ(enabled.at(id), enabled.at(group[0])) << name << " " << id;
        }
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

TEST_F(AlarmEditorRulesTest, OkRefusesADateOrTimeThatGivesNoInstant)
{
    const std::string date = "Please enter a date from 1970 to 2037.", time = "Please enter a time such as 7:30:00.";
    // "Mon 05.01.50" is 2050; 1 January 1970 0:30 lies before the first instant at UTC+1.
    const std::tuple<const char*, const char*, std::string> rows[] = {
        {"Mon 05.01.98", "7:05:00", ""},   {"--- --.--.--", "7:05:00", date}, {"Mon 05.01.98", " -:--:-- ", time},
        {"--- --.--.--", "-:--:--", date}, {"Mon 05.01.50", "7:05:00", date}, {"Mon 01.01.70", "0:30:00", date}};
    for (const auto& [typedDate, typedTime, refusal] : rows) {
        EditorValues values = rules.valuesOf(Alarm(MONDAY_MORNING));
        values.texts.date = typedDate, values.texts.timeOfDay = typedTime;
        const AlarmEditorRules::Problem problem = rules.checkInstant(values);
        EXPECT_EQ(problem.message, refusal) << typedDate << " " << typedTime;
        EXPECT_EQ(problem.controlId, refusal.empty() ? 0 : refusal == date ? IDC_EDIT_DATE : IDC_EDIT_TIME);
    }
}
