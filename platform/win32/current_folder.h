// The process's current folder, the one the program keeps its files in.
#pragma once

#include <string>

// The folder in the system code page, whatever its length, without a
// trailing backslash except at a drive root. False when it cannot be read or
// its name cannot be written in that code page.
bool currentFolder(std::string& folder);
