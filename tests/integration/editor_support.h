// Mouse, keyboard and dialog helpers for the tests of the editor and the
// setup dialog: real clicks and key presses, found dialogs and control texts.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "quorvel_process.h"

// Clicks in the middle of a window, or of an item when it is a list view.
void click(QuorvelProcess& program, HWND window, int item = -1, int times = 1);
// A visible dialog of the program that holds a control with the id.
HWND dialogWith(QuorvelProcess& program, int controlId, DWORD timeoutMs = 10000);
// The text of a control of the program's dialog, asked of the control itself.
std::string controlText(HWND dialog, int id);
// Presses keys together and releases them: {VK_MENU, 'R'} is Alt+R.
void pressKeys(std::initializer_list<WORD> keys);
// How many wave files of the folder were read since their access time was
// set back to 2000 (the file system notes a read of a file whose access time
// is not later than its last change); with setBack, sets it back afterwards.
int wavesRead(const std::string& folder, bool setBack);
