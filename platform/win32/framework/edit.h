// An edit control of a dialog.
#pragma once

#include "platform/win32/framework/wnd.h"

class CEdit : public CWnd {
public:
    // Limits what the user can type to the given number of characters.
    void LimitText(int characters) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
};
