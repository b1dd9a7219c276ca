// The calendar drop-down under the editor's date field: a month box, a year
// box with its up-down control and a grid of the month's days. Picking a
// day, Enter, Esc or leaving the pop-up hands the date back as date text.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/win32/framework/combo_box.h"
#include "platform/win32/framework/list_ctrl.h"
#include "platform/win32/framework/spin_button_ctrl.h"
#include "ui/calendar_month.h"
#include "ui/date_time_text.h"
#include "ui/win32/drop_down_popup.h"

class CalendarDropDown : public DropDownPopup {
public:
    // Opens the calendar under the field on the date; the field gets the date text.
    static void open(CWnd& opener, HWND field, Platform& platform, const LocalTime& date);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(NMHDR* header, LRESULT* result) override;
    std::optional<std::string> choice() override;

private:
    CalendarDropDown(CWnd& opener, HWND field, Platform& platform, const LocalTime& date);

    void buildGrid();
    void fitFiveRows();
    void yearTyped();
    void pickDay();

    DateTimeText m_texts;
    CalendarMonth m_calendar;
    int m_day;
    int m_month;
    unsigned m_year;
    bool m_ready = false;
    CComboBox m_monthBox;
    CSpinButtonCtrl m_spin;
    CListCtrl m_grid;
};
