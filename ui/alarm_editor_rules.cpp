#include "ui/alarm_editor_rules.h"

#include <algorithm>

#include "resource.h"
#include "ui/date_time_text.h"

const std::array<EditorCheckBox, 12> EditorValues::CHECK_BOXES = {{
    {IDC_EDIT_REPEAT, ALARM_REPEAT},
    {IDC_EDIT_IN_TIME, ALARM_IN_TIME},
    {IDC_EDIT_AUTODELETE, ALARM_AUTODELETE},
    {IDC_EDIT_SHOW_MESSAGE, ALARM_SHOW_MESSAGE},
    {IDC_EDIT_SAY_TIME, ALARM_SAY_TIME},
    {IDC_EDIT_PLAY_WAVE, ALARM_PLAY_WAVE},
    {IDC_EDIT_EXECUTE, ALARM_EXECUTE},
    {IDC_EDIT_WAIT_FOR_USER_AWAY, ALARM_WAIT_FOR_USER_AWAY},
    {IDC_EDIT_EXECUTE_WHEN_PREVIOUS_CLOSED, ALARM_EXECUTE_WHEN_PREVIOUS_CLOSED},
    {IDC_EDIT_CLOSE_AFTER, ALARM_CLOSE_AFTER},
    {IDC_EDIT_CLOSE_WHEN_USER_BACK, ALARM_CLOSE_WHEN_USER_BACK},
    {IDC_EDIT_CLOSE_ON_NEXT_EXECUTE, ALARM_CLOSE_ON_NEXT_EXECUTE},
}};

const char* const AlarmEditorRules::WINDOW_SIZES[3] = {"Normal", "Minimize", "Maximize"};
const char* const AlarmEditorRules::ENTER_DATE = "Please enter a date from 1970 to 2037.";
const char* const AlarmEditorRules::ENTER_TIME = "Please enter a time such as 7:30:00.";
const char* const AlarmEditorRules::ENTER_INTERVAL = "Please enter a repeat interval of at least 1 second.";

namespace {

const char* const NORMAL = AlarmEditorRules::WINDOW_SIZES[0];
const char* const MINIMIZE = AlarmEditorRules::WINDOW_SIZES[1];
const char* const MAXIMIZE = AlarmEditorRules::WINDOW_SIZES[2];

// "Открыть звуковой файл" and "Открыть приложение" (open a sound file, open
// an application) in Windows-1251.
const char* const OPEN_SOUND_FILE = "\xCE\xF2\xEA\xF0\xFB\xF2\xFC \xE7\xE2\xF3\xEA\xEE\xE2\xEE\xE9 \xF4\xE0\xE9\xEB";
const char* const OPEN_APPLICATION = "\xCE\xF2\xEA\xF0\xFB\xF2\xFC \xEF\xF0\xE8\xEB\xEE\xE6\xE5\xED\xE8\xE5";

}  // namespace

namespace {

// The place of a check box in the values; past the end for no box.
size_t boxIndex(int controlId)
{
    const auto& boxes = EditorValues::CHECK_BOXES;
    const auto box =
        std::find_if(boxes.begin(), boxes.end(), [&](const EditorCheckBox& b) { return b.controlId == controlId; });
    return static_cast<size_t>(box - boxes.begin());
}

}  // namespace

int& EditorValues::check(int controlId)
{
    return checks.at(boxIndex(controlId));
}

bool EditorValues::isChecked(int controlId) const
{
    return checks.at(boxIndex(controlId)) != 0;
}

AlarmEditorRules::AlarmEditorRules(Platform& platform) : m_fields(platform) {}

EditorValues AlarmEditorRules::valuesOf(const Alarm& alarm)
{
    EditorValues values;
    values.message = alarm.message;
    values.waveFile = alarm.waveFile;
    values.commandLine = alarm.commandLine;
    values.workingFolder = alarm.workingFolder;
    values.repeatCount = alarm.repeatCount;
    for (size_t i = 0; i < EditorValues::CHECK_BOXES.size(); ++i)
        values.checks[i] = (alarm.flags & EditorValues::CHECK_BOXES[i].flag) != 0 ? 1 : 0;
    values.windowSize = windowSizeText(alarm.flags);
    EditorFields::Values times;
    times.time = alarm.time;
    times.repeatInterval = alarm.repeatInterval;
    times.closeAfter = alarm.closeAfter;
    values.texts = m_fields.format(times);
    return values;
}

Alarm AlarmEditorRules::alarmOf(const EditorValues& values)
{
    Alarm alarm;
    const EditorFields::Values times = m_fields.read(values.texts);
    alarm.time = times.time;
    alarm.repeatInterval = times.repeatInterval;
    alarm.closeAfter = times.closeAfter;
    alarm.message = values.message;
    alarm.waveFile = values.waveFile;
    alarm.commandLine = values.commandLine;
    alarm.workingFolder = values.workingFolder;
    alarm.repeatCount = values.repeatCount;
    alarm.flags = windowSizeFlags(values.windowSize);
    for (size_t i = 0; i < EditorValues::CHECK_BOXES.size(); ++i)
        if (values.checks[i] != 0)
            alarm.flags |= EditorValues::CHECK_BOXES[i].flag;
    return alarm;
}

std::vector<AlarmEditorRules::Enabling> AlarmEditorRules::enabling(const EditorValues& values)
{
    const bool repeat = values.isChecked(IDC_EDIT_REPEAT);
    const bool wave = values.isChecked(IDC_EDIT_PLAY_WAVE);
    const bool execute = values.isChecked(IDC_EDIT_EXECUTE);
    const bool closeAfter = execute && values.isChecked(IDC_EDIT_CLOSE_AFTER);
    std::vector<Enabling> result;
    for (int id : {IDC_EDIT_REPEAT_DAYS, IDC_EDIT_REPEAT_DAYS_DROP, IDC_EDIT_REPEAT_TIME, IDC_EDIT_REPEAT_TIME_DROP,
                   IDC_EDIT_REPEAT_COUNT})
        result.push_back({id, repeat});
    // A disabled Autodelete keeps its check mark and its flag.
    result.push_back({IDC_EDIT_AUTODELETE, !repeat});
    for (int id : {IDC_EDIT_WAVE_FILE, IDC_EDIT_WAVE_BROWSE})
        result.push_back({id, wave});
    for (int id : {IDC_EDIT_COMMAND_LINE, IDC_EDIT_WORKING_FOLDER, IDC_EDIT_WINDOW_SIZE, IDC_EDIT_WAIT_FOR_USER_AWAY,
                   IDC_EDIT_EXECUTE_WHEN_PREVIOUS_CLOSED, IDC_EDIT_CLOSE_AFTER, IDC_EDIT_PROGRAM_BROWSE,
                   IDC_EDIT_CLOSE_WHEN_USER_BACK, IDC_EDIT_CLOSE_ON_NEXT_EXECUTE})
        result.push_back({id, execute});
    for (int id : {IDC_EDIT_CLOSE_AFTER_TIME, IDC_EDIT_CLOSE_AFTER_DROP})
        result.push_back({id, closeAfter});
    return result;
}

AlarmEditorRules::Problem AlarmEditorRules::check(const EditorValues& values)
{
    // The settings file keeps each text only up to its length: a longer one
    // (put in by a browse button, say) would be another alarm after the next
    // start than the one in memory.
    const struct {
        int controlId;
        const std::string& text;
        std::size_t limit;
        const char* what;
    } texts[] = {{IDC_EDIT_MESSAGE, values.message, TEXT_LIMIT, "a message"},
                 {IDC_EDIT_WAVE_FILE, values.waveFile, WAVE_FILE_LIMIT, "a wave file path"},
                 {IDC_EDIT_COMMAND_LINE, values.commandLine, TEXT_LIMIT, "a command line"},
                 {IDC_EDIT_WORKING_FOLDER, values.workingFolder, TEXT_LIMIT, "a working folder path"}};
    for (const auto& field : texts)
        if (field.text.size() > field.limit)
            return Problem{field.controlId, "Please enter " + std::string(field.what) + " of at most " +
                                                std::to_string(field.limit) + " characters."};
    const Problem instant = checkInstant(values);
    if (instant.controlId != 0)
        return instant;
    // A repetition that does not move the alarm on would ring at every tick.
    if (values.isChecked(IDC_EDIT_REPEAT) && m_fields.read(values.texts).repeatInterval <= 0)
        return Problem{IDC_EDIT_REPEAT_DAYS, ENTER_INTERVAL};
    return Problem();
}

AlarmEditorRules::Problem AlarmEditorRules::checkInstant(const EditorValues& values)
{
    // An alarm with no instant would be stored and never fire.
    if (m_fields.read(values.texts).time != INVALID_TIME)
        return Problem();
    const bool onlyTimeWrong = DateTimeText::readClock(values.texts.timeOfDay).numbersRead == 0 &&
        DateTimeText::readDate(values.texts.date).numbersRead == DateTimeText::Date::NUMBERS;
    if (onlyTimeWrong)
        return Problem{IDC_EDIT_TIME, ENTER_TIME};
    return Problem{IDC_EDIT_DATE, ENTER_DATE};
}

std::string AlarmEditorRules::browsedProgram(const std::string& path)
{
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::string AlarmEditorRules::windowSizeText(std::uint32_t flags)
{
    if ((flags & ALARM_WINDOW_MINIMIZED) != 0)
        return MINIMIZE;
    if ((flags & ALARM_WINDOW_MAXIMIZED) != 0)
        return MAXIMIZE;
    return NORMAL;
}

std::uint32_t AlarmEditorRules::windowSizeFlags(const std::string& text)
{
    // Case counts: a typed "minimize" is no choice of the list.
    if (text == MINIMIZE)
        return ALARM_WINDOW_MINIMIZED;
    if (text == MAXIMIZE)
        return ALARM_WINDOW_MAXIMIZED;
    return 0;
}

FileChoice AlarmEditorRules::waveFileChoice(const std::string& currentFolder)
{
    return FileChoice{OPEN_SOUND_FILE, "Wave Files(*.wav)|*.wav|All Files|*.*||", currentFolder};
}

FileChoice AlarmEditorRules::programChoice()
{
    return FileChoice{OPEN_APPLICATION, "Executable Files|*.exe;*.com;*.bat;*.lnk|All Files|*.*||", "c:\\"};
}
