#include "ui/win32/alarm_editor_dialog.h"

#include "platform/win32/current_folder.h"
#include "platform/win32/framework/data_exchange.h"
#include "resource.h"
#include "ui/win32/calendar_drop_down.h"
#include "ui/win32/file_chooser.h"
#include "ui/win32/time_drop_down.h"

namespace {

// The wave file dialog opens in the current folder; where it cannot be named,
// wherever the system chooses.
std::string currentFolderOrNone()
{
    std::string folder;
    return currentFolder(folder) ? folder : std::string();
}

}  // namespace

AlarmEditorDialog::AlarmEditorDialog(Platform& platform, const Alarm& alarm)
    : CDialog(IDD_ALARM_EDITOR), m_platform(platform), m_rules(platform), m_alarm(alarm)
{}

void AlarmEditorDialog::DoDataExchange(CDataExchange* dx)
{
    DdxText(dx, IDC_EDIT_MESSAGE, m_values.message);
    DdxText(dx, IDC_EDIT_DATE, m_values.texts.date);
    DdxText(dx, IDC_EDIT_TIME, m_values.texts.timeOfDay);
    DdxOwnText(dx, IDC_EDIT_REPEAT_DAYS, m_values.texts.dayCount);
    DdxText(dx, IDC_EDIT_REPEAT_TIME, m_values.texts.repeatTime);
    DdxText(dx, IDC_EDIT_WAVE_FILE, m_values.waveFile);
    DdxText(dx, IDC_EDIT_COMMAND_LINE, m_values.commandLine);
    DdxText(dx, IDC_EDIT_WORKING_FOLDER, m_values.workingFolder);
    DdxComboText(dx, IDC_EDIT_WINDOW_SIZE, m_values.windowSize);
    DdxText(dx, IDC_EDIT_CLOSE_AFTER_TIME, m_values.texts.closeAfter);
    for (const EditorCheckBox& box : EditorValues::CHECK_BOXES)
        DdxCheck(dx, box.controlId, m_values.check(box.controlId));
    // Last: the only field that can be refused, so a refusal leaves every
    // other value read.
    DdxText(dx, IDC_EDIT_REPEAT_COUNT, m_values.repeatCount);
}

BOOL AlarmEditorDialog::OnInitDialog()
{
    setIcons();
    m_windowSize.Attach(GetDlgItem(IDC_EDIT_WINDOW_SIZE));
    for (const char* size : AlarmEditorRules::WINDOW_SIZES)
        m_windowSize.AddString(size);
    for (const auto& [id, limit] : {std::pair{IDC_EDIT_MESSAGE, TEXT_LIMIT},
                                    {IDC_EDIT_WAVE_FILE, WAVE_FILE_LIMIT},
                                    {IDC_EDIT_COMMAND_LINE, TEXT_LIMIT},
                                    {IDC_EDIT_WORKING_FOLDER, TEXT_LIMIT}}) {
        SendDlgItemMessageA(m_hWnd, id, EM_LIMITTEXT, limit, 0);
    }
    m_values = m_rules.valuesOf(m_alarm);
    applyEnabling();
    return CDialog::OnInitDialog();
}

void AlarmEditorDialog::setIcons()
{
    for (int id : {IDC_EDIT_DATE_DROP, IDC_EDIT_TIME_DROP, IDC_EDIT_REPEAT_DAYS_DROP, IDC_EDIT_REPEAT_TIME_DROP,
                   IDC_EDIT_CLOSE_AFTER_DROP})
        SetButtonIcon(id, IDI_DROP_DOWN);
    SetButtonIcon(IDC_EDIT_WAVE_BROWSE, IDI_NOTES);
    SetButtonIcon(IDC_EDIT_PROGRAM_BROWSE, IDI_FOLDER);
}

void AlarmEditorDialog::applyEnabling()
{
    for (const AlarmEditorRules::Enabling& control : AlarmEditorRules::enabling(m_values))
        ::EnableWindow(GetDlgItem(control.controlId), control.enabled ? TRUE : FALSE);
}

void AlarmEditorDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const AlarmEditorRules::Problem problem = m_rules.check(m_values);
    if (problem.controlId != 0) {
        CDataExchange refusal(*this, true);
        refusal.Fail(problem.controlId, problem.message);
        return;
    }
    EndDialog(IDOK);
}

BOOL AlarmEditorDialog::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_EDIT_REPEAT:
    case IDC_EDIT_PLAY_WAVE:
    case IDC_EDIT_EXECUTE:
    case IDC_EDIT_CLOSE_AFTER:
        checkBoxClicked();
        return TRUE;
    case IDC_EDIT_WAVE_BROWSE:
        browse(IDC_EDIT_WAVE_FILE, AlarmEditorRules::waveFileChoice(currentFolderOrNone()));
        return TRUE;
    case IDC_EDIT_PROGRAM_BROWSE:
        browse(IDC_EDIT_COMMAND_LINE, AlarmEditorRules::programChoice());
        return TRUE;
    case IDC_EDIT_DATE_DROP:
        openCalendar();
        return TRUE;
    case IDC_EDIT_TIME_DROP:
        TimeDropDown::open(*this, GetDlgItem(IDC_EDIT_TIME), TimeListMode::TimeOfDay);
        return TRUE;
    case IDC_EDIT_REPEAT_DAYS_DROP:
        TimeDropDown::open(*this, GetDlgItem(IDC_EDIT_REPEAT_DAYS), TimeListMode::Days);
        return TRUE;
    case IDC_EDIT_REPEAT_TIME_DROP:
        TimeDropDown::open(*this, GetDlgItem(IDC_EDIT_REPEAT_TIME), TimeListMode::TimeOfDay);
        return TRUE;
    case IDC_EDIT_CLOSE_AFTER_DROP:
        TimeDropDown::open(*this, GetDlgItem(IDC_EDIT_CLOSE_AFTER_TIME), TimeListMode::TimeOfDay);
        return TRUE;
    default:
        return FALSE;
    }
}

void AlarmEditorDialog::checkBoxClicked()
{
    // A refused count shows its message; the other values are taken all the same.
    UpdateData(TRUE);
    applyEnabling();
    UpdateData(FALSE);
}

void AlarmEditorDialog::browse(int fieldId, const FileChoice& choice)
{
    // Only the field gets the path, whole even where it is longer than the
    // field takes (OK then says so): the others keep what was typed in them.
    std::optional<std::string> path = chooseFile(choice);
    if (!path)
        return;
    if (fieldId == IDC_EDIT_COMMAND_LINE)
        path = AlarmEditorRules::browsedProgram(*path);
    SetDlgItemTextA(m_hWnd, fieldId, path->c_str());
}

void AlarmEditorDialog::openCalendar()
{
    // The calendar opens on the date the alarm had when the editor opened,
    // not on the text of the field.
    const LocalTime date = CalendarMonth(m_platform).openingDate(m_alarm.time, m_platform.now());
    CalendarDropDown::open(*this, GetDlgItem(IDC_EDIT_DATE), m_platform, date);
}

void AlarmEditorDialog::OnDestroy()
{
    // After OK the values are those just read from the controls; after
    // Cancel the caller does not take the alarm.
    m_alarm = m_rules.alarmOf(m_values);
}
