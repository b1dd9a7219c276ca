#include "app/win32/alarm_app.h"

#include <objbase.h>

#include "app/app_paths.h"
#include "app/win32/file_identity.h"
#include "app/win32/single_instance.h"
#include "platform/win32/win32_platform.h"
#include "scheduler/alarm_engine.h"
#include "ui/win32/main_dialog.h"

namespace {

const DWORD START_WAIT_MS = 3000;

const char* const FOLDER_UNUSABLE =
    "The program keeps its settings file TIVRA.INI in the folder it is started in, but this folder's name is too "
    "long for it or holds characters the program cannot use. Start the program from another folder.\r\n";

}  // namespace

AlarmApp::AlarmApp() = default;

AlarmApp::~AlarmApp() = default;

BOOL AlarmApp::InitInstance()
{
    // A folder whose settings file the file calls cannot reach is refused:
    // another file must never be used in its place.
    std::string folder;
    const bool named = Win32Platform::currentFolder(folder);
    const AppPaths paths = app_paths::fromCurrentDirectory(folder);
    if (!named || !app_paths::fitsFileCalls(paths)) {
        NoticeBox(FOLDER_UNUSABLE, folder, nullptr);
        return FALSE;
    }
    startFolder = paths.startFolder;

    // The settings file itself, not the spelling of its path: the same file
    // reached through another drive letter, a link or a short name is no
    // other file.
    const std::vector<std::string> instanceNames = app_paths::instanceNames(
        paths, file_identity::of(paths.settingsFile), file_identity::of(paths.startFolder));
    m_singleInstance.reset(new SingleInstance(instanceNames));
    if (m_singleInstance->anotherCopyRuns()) {
        m_singleInstance->activateOtherCopy(MainDialog::ShowRequestMessage());
        return FALSE;
    }

    // Programs are started through the shell on this thread; shortcuts, URLs
    // and some documents need COM for that.
    m_comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    m_platform.reset(new Win32Platform(paths.settingsFile));
    m_platform->cleanUpSettingsFolder();
    // A settings file held for a moment at start (a scanner at logon) is
    // waited for a few seconds; after that the alarm engine keeps trying.
    for (const DWORD start = GetTickCount(); !m_platform->settingsReadable() && GetTickCount() - start < START_WAIT_MS;)
        Sleep(250);
    m_engine.reset(new AlarmEngine(*m_platform, startFolder));
    // The window deletes itself when it is destroyed at exit.
    MainDialog* mainWindow = new MainDialog(*m_engine, *m_platform, instanceNames);
    SetMainWnd(mainWindow);
    return TRUE;
}

int AlarmApp::ExitInstance(int exitCode)
{
    // The alarms go with the engine once the window is gone; launched
    // programs keep running.
    m_engine.reset();
    m_platform.reset();
    if (m_comReady)
        CoUninitialize();
    return exitCode;
}
