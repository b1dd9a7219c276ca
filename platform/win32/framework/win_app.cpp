#include "platform/win32/framework/win_app.h"

#include <commctrl.h>

#include "platform/win32/framework/text_encoding.h"
#include "platform/win32/framework/wnd.h"

CWinApp* CWinApp::s_instance = nullptr;

namespace {

// The executable's file name without folder and extension.
std::string executableBaseName()
{
    char path[MAX_PATH] = {0};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : MAX_PATH - 1);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

// Not every system honours MB_TOPMOST and MB_SETFOREGROUND (Wine does
// not): the notice box is put in front when it is first activated, which
// happens before its message loop runs. The hook is gone by then, so no
// window the box's loop opens is touched.
HHOOK g_noticeHook = nullptr;
// The notice box on screen, from its first activation until it closes.
HWND g_noticeBox = nullptr;

LRESULT CALLBACK bringNoticeToFront(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallNextHookEx(g_noticeHook, code, wParam, lParam);
    if (code == HCBT_ACTIVATE && g_noticeHook != nullptr) {
        UnhookWindowsHookEx(g_noticeHook);
        g_noticeHook = nullptr;
        HWND box = reinterpret_cast<HWND>(wParam);
        g_noticeBox = box;
        SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(box);
    }
    return result;
}

}  // namespace

CWinApp::CWinApp()
{
    s_instance = this;
}

CWinApp::~CWinApp()
{
    if (m_messageFilter != nullptr)
        UnhookWindowsHookEx(m_messageFilter);
    if (s_instance == this)
        s_instance = nullptr;
}

int CWinApp::MessageBox(const std::string& text, const std::string& detail, HWND owner) const
{
    // The box belongs to the window the user works in (a dialog shows it
    // modal to itself), or else to the main window.
    if (owner == nullptr)
        owner = GetActiveWindow();
    if (owner == nullptr && m_mainWnd != nullptr)
        owner = m_mainWnd->GetSafeHwnd();
    return ShowBox(text, detail, owner, 0);
}

int CWinApp::NoticeBox(const std::string& text, const std::string& detail, HWND owner) const
{
    g_noticeHook = SetWindowsHookExA(WH_CBT, bringNoticeToFront, nullptr, GetCurrentThreadId());
    const int result = ShowBox(text, detail, owner, MB_SETFOREGROUND | MB_TOPMOST);
    if (g_noticeHook != nullptr)
        UnhookWindowsHookEx(g_noticeHook);
    g_noticeHook = nullptr;
    g_noticeBox = nullptr;
    return result;
}

void CWinApp::CloseNoticeBox()
{
    // As if the user pressed OK: the box's own loop ends and NoticeBox returns.
    if (g_noticeBox != nullptr)
        PostMessageA(g_noticeBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

int CWinApp::ShowBox(const std::string& text, const std::string& detail, HWND owner, UINT style) const
{
    const WideText message = text_encoding::fromOwnText(text) + text_encoding::fromSystemText(detail);
    const WideText title = text_encoding::fromSystemText(m_appName);
    return MessageBoxW(owner, message.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION | style);
}

int CWinApp::Run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateModeless(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool CWinApp::PreTranslateModeless(MSG& msg)
{
    // Only keystrokes need the dialog navigation (Tab, Enter, Esc,
    // mnemonics); the once-a-second timer message goes straight through.
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    // The dialog's own keyboard handling asks the message filter again, and
    // whatever it dispatches (a modal dialog opened by a button) runs inside
    // it: while a dialog is at it, only the other dialogs are offered here.
    HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root == nullptr || root == m_translating || m_modeless.count(root) == 0)
        return false;
    HWND outer = m_translating;
    m_translating = root;
    const bool taken = IsDialogMessageA(root, &msg) != FALSE;
    m_translating = outer;
    return taken;
}

LRESULT CALLBACK CWinApp::MessageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    // A modal loop (a modal dialog's, a message box's) offers every message
    // to this hook before its own dialog's keyboard handling: so the keys of
    // a pop-up opened from a modal dialog reach the pop-up.
    if (code == MSGF_DIALOGBOX && s_instance != nullptr &&
        s_instance->PreTranslateModeless(*reinterpret_cast<MSG*>(lParam)))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CWinApp::Initialise(HINSTANCE resources)
{
    m_instance = resources;
    m_appName = executableBaseName();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (m_messageFilter == nullptr)
        m_messageFilter = SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
}

int CWinApp::Main(HINSTANCE instance)
{
    Initialise(instance);
    if (!InitInstance())
        return 0;
    return ExitInstance(Run());
}
