// The shipped program file: a 32-bit Windows GUI executable that needs only the system's DLLs, and whose dialog
// templates all load with their controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "integration/harness.h"

namespace {

INT_PTR CALLBACK plainDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST(ProgramFile, IsA32BitGuiExecutableThatNeedsOnlySystemDlls)
{
    const char* path = std::getenv("QUORVEL_EXE32");
    if (path == nullptr)
        GTEST_SKIP() << "QUORVEL_EXE32 names the 32-bit build to check";
    // Mapped as the loader lays it out, whatever the architecture of this process: an address in it is an offset.
    const HMODULE mapped = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(mapped, nullptr) << path;
    const char* image = reinterpret_cast<const char*>(reinterpret_cast<UINT_PTR>(mapped) & ~UINT_PTR(3));  // unmarked
    const auto& headers = *reinterpret_cast<const IMAGE_NT_HEADERS32*>(
        image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    ASSERT_EQ(headers.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(headers.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(headers.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(headers.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    const std::set<std::string> system = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",
                                          "kernel32.dll", "msvcrt.dll",   "ole32.dll",    "shell32.dll",
                                          "shlwapi.dll",  "user32.dll",   "winmm.dll"};
    std::vector<std::string> dlls;
    const size_t imports = headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + imports); entry->Name != 0; ++entry) {
        dlls.push_back(image + entry->Name);
        std::transform(dlls.back().begin(), dlls.back().end(), dlls.back().begin(), ::tolower);
        EXPECT_EQ(system.count(dlls.back()), 1u) << dlls.back() << " is not a system DLL";
    }
    EXPECT_FALSE(dlls.empty());
    FreeLibrary(mapped);
}

// Every dialog loads from its template with its caption (the Russian one whatever the system's code page), its
// controls, among them those the program addresses, and the icons it shows; a screenshot of each is kept.
TEST(ProgramFile, EveryDialogLoadsWithItsControls)
{
    const HMODULE program =
        LoadLibraryExA((programFolder() + "\\quorvel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const struct {
        int id;
        const char* caption;
        int controls, icons;
        std::vector<int> addressed;
    } dialogs[] = {
        {IDD_ABOUT, "About Quorvel", 3, 1, {IDOK}},
        {IDD_MAIN, "Quorvel", 11, 0, {IDOK, IDCANCEL, IDC_MAIN_ABOUT, IDC_MAIN_DELETE, IDC_MAIN_HELP, IDC_MAIN_LIST}},
        {IDD_ALARM_EDITOR, "Edit Alarm", 44, 0, {IDOK, IDCANCEL}},
        {IDD_SETUP, "Настройка", 11, 0, {IDOK, IDCANCEL, IDC_SETUP_SILENCE_FROM, IDC_SETUP_SILENCE_TO}},
        {IDD_ALARM_MESSAGE, "Quorvel", 5, 1, {IDOK, IDC_MESSAGE_TEXT, IDC_MESSAGE_DATE, IDC_MESSAGE_TIME}},
        {IDD_CALENDAR, "", 5, 0, {}},
        {IDD_TIME_LIST, "", 1, 0, {}},
    };
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    for (const auto& want : dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(want.id));
        HWND dialog = CreateDialogParamW(program, MAKEINTRESOURCEW(want.id), nullptr, plainDialog, 0);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
        EXPECT_EQ(windowText(dialog), want.caption);
        int controls = 0, icons = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            ++controls, icons += SendMessageA(child, STM_GETICON, 0, 0) != 0;
        EXPECT_EQ(controls, want.controls);
        EXPECT_EQ(icons, want.icons) << "icons that loaded";
        for (int id : want.addressed)
            EXPECT_NE(GetDlgItem(dialog, id), nullptr) << "control " << id;
        ShowWindow(dialog, SW_SHOWNOACTIVATE);
        EXPECT_TRUE(saveScreenshot(dialog, "dialog_" + std::to_string(want.id)));
        DestroyWindow(dialog);
    }
}

}  // namespace
