#include "ui/win32/about_dialog.h"

#include "resource.h"

AboutDialog::AboutDialog() : CDialog(IDD_ABOUT) {}
