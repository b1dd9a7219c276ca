// A thousand openings of each pop-up and dialog of the editor and the setup
// in the real program: its window, USER and GDI object counts and its memory
// must come back to where they were.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness.h"

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

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM parameter)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId)
        search.windows.push_back(window);
    return TRUE;
}

// The top-level windows of a process.
std::vector<HWND> windowsOf(DWORD processId)
{
    WindowSearch search = {processId, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

Figures measure(const QuorvelProcess& program)
{
    Figures figures;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.processId());
    for (HWND window : windowsOf(program.processId()))
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

// Posts a click of a button and waits (briefly polling) for the dialog that
// holds the control. A pop-up that lost the activation at once to a late
// focus event of the display (it then closes by itself) is opened again.
HWND openBy(QuorvelProcess& program, HWND dialog, int button, int controlId)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
        for (DWORD start = GetTickCount(); GetTickCount() - start < 3000; Sleep(2))
            for (HWND found : windowsOf(program.processId()))
                if (GetDlgItem(found, controlId) != nullptr && IsWindowVisible(found))
                    return found;
    }
    return nullptr;
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
    HWND main = program.main();
    HWND editor = openBy(program, main, IDC_MAIN_ADD, IDC_EDIT_MESSAGE);
    HWND calendar = editor ? openBy(program, editor, IDC_EDIT_DATE_DROP, IDC_CALENDAR_GRID) : nullptr;
    if (calendar == nullptr || !close(calendar))
        return false;
    HWND times = openBy(program, editor, IDC_EDIT_TIME_DROP, IDC_TIME_LIST);
    if (times == nullptr || !close(times) || !close(editor))
        return false;
    HWND setup = openBy(program, main, IDC_MAIN_SETUP, IDC_SETUP_SILENCE_FROM);
    times = setup ? openBy(program, setup, IDC_SETUP_FROM_DROP, IDC_TIME_LIST) : nullptr;
    return times != nullptr && close(times) && close(setup);
}

TEST(SoakEditor, AThousandOpeningsOfEachDialogLeaveNoObjectsOrMemoryBehind)
{
    TempFolder folder;
    folder.folder("speak");
    folder.folder("speak\\Default");  // the setup loads its theme.ini when it closes
    writeFileText(folder.file("speak\\Default\\theme.ini"), "Hour = .\\speak\\Default\\hour.wav\r\n");
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);
    for (int round = 0; round < 20; ++round)  // caches and the heap settle first
        ASSERT_TRUE(openEachOnce(program)) << round;

    // The pop-ups delete themselves: a thousand time lists leave nothing
    // behind. (They hold no combo box, of which Wine keeps some memory.)
    HWND editor = openBy(program, program.main(), IDC_MAIN_ADD, IDC_EDIT_MESSAGE);
    ASSERT_NE(editor, nullptr);
    Figures beforeLists;
    for (int round = -ROUNDS / 2; round < ROUNDS; ++round) {  // the first half settles the heap
        if (round == 0)
            beforeLists = measure(program);
        HWND times = openBy(program, editor, IDC_EDIT_TIME_DROP, IDC_TIME_LIST);
        ASSERT_TRUE(times != nullptr && close(times)) << round;
    }
    const Figures afterLists = measure(program);
    ASSERT_TRUE(close(editor));
    std::printf("%d openings of the time list\n", ROUNDS);
    print("before", beforeLists);
    print("after ", afterLists);
    EXPECT_LT(afterLists.privateBytes, beforeLists.privateBytes + 64 * 1024) << "a leaked pop-up would add 100 KB";

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
    // Wine keeps a few hundred bytes of each editor (its template's combo box
    // and controls, with or without the program's own code); the program's
    // objects would add more.
    EXPECT_LT(after.privateBytes, before.privateBytes + ROUNDS * 1024) << "less than 1 KB a round";
    EXPECT_TRUE(program.messageBoxes().empty());
}

}  // namespace
