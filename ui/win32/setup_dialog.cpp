#include "ui/win32/setup_dialog.h"

#include "platform/win32/framework/data_exchange.h"
#include "resource.h"
#include "ui/setup_fields.h"
#include "ui/time_list.h"
#include "ui/win32/time_drop_down.h"

SetupDialog::SetupDialog(Platform& platform, const std::string& startFolder, const std::string& theme,
                         const SilencePeriod& silence)
    : CDialog(IDD_SETUP),
      m_platform(platform),
      m_texts(platform),
      m_startFolder(startFolder),
      m_themeName(theme),
      m_silence(silence)
{}

void SetupDialog::DoDataExchange(CDataExchange* dx)
{
    DdxComboText(dx, IDC_SETUP_THEME, m_themeName);
    DdxText(dx, IDC_SETUP_SILENCE_FROM, m_fromText);
    DdxText(dx, IDC_SETUP_SILENCE_TO, m_toText);
}

BOOL SetupDialog::OnInitDialog()
{
    for (int id : {IDC_SETUP_FROM_DROP, IDC_SETUP_TO_DROP})
        SetButtonIcon(id, IDI_DROP_DOWN);
    m_themeBox.Attach(GetDlgItem(IDC_SETUP_THEME));
    for (const std::string& theme : setup_fields::themeNames(m_platform, m_startFolder))
        m_themeBox.AddString(theme);
    m_fromText = setup_fields::silenceText(m_texts, m_silence.from);
    m_toText = setup_fields::silenceText(m_texts, m_silence.to);
    return CDialog::OnInitDialog();  // the list holds the themes: the current one is selected
}

BOOL SetupDialog::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_SETUP_FROM_DROP:
        openTimeList(IDC_SETUP_SILENCE_FROM);
        return TRUE;
    case IDC_SETUP_TO_DROP:
        openTimeList(IDC_SETUP_SILENCE_TO);
        return TRUE;
    default:
        return FALSE;
    }
}

void SetupDialog::openTimeList(int fieldId)
{
    // The theme named at this press is the one loaded should the dialog be
    // cancelled; the list puts its choice straight into the field.
    UpdateData(TRUE);
    TimeDropDown::open(*this, GetDlgItem(fieldId), TimeListMode::TimeOfDay);
}

void SetupDialog::OnDestroy()
{
    // After OK the texts are those just taken from the fields; after Cancel,
    // those of the opening or of the last drop-down press.
    m_silence.from = setup_fields::silenceSeconds(m_fromText);
    m_silence.to = setup_fields::silenceSeconds(m_toText);
}
