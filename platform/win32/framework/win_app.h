// The application object: one global instance per program. It knows the
// program's name (the executable's file name without its extension), runs
// the message loop for the main window and every modeless dialog, and shows
// the framework's message boxes titled with that name.
#pragma once

#include <windows.h>

#include <set>
#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The one application object, or null before it is constructed.
    static CWinApp* Instance() { return s_instance; }

    // Called once before the message loop; false ends the program at once.
    virtual BOOL InitInstance() = 0;
    // Runs the message loop until WM_QUIT; returns its exit code.
    virtual int Run();
    // Called once after the message loop has ended; returns the exit code.
    virtual int ExitInstance(int exitCode) { return exitCode; }

    const std::string& AppName() const { return m_appName; }
    HINSTANCE ResourceHandle() const { return m_instance; }

    CWnd* MainWnd() const { return m_mainWnd; }
    void SetMainWnd(CWnd* wnd) { m_mainWnd = wnd; }

    // Modeless dialogs take part in keyboard navigation (Tab, Enter, Esc)
    // while they are registered, in this loop and in every modal loop.
    void AddModeless(HWND dialog) { m_modeless.insert(dialog); }
    void RemoveModeless(HWND dialog) { m_modeless.erase(dialog); }
    // The keyboard handling of a registered modeless dialog for a message
    // sent to it or its controls; true when the dialog took the message.
    bool PreTranslateModeless(MSG& msg);

    // The framework's message box: OK, the exclamation icon, the program's
    // name as title. text is the program's own text; detail, in the system
    // code page, follows it. Without an owner it belongs to the active
    // window of the program, or else to the main window.
    int MessageBox(const std::string& text, const std::string& detail = std::string(), HWND owner = nullptr) const;
    // The same box for a notice the program raises by itself: owned by
    // exactly the given window (with none it has a taskbar button of its
    // own) and brought in front of every other window, so that it is seen
    // while the main window is hidden.
    int NoticeBox(const std::string& text, const std::string& detail, HWND owner) const;
    // Closes the notice box that NoticeBox shows at the moment, if any.
    static void CloseNoticeBox();

    // Takes the program's name from its executable and prepares the common
    // controls; resources come from the given module.
    void Initialise(HINSTANCE resources);
    // The entry point's work: initialise, run, clean up.
    int Main(HINSTANCE instance);

private:
    int ShowBox(const std::string& text, const std::string& detail, HWND owner, UINT style) const;
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    static CWinApp* s_instance;
    HHOOK m_messageFilter = nullptr;
    // The modeless dialog whose keyboard handling runs now, if any.
    HWND m_translating = nullptr;
    HINSTANCE m_instance = nullptr;
    std::string m_appName;
    CWnd* m_mainWnd = nullptr;
    std::set<HWND> m_modeless;
};
