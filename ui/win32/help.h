// The program's help, opened by the Help button.
#pragma once

#include <windows.h>

// Opens ".\tivra.hlp" with the help viewer when the current folder holds it,
// otherwise the user guide TIVRA.HTM beside the program (or in the current
// folder) in the default browser; nothing when neither is there.
void openHelp(HWND owner);
