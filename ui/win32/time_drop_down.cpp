#include "ui/win32/time_drop_down.h"

#include <algorithm>

#include "platform/win32/framework/data_exchange.h"
#include "platform/win32/framework/text_encoding.h"
#include "resource.h"

namespace {

// The list's column is this many average characters wide.
const int COLUMN_CHARACTERS = 8;

}  // namespace

TimeDropDown::TimeDropDown(CWnd& opener, HWND field, TimeListMode mode)
    : DropDownPopup(IDD_TIME_LIST, opener, field), m_mode(mode)
{}

void TimeDropDown::open(CWnd& opener, HWND field, TimeListMode mode)
{
    DropDownPopup::open(new TimeDropDown(opener, field, mode));
}

std::string TimeDropDown::fieldText()
{
    if (m_mode == TimeListMode::TimeOfDay)
        return DropDownPopup::fieldText();
    WideText text(static_cast<size_t>(::GetWindowTextLengthW(field())) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(field(), &text[0], static_cast<int>(text.size()))));
    return text_encoding::toOwnText(text);
}

void TimeDropDown::setFieldText(const std::string& text)
{
    // The day word is the program's own text: it goes in as UTF-16.
    if (m_mode == TimeListMode::TimeOfDay)
        DropDownPopup::setFieldText(text);
    else
        ::SetWindowTextW(field(), text_encoding::fromOwnText(text).c_str());
}

void TimeDropDown::DoDataExchange(CDataExchange* dx)
{
    DdxControl(dx, IDC_TIME_LIST, m_list);
}

BOOL TimeDropDown::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Eight average characters, but no wider than the list beside its
    // scroll bar, which would bring in a second scroll bar for nothing.
    HWND list = m_list.GetSafeHwnd();
    HDC dc = GetDC(list);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(list, dc);
    RECT area;
    GetClientRect(list, &area);
    const int width =
        std::min<int>(metrics.tmAveCharWidth * COLUMN_CHARACTERS, area.right - GetSystemMetrics(SM_CXVSCROLL));
    m_list.InsertColumn(0, std::string(), LVCFMT_LEFT, width);
    // The day word is the program's own text: the items are put in as UTF-16.
    const std::vector<std::string> entries = time_list::entries(m_mode);
    for (size_t i = 0; i < entries.size(); ++i)
        m_list.InsertItem(static_cast<int>(i), text_encoding::fromOwnText(entries[i]));
    m_openedOn = time_list::entryOf(m_mode, fieldText());
    if (m_openedOn >= 0) {
        m_list.SetItemState(m_openedOn, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(m_openedOn);
    }
    return TRUE;
}

BOOL TimeDropDown::OnNotify(NMHDR* header, LRESULT* result)
{
    if (header->idFrom != IDC_TIME_LIST || header->code != NM_CLICK)
        return FALSE;
    *result = 0;
    m_clicked = true;
    handBackAndClose();
    return TRUE;
}

std::optional<std::string> TimeDropDown::choice()
{
    const int focused = m_list.GetNextItem(-1, LVNI_FOCUSED);
    const std::vector<std::string> entries = time_list::entries(m_mode);
    const bool untouched = !m_clicked && focused == m_openedOn;
    if (untouched || focused < 0 || static_cast<size_t>(focused) >= entries.size())
        return std::nullopt;
    return time_list::handedBack(m_mode, entries[static_cast<size_t>(focused)]);
}
