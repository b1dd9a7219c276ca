// An up-down control of a dialog.
#pragma once

#include <commctrl.h>

#include "platform/win32/framework/wnd.h"

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
    int SetPos(short position) { return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(position, 0))); }
};
