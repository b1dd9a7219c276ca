// The editor's portable side: the texts of its fields (DateTimeText, EditorFields), its rules, its two
// pickers, and the setup dialog's fields.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "resource.h"
#include "support/fake_platform.h"
#include "ui/alarm_editor_rules.h"
#include "ui/calendar_month.h"
#include "ui/date_time_text.h"
#include "ui/editor_fields.h"
#include "ui/setup_fields.h"
#include "ui/time_list.h"

namespace {

constexpr Timestamp MONDAY_MORNING = 883980300;  // 1998-01-05 07:05:00 in the test zone
const std::string DAYS = "\xE4\xED\xE5\xE9";

class AlarmEditorTest : public ::testing::Test {
protected:
    Timestamp local(int year, int month, int day, int hour, int minute = 0)
    {
        return platform.fromLocal(LocalTime{year, month, day, hour, minute, 0});
    }
    // The texts of the values; `back` gets what they read back as.
    EditorFields::Texts show(Timestamp time, Duration repeat = 0, Duration closeAfter = 0)
    {
        const EditorFields::Texts texts = editor.format(EditorFields::Values{time, repeat, closeAfter});
        back = editor.read(texts);
        return texts;
    }
    Timestamp typed(const std::string& date, const std::string& time)
    {
        return editor.read(EditorFields::Texts{date, time, "00", "0:00:00", "0:00:00"}).time;
    }

    FakePlatform platform;
    DateTimeText texts{platform};
    EditorFields editor{platform};
    EditorFields::Values back;
    AlarmEditorRules rules{platform};
    CalendarMonth calendar{platform};
};
using DateTimeTextTest = AlarmEditorTest;

}  // namespace

TEST_F(DateTimeTextTest, EditorFieldsRoundTripAndEveryFormShowsTheInvalidInstant)
{
    // Repeat interval, close-after, their texts, and the close-after read back (whole days dropped).
    const std::tuple<Duration, Duration, std::string, const char*, Duration> cases[] = {
        {264600, 2700, "03 " + DAYS + "1:30:00", "0:45:00", 2700},
        {5400, 0, "00 " + DAYS + "1:30:00", "0:00:00", 0},
        {45 * 86400, 30 * 3600, "45 " + DAYS + "0:00:00", "6:00:00", 6 * 3600},
        {-(86400 + 5400), -90, "-1 " + DAYS + "-1:-30:00", "0:-1:-30", -90}};
    for (const auto& [repeat, closeAfter, repeatTexts, closeText, closeBack] : cases) {
        const EditorFields::Texts shown = show(MONDAY_MORNING, repeat, closeAfter);
        EXPECT_EQ(shown.date + " " + shown.timeOfDay, "Mon 05.01.98 7:05:00");
        EXPECT_EQ(shown.dayCount + shown.repeatTime + "|" + shown.closeAfter, repeatTexts + "|" + closeText);
        EXPECT_TRUE(back.time == MONDAY_MORNING && back.repeatInterval == repeat && back.closeAfter == closeBack)
            << repeat << " " << closeAfter;
    }
    for (int year = 1970; year <= 2036; ++year) {  // two-digit years read back
        const EditorFields::Texts shown = show(local(year, 1, 1, year == 1970 ? 1 : 0));
        EXPECT_EQ(shown.date.substr(shown.date.size() - 8), "01.01." + std::to_string(100 + year % 100).substr(1));
        EXPECT_EQ(back.time, local(year, 1, 1, year == 1970 ? 1 : 0)) << year;
    }
    EXPECT_EQ(texts.listRowTime(MONDAY_MORNING) + " " + texts.currentTime(MONDAY_MORNING),
              "1998:01:05 - 07:05:00 07:05:00");
    EXPECT_EQ(texts.dateText(INVALID_TIME) + texts.timeOfDayText(INVALID_TIME), "--- --.--.---:--:--");
    EXPECT_EQ(texts.listRowTime(INVALID_TIME) + texts.currentTime(INVALID_TIME), "----:--:-- - --:--:----:--:--");
    show(INVALID_TIME, 90);
    EXPECT_TRUE(back.time == INVALID_TIME && back.repeatInterval == 90);
}

TEST_F(DateTimeTextTest, ScansTakeAnySeparatorStopAtTheFirstMisfitAndCarryOver)
{
    // "7 30 15": the separator slots take the 3 and the 1.
    const std::pair<const char*, int> clocks[] = {
        {"7:30:00", 27000}, {"7.30.00", 27000},        {"7 - 30 - 0", 27000}, {"07:30:05", 27005},
        {"7:0:00", 25200},  {"7 30 15", 7 * 3600 + 5}, {"7:xx:00", 7 * 3600}, {"", 0}};
    for (const auto& [typed, seconds] : clocks) {
        const DateTimeText::Clock clock = DateTimeText::readClock(typed);
        EXPECT_EQ(clock.hours * 3600 + clock.minutes * 60 + clock.seconds, seconds) << typed;
    }
    for (const auto& [typed, days] : {std::pair<std::string, int>{"4 " + DAYS, 4}, {"3", 3}, {"3days", 3}, {"days", 0}})
        EXPECT_EQ(DateTimeText::readDayCount(typed), days) << typed;
    // Typed dates follow the two-digit year rule, and their fields carry over.
    for (const auto& [two, full] : {std::pair{0, 2000}, {69, 2069}, {70, 1970}, {98, 1998}, {-1, 1899}})
        EXPECT_EQ(DateTimeText::fullYear(two), full) << two;
    const std::tuple<const char*, const char*, Timestamp> cases[] = {
        {"Mon 01.01.01", "0:00:00", local(2001, 1, 1, 0)},  {"Mon 31.02.98", "12:00:00", local(1998, 3, 3, 12)},
        {"Mon 05.01.98", "24:00:00", local(1998, 1, 6, 0)}, {"Mon 05.01.98", "7:75:00", local(1998, 1, 5, 8, 15)},
        {"Mon 05.13.98", "0:00:00", local(1999, 1, 5, 0)},  {"Mon 05.00.98", "0:00:00", local(1997, 12, 5, 0)},
        {"Mon 00.03.98", "0:00:00", local(1998, 2, 28, 0)}, {"Mon 05.01.1998", "7:05:00", INVALID_TIME},
        {"Mon 05.01.50", "7:05:00", INVALID_TIME},          {"Mon 05.01.2147483647", "7:05:00", INVALID_TIME},
        {"Mon 05.01.-2147483648", "7:05:00", INVALID_TIME},
    };
    for (const auto& [date, time, expected] : cases)
        EXPECT_EQ(typed(date, time), expected) << date << " " << time;
}

TEST_F(AlarmEditorTest, EnablingFollowsTheCheckBoxes)
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

TEST_F(AlarmEditorTest, FieldsShowTheAlarmAndTheFlagsAreBuiltAfreshFromTheBoxes)
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

TEST_F(AlarmEditorTest, CalendarFillsItsFiveRowsColumnByColumn)
{
    // Year, month, chosen day, and the cells row by row: "." for a blank one, the chosen one in brackets.
    const std::tuple<int, int, int, std::string> rows[] = {
        {1998, 2, 8, ". . . . . . 1 2 3 4 5 6 7 [8] 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 ."},
        {1998, 3, 31, ". . . . . . 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29"},
        {1970, 1, 1, ". . . [1] 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 ."}};
    for (const auto& [year, month, chosen, expected] : rows) {
        const std::vector<CalendarMonth::Cell> cells = calendar.cells(year, month, chosen);
        std::string shown;
        for (int r = 0; r < 5; ++r)
            for (int column = 0; column < 7; ++column) {
                const CalendarMonth::Cell& cell = cells.at(column * 5 + r);  // inserted column by column
                const std::string text = cell.text.empty() ? "." : cell.text;
                shown += (shown.empty() ? "" : " ") + (cell.chosen ? "[" + text + "]" : text);
            }
        EXPECT_EQ(shown, expected);
    }
    // The 31st carries into March; a year the grid does not show becomes 1970.
    EXPECT_EQ(calendar.dateText(1998, 2, 31) + " " + calendar.dateText(2040, 5, 1), "Tue 03.03.98 Fri 01.05.70");
    EXPECT_EQ(calendar.openingDate(INVALID_TIME, MONDAY_MORNING).day, 5) << "an alarm with no date opens on today";
    EXPECT_EQ(texts.monthName(1) + " " + texts.monthName(12), "January December");
}

TEST_F(AlarmEditorTest, TimeListHoldsQuarterHoursOrDayCountsAndOpensOnTheFieldsValue)
{
    const std::vector<std::string> times = time_list::entries(TimeListMode::TimeOfDay);
    const std::vector<std::string> days = time_list::entries(TimeListMode::Days);
    ASSERT_TRUE(times.size() == 96 && days.size() == 16);
    EXPECT_EQ(times[0] + " " + times[1] + " " + times[4] + " " + times[95], "0:0 0:15 1:0 23:45");
    EXPECT_EQ(days[0] + days[2] + days[15], "0 " + DAYS + "4 " + DAYS + "30 " + DAYS);
    EXPECT_EQ(time_list::handedBack(TimeListMode::TimeOfDay, times[48]) +
                  time_list::handedBack(TimeListMode::Days, days[2]),
              "12:0:004 " + DAYS);
    const std::tuple<TimeListMode, std::string, int> rows[] = {
        {TimeListMode::TimeOfDay, "12:00:00", 48}, {TimeListMode::TimeOfDay, "7:15:30", -1},
        {TimeListMode::TimeOfDay, "7:05:00", -1},  {TimeListMode::Days, "04 " + DAYS, 2},
        {TimeListMode::Days, "03", -1}};
    for (const auto& [mode, field, entry] : rows)
        EXPECT_EQ(time_list::entryOf(mode, field), entry) << field;
}

TEST_F(AlarmEditorTest, SetupListsThemeFoldersAndReadsSilenceBoundsAsUnsigned16BitParts)
{
    platform.folders["C:\\Q\\speak\\*.*"] = {{".", true}, {"..", true}, {"Ru", true}, {"a.txt", false}, {"X", true}};
    EXPECT_EQ(setup_fields::themeNames(platform, "C:\\Q"), (std::vector<std::string>{"Ru", "X"}));
    EXPECT_EQ(setup_fields::silenceText(texts, 90000), "1:00:00") << "the hours of the day";
    const std::pair<const char*, int> bounds[] = {
        {"22:00:00", 79200}, {"25:00:00", 90000}, {"-1:00:00", 65535 * 3600}, {"0:-1:0", 65535 * 60}, {"abc", 0}};
    for (const auto& [text, seconds] : bounds)
        EXPECT_EQ(setup_fields::silenceSeconds(text), seconds) << text;
}
