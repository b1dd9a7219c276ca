// The time drop-down list: times of day in quarter hours, or day counts in
// steps of two, under a field of the editor or the setup dialog. A click on
// an entry, Enter, Esc or leaving the list hands back the entry that has the
// focus; the list opens with the focus on the entry of the field's value, if
// it has one, and otherwise with none. A list left untouched (no click, the
// focus where it opened) never changes the field.
#pragma once

#include <string>

#include "platform/win32/framework/list_ctrl.h"
#include "ui/time_list.h"
#include "ui/win32/drop_down_popup.h"

class TimeDropDown : public DropDownPopup {
public:
    // Opens the list under the field, which gets the choice.
    static void open(CWnd& opener, HWND field, TimeListMode mode);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnNotify(NMHDR* header, LRESULT* result) override;
    std::optional<std::string> choice() override;
    std::string fieldText() override;
    void setFieldText(const std::string& text) override;

private:
    TimeDropDown(CWnd& opener, HWND field, TimeListMode mode);

    TimeListMode m_mode;
    int m_openedOn = -1;  // the entry of the field's value, or -1
    bool m_clicked = false;
    CListCtrl m_list;
};
