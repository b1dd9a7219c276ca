// The application object: it fixes where the settings and help files are
// (the folder current at start-up), creates the hidden main window and lets
// the message loop run until that window is destroyed.
#pragma once

#include <memory>
#include <string>

#include "platform/win32/framework/win_app.h"

class Win32Platform;
class SingleInstance;

class AlarmApp : public CWinApp {
public:
    AlarmApp();
    ~AlarmApp() override;

    BOOL InitInstance() override;

    std::string startFolder;

private:
    std::unique_ptr<SingleInstance> m_singleInstance;
    std::unique_ptr<Win32Platform> m_platform;
};
