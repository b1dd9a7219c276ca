#include "ui/win32/main_dialog.h"

#include "platform/win32/framework/data_exchange.h"
#include "platform/win32/framework/win_app.h"
#include "platform/win32/win32_platform.h"
#include "resource.h"
#include "scheduler/options.h"
#include "scheduler/wake_plan.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/alarm_editor_dialog.h"
#include "ui/win32/alarm_message_dialog.h"
#include "ui/win32/setup_dialog.h"
#include "ui/window_settings.h"

namespace {

const char* const TRAY_TIP = "Quorvel";

// The broadcast the taskbar sends when it has been (re)started.
UINT taskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

std::string loadString(UINT id)
{
    char text[256] = {0};
    LoadStringA(CWinApp::Instance()->ResourceHandle(), id, text, sizeof text);
    return text;
}

HICON loadIcon(UINT id, int size)
{
    return static_cast<HICON>(LoadImageA(CWinApp::Instance()->ResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, size,
                                         size, LR_DEFAULTCOLOR));
}

}  // namespace

UINT MainDialog::ShowRequestMessage()
{
    static const UINT message = RegisterWindowMessageA("Quorvel.ShowMainWindow");
    return message;
}

UINT MainDialog::ExitRequestMessage()
{
    static const UINT message = RegisterWindowMessageA("Quorvel.ExitRequest");
    return message;
}

MainDialog::MainDialog(AlarmEngine& engine, Win32Platform& platform, const std::string& instanceName)
    : CDialog(IDD_MAIN),
      m_engine(engine),
      m_platform(platform),
      m_instanceName(instanceName),
      m_texts(platform),
      m_alarmList(m_texts),
      m_placement(platform)
{
    m_engine.setView(this);
    Create();
}

MainDialog::~MainDialog()
{
    m_engine.setView(nullptr);
    if (m_images != nullptr)
        ImageList_Destroy(m_images);
}

void MainDialog::DoDataExchange(CDataExchange* dx)
{
    DdxControl(dx, IDC_MAIN_TIME, m_timeField);
    DdxControl(dx, IDC_MAIN_LIST, m_alarmList);
}

BOOL MainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetPropA(m_hWnd, m_instanceName.c_str(), reinterpret_cast<HANDLE>(1));
    m_platform.setMainWindow(m_hWnd);
    m_trayIcon.add(m_hWnd, loadIcon(IDI_QUORVEL, GetSystemMetrics(SM_CXSMICON)), TRAY_TIP);
    setUpList();
    // The settings and the alarms, once the settings file can be read (at a
    // later tick when it cannot be read now).
    m_engine.loadSettings();
    m_tickTimer.start(m_hWnd);
    m_engine.setReplan([this] { aimTickTimer(); });
    m_placement.follow();
    return TRUE;
}

void MainDialog::setUpList()
{
    m_images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (UINT icon : {IDI_BELL, IDI_REPEAT, IDI_BELL_OFF}) {
        HICON handle = loadIcon(icon, 16);
        ImageList_AddIcon(m_images, handle);
        DestroyIcon(handle);
    }
    m_alarmList.SetImageList(m_images, LVSIL_SMALL);

    const ColumnWidths widths;  // until the settings are read
    m_alarmList.InsertColumn(0, loadString(IDS_ALARMS), LVCFMT_LEFT, widths.first);
    m_alarmList.InsertColumn(1, loadString(IDS_NOTES), LVCFMT_LEFT, widths.second, 1);
}

void MainDialog::settingsLoaded()
{
    m_placement.restore(m_hWnd);
    const ColumnWidths widths = window_settings::readColumnWidths(m_platform);
    m_alarmList.SetColumnWidth(0, widths.first);
    m_alarmList.SetColumnWidth(1, widths.second);
}

void MainDialog::OnOK()
{
    // Enter and the OK button hide the window, like the minimize button.
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
}

void MainDialog::OnCancel()
{
    // Exit, Esc and the close box end the program, but not from inside a
    // tick (a modal box opened by a launch): the tick still runs on this
    // window's timer message.
    if (m_engine.tickRunning())
        return;
    CDialog::OnCancel();
}

BOOL MainDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDC_MAIN_ABOUT: {
        AboutDialog about;
        about.DoModal();
        return TRUE;
    }
    case IDC_MAIN_HELP:
        m_platform.openHelp();
        return TRUE;
    case IDC_MAIN_DELETE:
        deleteSelectedAlarms();
        return TRUE;
    case IDC_MAIN_ADD:
        addAlarm();
        return TRUE;
    case IDC_MAIN_EDIT:
        editSelectedAlarm();
        return TRUE;
    case IDC_MAIN_SETUP:
        runSetup();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL MainDialog::OnNotify(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (header->idFrom != IDC_MAIN_LIST)
        return FALSE;
    switch (header->code) {
    case LVN_COLUMNCLICK:
        m_engine.reverseListOrder();
        return TRUE;
    case LVN_GETDISPINFOW:
        m_alarmList.fillDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header)->item);
        return TRUE;
    case NM_DBLCLK:
        editSelectedAlarm();
        return TRUE;
    default:
        return FALSE;
    }
}

void MainDialog::addAlarm()
{
    AlarmEditorDialog editor(m_platform, Alarm(m_platform.now()));
    if (editor.DoModal() == IDOK)
        m_engine.addAlarm(editor.alarm());
}

void MainDialog::editSelectedAlarm()
{
    // A double-click anywhere in the list also edits the first selected row.
    const int row = m_alarmList.GetNextItem(-1, LVNI_SELECTED);
    if (row == -1)
        return;
    const Alarm* alarm = m_alarmList.alarmOfRow(row);
    if (alarm == nullptr)
        return;
    AlarmEditorDialog editor(m_platform, *alarm);
    m_alarmUnderEdit = alarm;
    const INT_PTR result = editor.DoModal();
    // Alarms keep firing while the editor is open: one the tick destroyed
    // meanwhile is no longer named, and the engine adds the confirmed
    // values as a new alarm.
    alarm = m_alarmUnderEdit;
    m_alarmUnderEdit = nullptr;
    if (result == IDOK)
        m_engine.replaceAlarm(alarm, editor.alarm());
}

void MainDialog::runSetup()
{
    SetupDialog setup(m_platform, m_engine.startFolder(), m_engine.currentTheme(), m_engine.silence());
    const INT_PTR result = setup.DoModal();
    if (result != IDOK && result != IDCANCEL)
        return;
    // The words of the theme named in the dialog are loaded however it
    // closed, so the next announcement uses its voice.
    m_engine.loadThemeFile(setup.themeName());
    if (result == IDOK)
        m_engine.applySetup(setup.themeName(), setup.silence());
}

void MainDialog::deleteSelectedAlarms()
{
    std::vector<Alarm*> selected;
    for (int row = m_alarmList.GetNextItem(-1, LVNI_SELECTED); row != -1;
         row = m_alarmList.GetNextItem(row, LVNI_SELECTED))
        selected.push_back(m_alarmList.alarmOfRow(row));
    m_engine.deleteAlarms(selected);
}

void MainDialog::OnTimer(UINT_PTR)
{
    if (!m_tickTimer.arrived())
        return;
    m_alarmList.holdSorting();
    m_engine.tick();
    m_alarmList.releaseSorting();
}

void MainDialog::aimTickTimer()
{
    PendingWork work = m_engine.pendingWork();
    work.windowVisible = IsWindowVisible(m_hWnd) != FALSE;
    m_tickTimer.aimAt(wake_plan::nextTick(work, m_platform.now()));
}

void MainDialog::insertAlarmRow(Alarm& alarm)
{
    m_alarmList.insertAlarmRow(alarm);
}

void MainDialog::showCurrentTime(Timestamp tickTime)
{
    // Nothing is formatted or drawn for a hidden window; it shows the time
    // when it is shown.
    if (IsWindowVisible(m_hWnd))
        m_timeField.SetWindowText(m_texts.currentTime(tickTime));
}

void MainDialog::show()
{
    // The latest tick may lie up to a minute back while the window was hidden.
    ShowWindow(SW_SHOW);
    showCurrentTime(m_platform.now());
}

void MainDialog::sortRows(SortDirection direction)
{
    m_alarmList.sortAlarmRows(direction);
}

void MainDialog::refreshRow(Alarm& alarm)
{
    m_alarmList.refreshRow(alarm);
}

void MainDialog::deleteRow(const Alarm& alarm)
{
    if (&alarm == m_alarmUnderEdit)
        m_alarmUnderEdit = nullptr;
    m_alarmList.deleteRow(m_alarmList.findRow(alarm));
}

void MainDialog::openMessageWindow(const std::string& message, Timestamp tickTime)
{
    AlarmMessageDialog::open(message, m_texts.dateText(tickTime), m_texts.timeOfDayText(tickTime));
}

void MainDialog::OnDestroy()
{
    // The engine outlives the window; from now on nothing is shown in it,
    // and messages are shown at once.
    m_engine.setView(nullptr);
    m_engine.setReplan(nullptr);
    m_platform.setMainWindow(nullptr);
    saveColumnWidths();
    m_trayIcon.remove();
    RemovePropA(m_hWnd, m_instanceName.c_str());
    m_platform.showWaitingMessages();  // nothing raised before the end is lost
    PostQuitMessage(0);
}

void MainDialog::saveColumnWidths()
{
    const std::string widths =
        window_settings::formatPair(m_alarmList.GetColumnWidth(0), m_alarmList.GetColumnWidth(1));
    if (!m_platform.writeSetting(OPTIONS_SECTION, OPTION_COLUMN, widths))
        m_platform.showMessage(CANT_WRITE);
}

void MainDialog::PostNcDestroy()
{
    if (CWinApp::Instance() != nullptr && CWinApp::Instance()->MainWnd() == this)
        CWinApp::Instance()->SetMainWnd(nullptr);
    delete this;
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    if (message == TRAY_MESSAGE) {
        onTrayEvent(static_cast<UINT>(lParam));
        return true;
    }
    if (message == WM_SYSCOMMAND)
        return onSysCommand(wParam);
    if (message == WM_MOVE) {
        m_placement.moved(lParam);
        return false;
    }
    if (message == WM_TIMECHANGE ||
        (message == WM_POWERBROADCAST && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND))) {
        // The clock jumped: what fell due meanwhile fires now, and the
        // timer is aimed again from the clock as it stands.
        m_engine.tick();
        return false;
    }
    if (message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
        // A shown window's clock needs the tick every second; a hidden one sleeps.
        aimTickTimer();
        return false;
    }
    if (message == taskbarCreatedMessage()) {
        m_trayIcon.restore();
        return false;
    }
    if (message == ShowRequestMessage()) {
        showYourself();
        return true;
    }
    if (message == ExitRequestMessage()) {
        result = acceptExitRequest() ? 1 : 0;
        return true;
    }
    if (message == Win32Platform::MessagesWaitingMessage()) {
        m_platform.showWaitingMessages();  // after the tick or command that raised them
        return true;
    }
    return false;
}

void MainDialog::onTrayEvent(UINT mouseMessage)
{
    if (m_trayBusy)
        return;
    m_trayBusy = true;
    if (mouseMessage == WM_LBUTTONDOWN)
        show();
    else if (mouseMessage == WM_RBUTTONDOWN)
        m_engine.announceTime();
    m_trayBusy = false;
}

bool MainDialog::onSysCommand(WPARAM command)
{
    if (command == SC_MINIMIZE) {
        // The window hides to the notification area; it is never minimized.
        ShowWindow(SW_HIDE);
        return true;
    }
    if (command == SC_SCREENSAVE)
        m_engine.userLeft();  // the system's default handling starts the screen saver
    return false;
}

// The request ends the program exactly like the Exit button. The command is
// posted: the window must not be destroyed while it answers a message of
// another process. A window disabled by a modal dialog or a message box is
// left alone, since closing it would pull that dialog from under its user.
bool MainDialog::acceptExitRequest()
{
    if (!IsWindowEnabled(m_hWnd) || m_engine.tickRunning())
        return false;
    PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return true;
}

void MainDialog::showYourself()
{
    show();
    SetForegroundWindow(m_hWnd);
}
