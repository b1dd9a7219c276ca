// The About box: the program's icon, name and version, and OK.
#pragma once

#include "platform/win32/framework/dialog.h"

class AboutDialog : public CDialog {
public:
    AboutDialog();
};
