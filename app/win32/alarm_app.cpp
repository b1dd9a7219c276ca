#include "app/win32/alarm_app.h"

#include "app/app_paths.h"
#include "app/win32/single_instance.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/main_dialog.h"

AlarmApp::AlarmApp() = default;

AlarmApp::~AlarmApp() = default;

BOOL AlarmApp::InitInstance()
{
    char folder[MAX_PATH + 1] = {0};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    const AppPaths paths = app_paths::fromCurrentDirectory(std::string(folder, length < MAX_PATH ? length : 0));
    startFolder = paths.startFolder;
    SetHelpFilePath(paths.helpFile);
    SetProfileName(paths.settingsFile);

    const std::string instanceName = app_paths::instanceName(paths.settingsFile);
    m_singleInstance.reset(new SingleInstance(instanceName));
    if (m_singleInstance->anotherCopyRuns()) {
        m_singleInstance->activateOtherCopy(MainDialog::ShowRequestMessage());
        return FALSE;
    }

    m_platform.reset(new Win32Platform(paths.settingsFile));
    m_platform->cleanUpSettingsFolder();
    // The window deletes itself when it is destroyed at exit.
    MainDialog* mainWindow = new MainDialog(*m_platform, instanceName, startFolder);
    SetMainWnd(mainWindow);
    return TRUE;
}
