// What the open-file dialog of a browse button is asked for.
#pragma once

#include <string>

// The title is the program's own text (Windows-1251); the filter uses '|'
// between its parts; the initial folder is in the system code page.
struct FileChoice {
    std::string title;
    std::string filter;
    std::string initialFolder;
};
