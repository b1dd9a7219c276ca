#include "app/win32/alarm_app.h"

#include <objbase.h>

#include "app/app_paths.h"
#include "app/win32/file_identity.h"
#include "app/win32/single_instance.h"
#include "platform/win32/current_folder.h"
#include "platform/win32/win32_platform.h"

namespace {

const DWORD START_WAIT_MS = 3000;

const char* const FOLDER_UNUSABLE =
    "The program keeps its settings file TIVRA.INI in the folder it is started in, but this folder's name is too "
    "long for it or holds characters the program cannot use. Start the program from another folder.\r\n";

}  // namespace

AlarmApp::AlarmApp() = default;

AlarmApp::~AlarmApp()
{
    // Only a run ended by an exception leaves the window standing here.
    if (m_mainWindow && m_mainWindow->GetSafeHwnd() != nullptr)
        m_mainWindow->DestroyWindow();
}

BOOL AlarmApp::InitInstance()
{
    // A folder whose settings file the file calls cannot reach is refused:
    // another file must never be used in its place.
    std::string folder;
    const bool named = currentFolder(folder);
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
    m_platform.reset(new Win32Platform(paths.settingsFile, m_notices));
    m_platform->cleanUpSettingsFolder();
    // A settings file held for a moment at start (a scanner at logon) is
    // waited for a few seconds; after that the alarm engine keeps trying.
    for (const DWORD start = GetTickCount(); !m_platform->settingsReadable() && GetTickCount() - start < START_WAIT_MS;)
        Sleep(250);
    m_engine.reset(new AlarmEngine(*m_platform, m_notices, startFolder));
    m_mainWindow.emplace(*m_engine, *m_platform, m_notices, instanceNames);
    if (!m_mainWindow->Create())
        return FALSE;
    SetMainWnd(&*m_mainWindow);
    return TRUE;
}

int AlarmApp::ExitInstance(int exitCode)
{
    // The alarms go with the engine once the window is gone; launched
    // programs keep running.
    m_mainWindow.reset();
    m_engine.reset();
    m_platform.reset();
    if (m_comReady)
        CoUninitialize();
    return exitCode;
}
