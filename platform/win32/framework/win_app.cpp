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

LRESULT CALLBACK bringNoticeToFront(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallNextHookEx(g_noticeHook, code, wParam, lParam);
    if (code == HCBT_ACTIVATE && g_noticeHook != nullptr) {
        UnhookWindowsHookEx(g_noticeHook);
        g_noticeHook = nullptr;
        HWND box = reinterpret_cast<HWND>(wParam);
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
    return result;
}

int CWinApp::ShowBox(const std::string& text, const std::string& detail, HWND owner, UINT style) const
{
    const std::wstring message = text_encoding::fromOwnText(text) + text_encoding::fromSystemText(detail);
    const std::wstring title = text_encoding::fromSystemText(m_appName);
    return MessageBoxW(owner, message.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION | style);
}

int CWinApp::Run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Only keystrokes need the dialog navigation (Tab, Enter, Esc,
        // mnemonics); the once-a-second timer message goes straight through.
        const bool keystroke = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
        HWND root = keystroke && msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root != nullptr && m_modeless.count(root) != 0 && IsDialogMessageA(root, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void CWinApp::Initialise(HINSTANCE resources)
{
    m_instance = resources;
    m_appName = executableBaseName();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

int CWinApp::Main(HINSTANCE instance)
{
    Initialise(instance);
    if (!InitInstance())
        return 0;
    return ExitInstance(Run());
}
