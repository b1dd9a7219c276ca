// The window framework on the program's setup template: data exchange with its messages and focus, modal OK and
// Cancel, a modeless window that deletes itself, and message boxes with the program's Russian texts.
#include <gtest/gtest.h>

#include <functional>
#include <future>

#include "integration/harness.h"
#include "platform/win32/framework/data_exchange.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/win_app.h"

namespace {

class TestApp : public CWinApp {
public:
    BOOL InitInstance() override { return TRUE; }
} theTestApp;

const int NUMBER = IDC_SETUP_SILENCE_FROM, YEAR = IDC_SETUP_SILENCE_TO;

// A dialog exchanging a signed number and a year from 1900 to 3000; one made with new may own itself.
class NumberDialog : public CDialog {
public:
    explicit NumberDialog(bool ownsItself = false) : CDialog(IDD_SETUP), m_ownsItself(ownsItself) {}
    ~NumberDialog() override { ++deleted; }
    int number = 0;
    unsigned year = 1998;
    static int deleted;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DdxText(dx, NUMBER, number);
        DdxText(dx, YEAR, year);
        DdvMinMaxUnsigned(dx, year, 1900, 3000);
    }
    void PostNcDestroy() override
    {
        if (m_ownsItself)
            delete this;
    }

private:
    bool m_ownsItself;
};
int NumberDialog::deleted = 0;

// Answers the next message box of this process with OK; gives what it showed as "caption: text".
std::shared_future<std::string> answerNextMessageBox()
{
    return std::async(std::launch::async,
                      [] {
                          HWND box = nullptr;
                          waitUntil([&] {
                              for (HWND dialog : dialogsOf(GetCurrentProcessId(), IDOK))
                                  box = GetDlgItem(dialog, NUMBER) == nullptr && IsWindowVisible(dialog) ? dialog : box;
                              return box != nullptr;
                          });
                          const std::string seen =
                              box != nullptr ? windowText(box) + ": " + staticTexts(box) : "<no box>";
                          pressButton(box, IDOK);
                          return seen;
                      })
        .share();
}

// Runs the dialog modally while another thread acts on it as the user would.
INT_PTR runModal(NumberDialog& dialog, const std::function<void(HWND)>& user)
{
    std::future<void> acting = std::async(std::launch::async, [&] {
        std::vector<HWND> shown;
        if (waitUntil([&] { return !(shown = dialogsOf(GetCurrentProcessId(), NUMBER)).empty(); }))
            user(shown.front());
    });
    return dialog.DoModal();
}

class Framework : public ::testing::Test {
protected:
    static void SetUpTestSuite() { theTestApp.Initialise(programResources()); }
};

TEST_F(Framework, FailedExchangeShowsItsMessageAndSelectsTheWholeField)
{
    const struct {
        const char *number, *year;
        const char* message;
        int field;
    } cases[] = {{"abc", "1998", "integration_tests: Please enter an integer.", NUMBER},
                 {"12", "x", "integration_tests: Please enter a positive integer.", YEAR},
                 {"12", "-5", "integration_tests: Please enter a positive integer.", YEAR},
                 {" 12 ", "1899", "integration_tests: Please enter an integer between 1900 and 3000.", YEAR}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.number) + " and " + c.year);
        NumberDialog dialog;
        ASSERT_TRUE(dialog.Create());
        typeText(GetDlgItem(dialog.GetSafeHwnd(), NUMBER), c.number);
        typeText(GetDlgItem(dialog.GetSafeHwnd(), YEAR), c.year);
        std::shared_future<std::string> box = answerNextMessageBox();
        EXPECT_FALSE(dialog.UpdateData(TRUE));
        EXPECT_EQ(box.get(), c.message);
        DWORD start = 1, end = 0;
        SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), c.field);
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(GetFocus())));
        dialog.DestroyWindow();
    }
}

TEST_F(Framework, ModelessDialogExchangesBothWaysAndDeletesItselfOnceDestroyed)
{
    NumberDialog* dialog = new NumberDialog(true);
    dialog->number = -42;
    dialog->year = 2036;
    ASSERT_TRUE(dialog->Create());
    HWND window = dialog->GetSafeHwnd();
    EXPECT_EQ(windowText(GetDlgItem(window, NUMBER)) + " " + windowText(GetDlgItem(window, YEAR)), "-42 2036");
    typeText(GetDlgItem(window, NUMBER), " 7 ");
    typeText(GetDlgItem(window, YEAR), "1970");
    EXPECT_TRUE(dialog->UpdateData(TRUE));
    EXPECT_EQ(dialog->number, 7);
    EXPECT_EQ(dialog->year, 1970u);
    NumberDialog::deleted = 0;
    DestroyWindow(window);
    EXPECT_EQ(NumberDialog::deleted, 1);
}

TEST_F(Framework, ModalOkWaitsUntilEveryFieldIsRightAndCancelTakesNothing)
{
    NumberDialog dialog, cancelled;
    std::shared_future<std::string> box = answerNextMessageBox();
    EXPECT_EQ(runModal(dialog,
                       [&](HWND window) {
                           typeText(GetDlgItem(window, NUMBER), "five");
                           pressButton(window, IDOK);
                           box.wait();
                           typeText(GetDlgItem(window, NUMBER), "5");
                           pressButton(window, IDOK);
                       }),
              IDOK);
    EXPECT_EQ(box.get(), "integration_tests: Please enter an integer.");
    EXPECT_EQ(dialog.number, 5);
    EXPECT_EQ(runModal(cancelled,
                       [](HWND window) {
                           typeText(GetDlgItem(window, NUMBER), "5");
                           pressButton(window, IDCANCEL);
                       }),
              IDCANCEL);
    EXPECT_EQ(cancelled.number, 0);
}

// The program's own texts are Windows-1251; they show as Russian whatever the system's code page is.
TEST_F(Framework, MessageBoxShowsTheProgramsRussianTextsOnAnyCodePage)
{
    std::shared_future<std::string> box = answerNextMessageBox();
    theTestApp.MessageBox("\xCD\xE5 \xEE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB ", "C:\\speak\\theme.ini");
    EXPECT_EQ(box.get(), "integration_tests: Не открыть файл C:\\speak\\theme.ini");
}

}  // namespace
