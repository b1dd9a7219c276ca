// The application object: it fixes where the settings file is (the folder
// current at start-up), creates the alarm engine and the hidden main window
// that shows it, and lets the message loop run until that window is
// destroyed. The window lives exactly as long as the application.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/framework/win_app.h"
#include "scheduler/alarm_engine.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/notice_boxes.h"

class SingleInstance;
class Win32Platform;

class AlarmApp : public CWinApp {
public:
    AlarmApp();
    ~AlarmApp() override;

    BOOL InitInstance() override;
    int ExitInstance(int exitCode) override;

    std::string startFolder;

private:
    // Whether COM was initialised for this thread, and so must be
    // uninitialised at the end.
    bool m_comReady = false;
    std::unique_ptr<SingleInstance> m_singleInstance;
    // Before the platform and the engine, which tell the user through it.
    NoticeBoxes m_notices;
    std::unique_ptr<Win32Platform> m_platform;
    std::unique_ptr<AlarmEngine> m_engine;
    // After the engine it views; made once the engine exists.
    std::optional<MainDialog> m_mainWindow;
};
