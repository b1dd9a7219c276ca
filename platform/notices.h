// The one thing the core and the platform ask of the user interface: to tell
// the user something (and to stop telling it once it no longer holds). The user interface implements it (a message box for
// each notice, in ui/win32) and hands it over at start; the tests record the
// notices.
#pragma once

#include <string>

class Notices {
public:
    virtual ~Notices() = default;

    // A box with OK and the exclamation icon, titled with the application's
    // name. text is the program's own text (ASCII or Windows-1251); detail,
    // in the system code page, follows it unchanged. The box never opens
    // inside the caller (the tick goes on; it opens once the program is back
    // in its message loop), in front, one at a time; a notice already open
    // or waiting is not repeated.
    virtual void showNotice(const std::string& text, const std::string& detail = std::string()) = 0;
    // The condition a notice told of has ended: that notice is no longer
    // shown; one waiting is dropped, one open is closed.
    virtual void withdrawNotice(const std::string& text) = 0;
};
