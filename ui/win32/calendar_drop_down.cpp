#include "ui/win32/calendar_drop_down.h"

#include <algorithm>
#include <cstdio>

#include "platform/win32/framework/data_exchange.h"
#include "resource.h"

namespace {

const int MONTHS = 12;
// The longest cell text taken from the grid.
const int CELL_LIMIT = 9;

}  // namespace

CalendarDropDown::CalendarDropDown(CWnd& opener, HWND field, Platform& platform, const LocalTime& date)
    : DropDownPopup(IDD_CALENDAR, opener, field),
      m_texts(platform),
      m_calendar(platform),
      m_day(date.day),
      m_month(date.month),
      m_year(static_cast<unsigned>(date.year))
{}

void CalendarDropDown::open(CWnd& opener, HWND field, Platform& platform, const LocalTime& date)
{
    DropDownPopup::open(new CalendarDropDown(opener, field, platform, date));
}

void CalendarDropDown::DoDataExchange(CDataExchange* dx)
{
    DdxControl(dx, IDC_CALENDAR_MONTH, m_monthBox);
    DdxControl(dx, IDC_CALENDAR_SPIN, m_spin);
    DdxControl(dx, IDC_CALENDAR_GRID, m_grid);
    DdxText(dx, IDC_CALENDAR_YEAR, m_year);
    DdvMinMaxUnsigned(dx, m_year, CalendarMonth::LOWEST_TYPED_YEAR, CalendarMonth::HIGHEST_TYPED_YEAR);
}

BOOL CalendarDropDown::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_spin.SetRange(static_cast<short>(m_calendar.firstYear()), static_cast<short>(m_calendar.lastYear()));
    m_spin.SetPos(static_cast<short>(m_year));
    // Put at the end one by one, the names stand in calendar order although
    // the box sorts what is added.
    for (int month = 1; month <= MONTHS; ++month)
        m_monthBox.InsertString(-1, m_texts.monthName(month));
    m_monthBox.SetCurSel(m_month - 1);
    m_ready = true;
    buildGrid();
    fitFiveRows();
    return TRUE;
}

namespace {

void growDown(HWND window, int pixels)
{
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CalendarDropDown::fitFiveRows()
{
    // The grid is meant to hold its five rows exactly; where the system's
    // font makes the rows taller than the template allows for, the grid and
    // the pop-up grow until they do.
    RECT cell = {LVIR_BOUNDS};
    if (!m_grid.SendMessage(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cell)))
        return;
    const int step = std::max<int>(1, (cell.bottom - cell.top) / 4);
    const LRESULT allCells = CalendarMonth::COLUMNS * CalendarMonth::ROWS;
    for (int grown = 0; grown < 40 && m_grid.SendMessage(LVM_GETCOUNTPERPAGE) < allCells; ++grown) {
        growDown(m_grid.GetSafeHwnd(), step);
        growDown(m_hWnd, step);
    }
}

void CalendarDropDown::buildGrid()
{
    m_grid.DeleteAllItems();
    const std::vector<CalendarMonth::Cell> cells = m_calendar.cells(m_year, m_month, m_day);
    if (cells.empty())
        return;
    const UINT chosen = LVIS_SELECTED | LVIS_FOCUSED;
    const UINT none = 0;
    for (size_t i = 0; i < cells.size(); ++i)
        m_grid.InsertItem(static_cast<int>(i), cells[i].text, cells[i].chosen ? chosen : none, chosen);
    // A seventh of the grid each: the columns stand under the day names of
    // the header above the grid, which is as wide as the grid.
    RECT area;
    GetClientRect(m_grid.GetSafeHwnd(), &area);
    m_grid.SetListColumnWidth(area.right / CalendarMonth::COLUMNS);
}

BOOL CalendarDropDown::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDC_CALENDAR_MONTH:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            m_month = m_monthBox.GetCurSel() + 1;
            buildGrid();
        }
        return TRUE;
    case IDC_CALENDAR_YEAR:
        if (HIWORD(wParam) == EN_CHANGE)
            yearTyped();
        return TRUE;
    default:
        return FALSE;
    }
}

void CalendarDropDown::yearTyped()
{
    // A year the grid does not show (or one still being typed) leaves the
    // grid on the previous year.
    int year = 0;
    if (!m_ready || std::sscanf(GetDlgItemText(IDC_CALENDAR_YEAR).c_str(), "%d", &year) != 1 ||
        !m_calendar.showsYear(year))
        return;
    UpdateData(TRUE);
    buildGrid();
}

BOOL CalendarDropDown::OnNotify(NMHDR* header, LRESULT* result)
{
    if (header->idFrom != IDC_CALENDAR_GRID || header->code != NM_CLICK)
        return FALSE;
    *result = 0;
    pickDay();
    return TRUE;
}

void CalendarDropDown::pickDay()
{
    // A blank cell, or a click beside the cells, picks nothing.
    const int selected = m_grid.GetNextItem(-1, LVNI_SELECTED);
    if (selected < 0)
        return;
    int day = 0;
    if (std::sscanf(m_grid.GetItemText(selected, 0, CELL_LIMIT).c_str(), "%d", &day) != 1)
        return;
    m_day = day;
    handBackAndClose();
}

std::optional<std::string> CalendarDropDown::choice()
{
    // A year box that does not hold a year from 1900 to 3000 shows the
    // framework's message; the date is handed back all the same.
    UpdateData(TRUE);
    return m_calendar.dateText(m_year, m_monthBox.GetCurSel() + 1, m_day);
}
