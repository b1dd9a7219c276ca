#include "ui/win32/main_dialog.h"

#include <utility>

#include "platform/win32/framework/data_exchange.h"
#include "app_messages.h"
#include "platform/win32/framework/win_app.h"
#include "resource.h"
#include "scheduler/options.h"
#include "scheduler/wake_plan.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/alarm_editor_dialog.h"
#include "ui/late_alarm_text.h"
#include "ui/tray_tip.h"
#include "ui/win32/alarm_message_dialog.h"
#include "ui/win32/help.h"
#include "ui/win32/late_alarms_window.h"
#include "ui/win32/setup_dialog.h"
#include "ui/window_settings.h"

namespace {

const char* const TRAY_TIP = "Quorvel";
const char* const LATE_ALARMS_TITLE = "Missed alarms";

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

// The settings file keeps the column widths in pixels at 96 DPI (100 %), as
// the program wrote them before it knew other DPIs; the list shows them at
// the screen's.
int screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int shownWidth(int storedWidth)
{
    return MulDiv(storedWidth, screenDpi(), 96);
}

int storedWidth(int shownWidth)
{
    return MulDiv(shownWidth, 96, screenDpi());
}

HICON loadIcon(UINT id, int width, int height)
{
    return static_cast<HICON>(LoadImageA(CWinApp::Instance()->ResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, width,
                                         height, LR_DEFAULTCOLOR));
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

MainDialog::MainDialog(AlarmEngine& engine, Platform& platform, NoticeBoxes& notices,
                       const std::vector<std::string>& instanceNames)
    : CDialog(IDD_MAIN),
      m_engine(engine),
      m_platform(platform),
      m_notices(notices),
      m_instanceNames(instanceNames),
      m_texts(platform),
      m_alarmList(m_texts),
      m_listOrder(platform),
      m_placement(platform, notices)
{
    m_engine.setView(this);
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
    for (const std::string& name : m_instanceNames)
        SetPropA(m_hWnd, name.c_str(), reinterpret_cast<HANDLE>(1));
    m_notices.setMainWindow(m_hWnd);
    m_trayIcon.add(m_hWnd, CWinApp::Instance()->ResourceHandle(), IDI_QUORVEL, TRAY_TIP);
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
    // The list's small icons at the size of the DPI (16 pixels at 100 %, 24 at 150 %), as the icons come in.
    const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
    m_images = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (UINT icon : {IDI_BELL, IDI_REPEAT, IDI_BELL_OFF}) {
        HICON handle = loadIcon(icon, width, height);
        ImageList_AddIcon(m_images, handle);
        DestroyIcon(handle);
    }
    m_alarmList.SetImageList(m_images, LVSIL_SMALL);

    const ColumnWidths widths;  // until the settings are read
    m_alarmList.InsertColumn(0, loadString(IDS_ALARMS), LVCFMT_LEFT, shownWidth(widths.first));
    m_alarmList.InsertColumn(1, loadString(IDS_NOTES), LVCFMT_LEFT, shownWidth(widths.second), 1);
}

void MainDialog::settingsLoaded()
{
    m_placement.restore(m_hWnd);
    m_listOrder.load();
    const ColumnWidths widths = window_settings::readColumnWidths(m_platform);
    m_alarmList.SetColumnWidth(0, shownWidth(widths.first));
    m_alarmList.SetColumnWidth(1, shownWidth(widths.second));
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
        openHelp(m_hWnd);
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
        m_listOrder.reverse();
        sortRows();
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
    const Alarm opened = *alarm;
    AlarmEditorDialog editor(m_platform, opened);
    m_alarmUnderEdit = alarm;
    const INT_PTR result = editor.DoModal();
    // Alarms keep firing while the editor is open: one the tick destroyed
    // meanwhile is no longer named, and the engine adds the confirmed
    // values as a new alarm.
    alarm = m_alarmUnderEdit;
    m_alarmUnderEdit = nullptr;
    if (result == IDOK)
        m_engine.replaceAlarm(alarm, opened, editor.alarm());
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
    if (m_sortPending) {
        m_sortPending = false;
        sortRows();
    }
}

void MainDialog::show()
{
    // The latest tick may lie up to a minute back while the window was hidden.
    ShowWindow(SW_SHOW);
    showCurrentTime(m_platform.now());
}

void MainDialog::sortRows()
{
    m_alarmList.sortAlarmRows(m_listOrder.direction());
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

void MainDialog::openMessageWindow(const Alarm& fired, Timestamp tickTime)
{
    AlarmMessageDialog::open(fired, m_texts.dateText(tickTime), m_texts.timeOfDayText(tickTime),
                             m_engine.snoozeDelay(),
                             [this](const Alarm& alarm, int minutes) { m_engine.snooze(alarm, minutes); });
}

void MainDialog::showNextAlarm(const Alarm* next)
{
    m_trayIcon.setTip(tray_tip::textFor(next, m_texts));
}

void MainDialog::reportLateAlarms(const std::vector<LateAlarm>& late)
{
    std::vector<std::string> lines;
    for (const LateAlarm& alarm : late)
        lines.push_back(late_alarm_text::lineFor(alarm, m_texts));
    LateAlarmsWindow::show(lines, m_lateAlarmsWindow);
    m_lateLines = std::move(lines);
    m_trayIcon.showBalloon(LATE_ALARMS_TITLE, late_alarm_text::summaryOf(late));
}

void MainDialog::showLateAlarms()
{
    // The window of the latest notice, opened again when it was closed.
    if (m_lateAlarmsWindow == nullptr)
        LateAlarmsWindow::show(m_lateLines, m_lateAlarmsWindow);
    if (m_lateAlarmsWindow != nullptr)
        SetForegroundWindow(m_lateAlarmsWindow->GetSafeHwnd());
}

void MainDialog::OnDestroy()
{
    // The engine outlives the window; from now on nothing is shown in it,
    // and notices are shown at once.
    m_engine.setView(nullptr);
    m_engine.setReplan(nullptr);
    m_notices.setMainWindow(nullptr);
    saveColumnWidths();
    m_trayIcon.remove();
    for (const std::string& name : m_instanceNames)
        RemovePropA(m_hWnd, name.c_str());
    m_notices.showWaiting();  // nothing raised before the end is lost
    PostQuitMessage(0);
}

void MainDialog::saveColumnWidths()
{
    const std::string widths = window_settings::formatPair(storedWidth(m_alarmList.GetColumnWidth(0)),
                                                           storedWidth(m_alarmList.GetColumnWidth(1)));
    if (!m_platform.writeSetting(OPTIONS_SECTION, OPTION_COLUMN, widths))
        m_notices.showNotice(CANT_WRITE);
}

void MainDialog::PostNcDestroy()
{
    if (CWinApp::Instance() != nullptr && CWinApp::Instance()->MainWnd() == this)
        CWinApp::Instance()->SetMainWnd(nullptr);
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    if (message == TRAY_NOTIFY_MESSAGE) {
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
    if (message == NOTICES_WAITING_MESSAGE) {
        m_notices.showWaiting();  // after the tick or command that raised them
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
    else if (mouseMessage == NIN_BALLOONUSERCLICK)
        showLateAlarms();
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
