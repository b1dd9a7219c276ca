// A thousand openings of each pop-up and dialog of the editor and the setup
// in the real program: its window, USER and GDI object counts and its memory
// must come back to where they were.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "quorvel_process.h"
#include "temp_folder.h"

namespace {

const int ROUNDS = 1000;

// Counts a system cannot give (Wine gives no USER, GDI or handle counts of
// another process) stay 0 and are shown as "n/a"; leaked objects then show
// in the memory.
struct Figures {
    DWORD windows = 0, user = 0, gdi = 0, handles = 0;
    SIZE_T privateBytes = 0;
};

BOOL CALLBACK countWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

SIZE_T committed(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    return memory.PagefileUsage;
}

Figures measure(const QuorvelProcess& program)
{
    Figures figures;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.processId());
    for (HWND window : dialogWindowsOf(program.processId()))
        countWindow(window, reinterpret_cast<LPARAM>(&figures.windows));
    figures.user = GetGuiResources(process, GR_USEROBJECTS);
    figures.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    GetProcessHandleCount(process, &figures.handles);
    figures.privateBytes = committed(process);
    CloseHandle(process);
    return figures;
}

std::string count(DWORD value)
{
    return value == 0 ? "n/a" : std::to_string(value);
}

void print(const char* when, const Figures& f)
{
    std::printf("%s: windows %lu, USER objects %s, GDI objects %s, handles %s, private memory %lu KB\n", when,
                f.windows, count(f.user).c_str(), count(f.gdi).c_str(), count(f.handles).c_str(),
                static_cast<unsigned long>(f.privateBytes / 1024));
}

// The memory the system keeps of a number of combo boxes made and destroyed,
// measured in this process with the program's common controls: Wine's keeps
// some of each, and each round makes three (the editor's, the calendar's and
// the setup's).
long long systemComboGrowth(int count)
{
    const std::string program = testProgramFolder() + "\\quorvel.exe";
    ACTCTXA manifest = {sizeof manifest};
    manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    manifest.lpSource = program.c_str();
    manifest.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&manifest);
    ULONG_PTR cookie = 0;
    ActivateActCtx(context, &cookie);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const auto makeAndDestroy = [parent](int count) {
        for (int i = 0; i < count; ++i)
            DestroyWindow(CreateWindowExA(0, WC_COMBOBOXA, "", CBS_DROPDOWN | WS_CHILD, 0, 0, 50, 50, parent, nullptr,
                                          nullptr, nullptr));
    };
    makeAndDestroy(500);
    const SIZE_T before = committed(GetCurrentProcess());
    makeAndDestroy(count);
    const long long grown = static_cast<long long>(committed(GetCurrentProcess())) - static_cast<long long>(before);
    DestroyWindow(parent);
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
    return grown;
}

// Posts a click of a button and waits (briefly polling) for the dialog that
// holds the control.
HWND openBy(QuorvelProcess& program, HWND dialog, int button, int controlId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    HWND opened = nullptr;
    for (DWORD start = GetTickCount(); opened == nullptr && GetTickCount() - start < 10000; Sleep(2))
        for (HWND found : dialogWindowsOf(program.processId()))
            if (GetDlgItem(found, controlId) != nullptr && IsWindowVisible(found))
                opened = found;
    return opened;
}

// Esc: the dialog ends (a pop-up hands its value back first).
bool close(HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    for (DWORD start = GetTickCount(); IsWindow(dialog); Sleep(2))
        if (GetTickCount() - start > 10000)
            return false;
    return true;
}

// One opening of each: the editor with its calendar and a time list, the
// setup dialog with its time list.
bool openEachOnce(QuorvelProcess& program)
{
    HWND main = program.mainWindow();
    HWND editor = openBy(program, main, 3003, 3018);
    HWND calendar = editor ? openBy(program, editor, 2023, 2049) : nullptr;
    if (calendar == nullptr || !close(calendar))
        return false;
    HWND times = openBy(program, editor, 2024, 2051);
    if (times == nullptr || !close(times) || !close(editor))
        return false;
    HWND setup = openBy(program, main, 3033, 3001);
    times = setup ? openBy(program, setup, 2026, 2051) : nullptr;
    return times != nullptr && close(times) && close(setup);
}

TEST(SoakEditor, AThousandOpeningsOfEachDialogLeaveNoObjectsOrMemoryBehind)
{
    TempFolder folder;
    folder.folder("speak");
    folder.folder("speak\\Default");  // the setup loads its theme.ini when it closes
    writeFileText(folder.file("speak\\Default\\theme.ini"), "Hour = .\\speak\\Default\\hour.wav\r\n");
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.mainWindow(), nullptr);
    for (int round = 0; round < 20; ++round)  // caches and the heap settle first
        ASSERT_TRUE(openEachOnce(program)) << round;
    const Figures before = measure(program);
    for (int round = 0; round < ROUNDS; ++round)
        ASSERT_TRUE(openEachOnce(program)) << round;
    const Figures after = measure(program);
    std::printf("%d openings of the editor, the calendar, the time list (from the editor and from the setup) and the "
                "setup dialog\n",
                ROUNDS);
    print("before", before);
    print("after ", after);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LE(after.user, before.user);
    EXPECT_LE(after.gdi, before.gdi);
    EXPECT_LE(after.handles, before.handles);
    const long long grown = static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes);
    const long long systems = systemComboGrowth(3 * ROUNDS);
    std::printf("grown by %lld KB, of which the system's combo boxes keep %lld KB\n", grown / 1024, systems / 1024);
    EXPECT_LT(grown - systems, 128 * 1024) << "less than 128 KB of the program's own";
    EXPECT_TRUE(program.messageBoxTexts().empty());
}

}  // namespace
