// A combo box of a dialog.
#pragma once

#include <string>

#include "platform/win32/framework/wnd.h"

class CComboBox : public CWnd {
public:
    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // Selects the first entry from the start that begins with the text, case ignored.
    int SelectString(const std::string& text);
    std::string GetLBText(int index) const;
};
