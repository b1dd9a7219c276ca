// The window framework on the program's own dialog templates: data exchange
// with its messages and focus, modal OK and Cancel, and modeless windows
// that delete themselves.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/win32/framework/data_exchange.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/win_app.h"
#include "integration/harness.h"

namespace {

class TestApp : public CWinApp {
public:
    BOOL InitInstance() override { return TRUE; }
};

TestApp theTestApp;

const int SETUP_TEMPLATE = 153;  // two edit fields and a combo box
const int FIRST_FIELD = 3001;
const int SECOND_FIELD = 3003;

// A dialog on the setup template exchanging a signed number and a year.
class NumberDialog : public CDialog {
public:
    NumberDialog() : CDialog(SETUP_TEMPLATE) {}
    int number = 0;
    unsigned year = 1998;
    std::string firstText;  // typed into the fields once the window exists
    std::string secondText;
    bool pressOk = false;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (!firstText.empty())
            SetDlgItemTextA(m_hWnd, FIRST_FIELD, firstText.c_str());
        if (!secondText.empty())
            SetDlgItemTextA(m_hWnd, SECOND_FIELD, secondText.c_str());
        if (pressOk)
            PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DdxText(dx, FIRST_FIELD, number);
        DdxText(dx, SECOND_FIELD, year);
        DdvMinMaxUnsigned(dx, year, 1900, 3000);
    }
};

// A modeless window that counts its deletions.
class SelfDeletingDialog : public CDialog {
public:
    static int deleted;
    SelfDeletingDialog() : CDialog(SETUP_TEMPLATE) {}
    ~SelfDeletingDialog() override { ++deleted; }

protected:
    void PostNcDestroy() override { delete this; }
};
int SelfDeletingDialog::deleted = 0;

// Answers the next message box of this process with OK and keeps its texts.
class MessageBoxWatcher {
public:
    MessageBoxWatcher()
        : m_thread([this] {
              waitUntil(
                  [this] {
                      for (HWND dialog : dialogsOf(GetCurrentProcessId(), IDOK)) {
                          if (GetDlgItem(dialog, FIRST_FIELD) != nullptr || !IsWindowVisible(dialog))
                              continue;
                          title = windowText(dialog);
                          HWND text = FindWindowExA(dialog, nullptr, "Static", nullptr);
                          while (text != nullptr && windowText(text).empty())
                              text = FindWindowExA(dialog, text, "Static", nullptr);
                          message = text != nullptr ? windowText(text) : "";
                          PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          seen = true;
                          return true;
                      }
                      return false;
                  },
                  10000);
          })
    {
    }
    ~MessageBoxWatcher() { finish(); }
    void finish()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    std::string title;
    std::string message;
    std::atomic<bool> seen{false};

private:
    std::thread m_thread;
};

class Framework : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string exe = programFolder() + "\\quorvel.exe";
        s_resources = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        theTestApp.Initialise(s_resources);
    }
    static void TearDownTestSuite()
    {
        if (s_resources != nullptr)
            FreeLibrary(s_resources);
    }
    void SetUp() override { ASSERT_NE(s_resources, nullptr); }

    // A failed exchange on a modeless dialog: the message, and where the focus is.
    std::string failedExchange(const std::string& first, const std::string& second, int* focusedId)
    {
        NumberDialog dialog;
        dialog.firstText = first;
        dialog.secondText = second;
        EXPECT_TRUE(dialog.Create());
        MessageBoxWatcher watcher;
        EXPECT_FALSE(dialog.UpdateData(TRUE));
        watcher.finish();
        EXPECT_TRUE(watcher.seen);
        EXPECT_EQ(watcher.title, theTestApp.AppName());
        *focusedId = GetDlgCtrlID(GetFocus());
        DWORD start = 0, end = 0;
        SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(GetFocus())));
        dialog.DestroyWindow();
        return watcher.message;
    }

    static HMODULE s_resources;
};
HMODULE Framework::s_resources = nullptr;

TEST_F(Framework, ApplicationNameIsTheExecutablesFileName)
{
    EXPECT_EQ(theTestApp.AppName(), "integration_tests");
}

TEST_F(Framework, FailedNumberFieldShowsItsMessageAndKeepsTheFocusOnIt)
{
    int focused = 0;
    EXPECT_EQ(failedExchange("abc", "1998", &focused), "Please enter an integer.");
    EXPECT_EQ(focused, FIRST_FIELD);
    EXPECT_EQ(failedExchange("12", "x", &focused), "Please enter a positive integer.");
    EXPECT_EQ(focused, SECOND_FIELD);
    EXPECT_EQ(failedExchange("12", "-5", &focused), "Please enter a positive integer.");
    EXPECT_EQ(failedExchange(" 12 ", "1899", &focused), "Please enter an integer between 1900 and 3000.");
    EXPECT_EQ(focused, SECOND_FIELD);
}

TEST_F(Framework, ExchangeMovesAllValuesBothWays)
{
    NumberDialog dialog;
    dialog.number = -42;
    dialog.year = 2036;
    ASSERT_TRUE(dialog.Create());
    char text[32] = {0};
    GetDlgItemTextA(dialog.GetSafeHwnd(), FIRST_FIELD, text, sizeof text);
    EXPECT_STREQ(text, "-42");
    SetDlgItemTextA(dialog.GetSafeHwnd(), FIRST_FIELD, " 7 ");
    SetDlgItemTextA(dialog.GetSafeHwnd(), SECOND_FIELD, "1970");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.number, 7);
    EXPECT_EQ(dialog.year, 1970u);
    dialog.DestroyWindow();
}

TEST_F(Framework, ModalOkTakesTheValuesAndAWrongFieldKeepsTheDialogOpen)
{
    NumberDialog good;
    good.firstText = "5";
    good.pressOk = true;
    EXPECT_EQ(good.DoModal(), IDOK);
    EXPECT_EQ(good.number, 5);

    // OK with a wrong field: the message, then the dialog is still there
    // and ends only with Cancel.
    NumberDialog bad;
    bad.firstText = "five";
    bad.pressOk = true;
    MessageBoxWatcher watcher;
    std::atomic<bool> stillOpen{false};
    std::thread cancel([&] {
        waitUntil([&] { return watcher.seen.load(); }, 10000);
        Sleep(300);
        for (HWND dialog : dialogsOf(GetCurrentProcessId(), IDOK))
            if (GetDlgItem(dialog, FIRST_FIELD) != nullptr) {
                stillOpen = IsWindowVisible(dialog) != FALSE;
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
    });
    EXPECT_EQ(bad.DoModal(), IDCANCEL);
    watcher.finish();
    cancel.join();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(watcher.message, "Please enter an integer.");
    EXPECT_EQ(bad.number, 0);
}

TEST_F(Framework, ModelessWindowDeletesItselfOnceDestroyed)
{
    SelfDeletingDialog::deleted = 0;
    SelfDeletingDialog* dialog = new SelfDeletingDialog();
    ASSERT_TRUE(dialog->Create());
    HWND hwnd = dialog->GetSafeHwnd();
    EXPECT_EQ(SelfDeletingDialog::deleted, 0);
    DestroyWindow(hwnd);
    EXPECT_EQ(SelfDeletingDialog::deleted, 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
