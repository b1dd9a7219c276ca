// Checks the resources built into quorvel.exe: each dialog template, read from the program's file and created from it,
// against the tables below (and saved as a screenshot for a person to look at); then the column captions, icons,
// version information and manifest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "integration/screenshot.h"
#include "resource.h"

namespace {

using Box = std::array<short, 4>;  // x, y, width, height in dialog units

// How the system may change a control's rectangle: a closed combo box is lower than its template (the dropped-down
// height), a static icon takes its icon's size, an up-down control's buddy gives up the right end of its width and
// the up-down control (the control after its buddy) moves to that edge.
enum class Fit { Exact, ClosedCombo, IconSized, Buddy, UpDown };

// `style` holds the type value and the bits the template must set (a tab stop only where listed); `text` is nullptr
// for a static icon, whose text is the number of its `icon`; an icon button's `icon` is the one the program puts on it.
struct Control {
  int id;
  const wchar_t* cls;
  DWORD style, ex;
  Box box;
  const wchar_t* text;
  int icon = 0;
  Fit fit = Fit::Exact;
};

constexpr DWORD kTab = WS_TABSTOP, kDefault = BS_DEFPUSHBUTTON;
Control push(int id, const wchar_t* t, Box b, DWORD s = 0) { return {id, L"Button", kTab | s, 0, b, t}; }
Control check(int id, const wchar_t* t, Box b) { return {id, L"Button", BS_AUTOCHECKBOX | kTab, 0, b, t}; }
Control iconButton(int id, const wchar_t* t, Box b, int icon, DWORD tab = kTab) {
  return {id, L"Button", BS_PUSHBUTTON | BS_ICON | BS_CENTER | tab, 0, b, t, icon};
}
Control drop(int id, Box b, const wchar_t* t = L"ARDOWN") { return iconButton(id, t, b, IDI_DROP_DOWN, 0); }
Control text(int id, const wchar_t* t, Box b, DWORD s = 0, DWORD ex = 0) { return {id, L"Static", s, ex, b, t}; }
Control label(const wchar_t* t, Box b) { return text(IDC_STATIC, t, b); }
Control line(Box b) { return text(IDC_STATIC, L"", b, 0, WS_EX_STATICEDGE); }
Control icon(int id, Box b) { return {IDC_STATIC, L"Static", SS_ICON, 0, b, nullptr, id, Fit::IconSized}; }
Control edit(int id, Box b, DWORD s = ES_AUTOHSCROLL, Fit f = Fit::Exact) {
  return {id, L"Edit", s | WS_BORDER | kTab, 0, b, L"", 0, f};
}
Control combo(int id, Box b, DWORD s) {
  return {id, L"ComboBox", s | WS_VSCROLL | kTab, 0, b, L"", 0, Fit::ClosedCombo};
}
Control list(int id, const wchar_t* t, Box b, DWORD s, DWORD ex = 0) {
  return {id, WC_LISTVIEWW, s | WS_BORDER | kTab, ex, b, t};
}

struct ExpectedDialog {
  const char* name;
  int id;
  const wchar_t* caption;
  DWORD style, absent, ex;
  Box box;
  std::vector<Control> controls;
};
void PrintTo(const ExpectedDialog& dialog, std::ostream* out) { *out << dialog.name; }

constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kPicker = LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_NOCOLUMNHEADER;

const std::vector<ExpectedDialog> kDialogs = {
    {"About", IDD_ABOUT, L"About Quorvel", kModal, WS_VISIBLE, 0, {40, 50, 225, 89}, {
        icon(IDI_QUORVEL, {12, 14, 20, 20}), label(L"Quorvel Version 2.02", {44, 20, 119, 8}),
        push(IDOK, L"OK", {168, 8, 50, 14}, kDefault | WS_GROUP)}},
    {"Main", IDD_MAIN, L"Quorvel", kModal | DS_3DLOOK | WS_MINIMIZEBOX, WS_VISIBLE | WS_MAXIMIZEBOX | WS_THICKFRAME, 0,
     {30, 40, 241, 177}, {
        push(IDOK, L"&OK", {184, 8, 52, 16}, kDefault), push(IDCANCEL, L"E&xit", {184, 28, 52, 16}),
        push(IDC_MAIN_ABOUT, L"A&bout", {184, 56, 52, 16}), push(IDC_MAIN_SETUP, L"&Setup", {184, 76, 52, 16}),
        push(IDC_MAIN_HELP, L"&Help", {184, 96, 52, 16}), edit(IDC_MAIN_TIME, {68, 12, 44, 12}),
        label(L"Time:", {37, 15, 28, 8}),
        list(IDC_MAIN_LIST, L"", {4, 36, 172, 136},
             LVS_REPORT | LVS_SORTDESCENDING | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_ALIGNLEFT,
             WS_EX_DLGMODALFRAME),
        push(IDC_MAIN_ADD, L"&Add", {184, 136, 52, 16}), push(IDC_MAIN_DELETE, L"&Delete", {184, 156, 52, 16}),
        push(IDC_MAIN_EDIT, L"&Edit", {184, 116, 52, 16})}},
    {"AlarmEditor", IDD_ALARM_EDITOR, L"Edit Alarm", kModal | DS_CENTER, WS_VISIBLE, 0, {0, 0, 310, 218}, {
        label(L"&Message:", {5, 7, 45, 8}), edit(IDC_EDIT_MESSAGE, {55, 5, 250, 12}), line({5, 20, 300, 1}),
        label(L"&Alarm time:", {5, 27, 35, 8}), edit(IDC_EDIT_DATE, {105, 25, 45, 12}),
        drop(IDC_EDIT_DATE_DROP, {151, 25, 8, 11}), edit(IDC_EDIT_TIME, {163, 25, 45, 12}),
        drop(IDC_EDIT_TIME_DROP, {209, 25, 8, 11}), check(IDC_EDIT_REPEAT, L"&Repeat:", {5, 40, 52, 12}),
        label(L"A&fter:", {76, 42, 24, 8}), edit(IDC_EDIT_REPEAT_DAYS, {105, 40, 45, 12}),
        drop(IDC_EDIT_REPEAT_DAYS_DROP, {151, 40, 8, 11}), edit(IDC_EDIT_REPEAT_TIME, {163, 40, 45, 12}),
        drop(IDC_EDIT_REPEAT_TIME_DROP, {209, 40, 8, 11}), label(L"&Summary:", {222, 42, 32, 8}),
        edit(IDC_EDIT_REPEAT_COUNT, {256, 40, 24, 12}), label(L"times", {286, 42, 19, 8}), line({5, 55, 300, 1}),
        check(IDC_EDIT_IN_TIME, L"&In time", {5, 60, 85, 10}),
        check(IDC_EDIT_AUTODELETE, L"A&utodelete", {105, 60, 60, 10}),
        check(IDC_EDIT_SHOW_MESSAGE, L"S&how message", {170, 60, 70, 10}),
        check(IDC_EDIT_SAY_TIME, L"Sa&y time", {245, 60, 63, 10}),
        check(IDC_EDIT_PLAY_WAVE, L"Play &wav:", {5, 75, 75, 10}), edit(IDC_EDIT_WAVE_FILE, {105, 75, 183, 12}),
        iconButton(IDC_EDIT_WAVE_BROWSE, L"GETFILE", {290, 75, 15, 12}, IDI_NOTES), line({5, 90, 300, 1}),
        check(IDC_EDIT_EXECUTE, L"&Execute:", {5, 95, 95, 12}), edit(IDC_EDIT_COMMAND_LINE, {105, 95, 183, 12}),
        iconButton(IDC_EDIT_PROGRAM_BROWSE, L"GETPROG", {290, 95, 15, 12}, IDI_FOLDER),
        label(L"&Working folder:", {5, 112, 52, 8}), edit(IDC_EDIT_WORKING_FOLDER, {105, 110, 200, 12}),
        label(L"W&indow size:", {5, 127, 43, 8}),
        combo(IDC_EDIT_WINDOW_SIZE, {105, 125, 200, 40}, CBS_DROPDOWN | CBS_SORT),
        check(IDC_EDIT_WAIT_FOR_USER_AWAY, L"Wai&t for user away", {5, 140, 110, 10}),
        check(IDC_EDIT_EXECUTE_WHEN_PREVIOUS_CLOSED, L"Exe&cute when previous application is closed",
              {115, 140, 195, 10}),
        line({5, 150, 300, 1}), check(IDC_EDIT_CLOSE_AFTER, L"Cl&ose application after:", {5, 155, 115, 10}),
        edit(IDC_EDIT_CLOSE_AFTER_TIME, {163, 155, 45, 12}), drop(IDC_EDIT_CLOSE_AFTER_DROP, {209, 155, 8, 11}),
        check(IDC_EDIT_CLOSE_WHEN_USER_BACK, L"Close a&pplication when user is back", {5, 170, 129, 10}),
        check(IDC_EDIT_CLOSE_ON_NEXT_EXECUTE, L"Close application whe&n executing next", {5, 185, 181, 10}),
        line({5, 195, 300, 1}), push(IDOK, L"&OK", {200, 200, 52, 16}, kDefault),
        push(IDCANCEL, L"&Cancel", {255, 200, 52, 16})}},
    {"Setup", IDD_SETUP, L"Настройка", kModal, WS_VISIBLE, 0, {10, 10, 189, 84}, {
        combo(IDC_SETUP_THEME, {40, 5, 145, 45}, CBS_DROPDOWN | CBS_SORT),
        edit(IDC_SETUP_SILENCE_FROM, {55, 25, 45, 12}), edit(IDC_SETUP_SILENCE_TO, {130, 25, 45, 12}),
        push(IDOK, L"&OK", {80, 65, 50, 14}), push(IDCANCEL, L"&Cancel", {135, 65, 50, 14}),
        label(L"Theme:", {5, 7, 25, 8}), line({5, 20, 180, 1}), label(L"Silence   from", {5, 27, 43, 8}),
        drop(IDC_SETUP_FROM_DROP, {101, 25, 8, 11}, L""), drop(IDC_SETUP_TO_DROP, {176, 25, 8, 11}, L""),
        label(L"to", {115, 27, 10, 8})}},
    {"AlarmMessage", IDD_ALARM_MESSAGE, L"Quorvel", kModal | WS_VISIBLE, 0, 0, {0, 0, 224, 63}, {
        push(IDOK, L"OK", {165, 5, 55, 14}, kDefault | WS_GROUP), icon(IDI_QUORVEL, {10, 5, 20, 20}),
        text(IDC_MESSAGE_TEXT, L"", {5, 30, 215, 15}, SS_SUNKEN | SS_NOPREFIX | SS_CENTERIMAGE),
        text(IDC_MESSAGE_DATE, L"", {50, 10, 54, 10}, SS_LEFTNOWORDWRAP), text(IDC_MESSAGE_TIME, L"", {105, 10, 40, 10})}},
    {"Calendar", IDD_CALENDAR, L"", WS_POPUP | DS_SETFOREGROUND, WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
     WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, {0, 0, 143, 99}, {
        combo(IDC_CALENDAR_MONTH, {5, 5, 48, 60}, CBS_DROPDOWNLIST),
        edit(IDC_CALENDAR_YEAR, {87, 5, 39, 12}, ES_NUMBER, Fit::Buddy),
        {IDC_CALENDAR_SPIN, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_NOTHOUSANDS, 0,
         {128, 5, 8, 12}, L"Spin1", 0, Fit::UpDown},
        text(IDC_STATIC, L"Mo     Tu    We     Th     Fr    Sa     Su ", {7, 18, 129, 10}, 0, WS_EX_STATICEDGE),
        list(IDC_CALENDAR_GRID, L"List1", {7, 37, 129, 55}, LVS_LIST | LVS_NOLABELWRAP | kPicker)}},
    {"TimeList", IDD_TIME_LIST, L"", DS_MODALFRAME | WS_POPUP, WS_CAPTION | WS_VISIBLE, 0, {0, 0, 49, 73}, {
        list(IDC_TIME_LIST, L"List2", {0, 0, 49, 73}, LVS_REPORT | LVS_ALIGNLEFT | kPicker)}},
};

// The part of a control's style that names its type rather than holding flags.
DWORD typeMask(const wchar_t* cls) {
  if (!lstrcmpiW(cls, L"Button")) return BS_TYPEMASK;
  if (!lstrcmpiW(cls, L"Static")) return SS_TYPEMASK;
  if (!lstrcmpiW(cls, L"ComboBox")) return CBS_SIMPLE | CBS_DROPDOWN;  // 1, 2 or 3
  return lstrcmpiW(cls, WC_LISTVIEWW) ? 0 : LVS_TYPEMASK;
}

HMODULE program() {  // quorvel.exe beside the tests, loaded for its resources only
  static const HMODULE module = [] {
    wchar_t path[MAX_PATH];
    std::wstring file(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    file = file.substr(0, file.find_last_of(L"\\/") + 1) + L"quorvel.exe";
    return LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }();
  return module;
}

// Resource types by number: the windows.h names follow the character set.
constexpr int kDialogType = 5, kGroupIconType = 14, kVersionType = 16, kManifestType = 24;

std::string resource(int id, int type) {
  HRSRC found = FindResourceW(program(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
  if (!found) return {};
  return {static_cast<const char*>(LockResource(LoadResource(program(), found))), SizeofResource(program(), found)};
}

// A dialog template as the resource holds it (DLGTEMPLATEEX), for what the created windows do not keep: exact style
// bits, the font, the dialog's own position and the number a static icon names. `head` is the dialog itself.
struct TemplateItem {
  DWORD style = 0, ex = 0;
  Box box = {};
  int id = 0, textNumber = -1;
  std::wstring cls, text;
};
struct DialogTemplate {
  TemplateItem head;
  std::wstring font;
  unsigned fontSize = 0;
  std::vector<TemplateItem> items;
  bool complete = false;
};

DialogTemplate readTemplate(const std::string& bytes) {
  DialogTemplate dialog;
  size_t at = 0;
  bool ok = true;
  auto u16 = [&]() -> unsigned {
    if (!(ok = ok && at + 2 <= bytes.size())) return 0;
    at += 2;
    return static_cast<unsigned char>(bytes[at - 2]) | static_cast<unsigned char>(bytes[at - 1]) << 8;
  };
  auto u32 = [&] { const DWORD low = u16(); return low | static_cast<DWORD>(u16()) << 16; };
  auto string = [&](unsigned c) {  // c: its first character, already read
    std::wstring text;
    for (; c && ok; c = u16()) text += static_cast<wchar_t>(c);
    return text;
  };
  auto nameOrNumber = [&](std::wstring& name) {  // reads a name, or returns the resource number standing for it
    const unsigned first = u16();
    if (first == 0xFFFF) return static_cast<int>(u16());
    name = string(first);
    return -1;
  };
  auto styles = [&](TemplateItem& item) { u32(), item.ex = u32(), item.style = u32(); };  // after the help id
  auto box = [&](TemplateItem& item) { for (short& value : item.box) value = static_cast<short>(u16()); };

  if (u16() != 1 || u16() != 0xFFFF) return dialog;  // version 1, extended signature
  styles(dialog.head);
  const unsigned count = u16();
  box(dialog.head);
  std::wstring menuOrClass;
  nameOrNumber(menuOrClass), nameOrNumber(menuOrClass);
  dialog.head.text = string(u16());
  if (dialog.head.style & (DS_SETFONT | DS_SHELLFONT)) {
    dialog.fontSize = u16();
    u32();  // weight, italic, character set
    dialog.font = string(u16());
  }
  static const wchar_t* const kClasses[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
  while (dialog.items.size() < count && ok) {
    at = (at + 3) & ~size_t{3};
    TemplateItem& item = dialog.items.emplace_back();
    styles(item);
    box(item);
    item.id = static_cast<int>(u32());
    const int classNumber = nameOrNumber(item.cls);
    if (classNumber >= 0x80 && classNumber <= 0x85) item.cls = kClasses[classNumber - 0x80];
    item.textNumber = nameOrNumber(item.text);
    at += u16();  // creation data
  }
  dialog.complete = ok && at <= bytes.size();
  return dialog;
}

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

RECT pixels(HWND dialog, Box box) {
  RECT r = {box[0], box[1], box[2], box[3]};  // mapped field by field: x, y, width, height
  MapDialogRect(dialog, &r);
  return r;
}

RECT childRect(HWND dialog, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring windowText(HWND window, bool className = false) {
  wchar_t text[256] = {};
  className ? GetClassNameW(window, text, 256) : GetWindowTextW(window, text, 256);
  return text;
}

// Shows the window and pumps messages until it and its controls have painted.
void showAndSettle(HWND window) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int round = 0; round < 20; ++round, Sleep(10)) {
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
  }
}

// The screenshot must be a whole bottom-up 24-bit BMP of the window's size that shows more than one colour.
void expectScreenshot(const std::string& name, HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  std::ifstream in(screenshotFolder() + "\\" + name + ".bmp", std::ios::binary);
  const std::string bmp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bmp.size(), 54u) << name;
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  std::memcpy(&file, bmp.data(), sizeof(file));
  std::memcpy(&info, bmp.data() + sizeof(file), sizeof(info));
  const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
  const size_t stride = (width * 3 + 3) & ~3;
  EXPECT_EQ(std::make_tuple(file.bfType, file.bfSize, file.bfOffBits, info.biWidth, info.biHeight, info.biBitCount),
            std::make_tuple(WORD{'B' | 'M' << 8}, DWORD(bmp.size()), DWORD{54}, width, height, WORD{24}));
  ASSERT_EQ(bmp.size(), 54 + stride * height);
  bool varied = false;
  for (size_t at = 0; at < size_t(width * height) && !varied; ++at) {
    varied = bmp.compare(54 + at / width * stride + at % width * 3, 3, bmp, 54, 3) != 0;
  }
  EXPECT_TRUE(varied) << "the screenshot is one plain colour";
}

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(program(), nullptr) << "cannot load quorvel.exe beside the tests"; }
};

class DialogResource : public ProgramResources, public ::testing::WithParamInterface<ExpectedDialog> {};

// Each dialog's template, then the dialog created from it as it shows on screen.
TEST_P(DialogResource, TemplateAndCreatedDialogMatchTheLayout) {
  const ExpectedDialog& want = GetParam();
  const DialogTemplate got = readTemplate(resource(want.id, kDialogType));
  ASSERT_TRUE(got.complete) << "template " << want.id << " is missing or not an extended template";
  EXPECT_EQ(got.head.style & (want.style | want.absent), want.style);
  EXPECT_EQ(got.head.ex & want.ex, want.ex);
  EXPECT_EQ(got.head.box, want.box);
  EXPECT_EQ(got.head.text, want.caption);
  EXPECT_EQ(got.font, L"MS Sans Serif");
  EXPECT_EQ(got.fontSize, 8u);

  INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  HWND dialog = CreateDialogParamW(program(), MAKEINTRESOURCEW(want.id), nullptr, plainDialogProc, 0);
  ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
  EXPECT_EQ(IsWindowVisible(dialog) != FALSE, (want.style & WS_VISIBLE) != 0);
  EXPECT_EQ(windowText(dialog), want.caption);
  RECT client, frame, work;
  GetClientRect(dialog, &client);
  const RECT size = pixels(dialog, {0, 0, want.box[2], want.box[3]});
  EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(size.right, size.bottom));
  if (want.style & DS_CENTER) {
    GetWindowRect(dialog, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 2);
  }

  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  EXPECT_EQ(got.items.size(), want.controls.size());
  EXPECT_EQ(children.size(), want.controls.size());
  for (size_t i = 0; i < std::min({got.items.size(), children.size(), want.controls.size()}); ++i) {
    const Control& c = want.controls[i];
    const TemplateItem& item = got.items[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(c.id));
    EXPECT_EQ(item.id, c.id);
    EXPECT_EQ(lstrcmpiW(item.cls.c_str(), c.cls), 0) << item.cls;
    const DWORD style = c.style | WS_CHILD | WS_VISIBLE;
    EXPECT_EQ(item.style & (style | WS_TABSTOP | typeMask(c.cls)), style);
    EXPECT_EQ(item.ex & c.ex, c.ex);
    EXPECT_EQ(item.box, c.box);
    EXPECT_EQ(item.text, c.text ? c.text : L"");
    EXPECT_EQ(item.textNumber, c.text ? -1 : c.icon);

    const HWND child = children[i];
    EXPECT_EQ(GetDlgCtrlID(child), c.id);
    EXPECT_EQ(lstrcmpiW(windowText(child, true).c_str(), c.cls), 0) << windowText(child, true);
    if (c.text) { EXPECT_EQ(windowText(child), c.text); }
    const RECT place = pixels(dialog, c.box), rect = childRect(dialog, child);
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (c.fit != Fit::UpDown) { EXPECT_EQ(rect.left, place.left); }
    EXPECT_EQ(rect.top, place.top);
    if (c.fit == Fit::IconSized) {
      EXPECT_EQ(width, GetSystemMetrics(SM_CXICON));
      EXPECT_EQ(height, GetSystemMetrics(SM_CYICON));
      EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0) << "the icon did not load";
    } else {
      const bool widthFits = c.fit == Fit::Buddy ? width < place.right : c.fit == Fit::UpDown || width == place.right;
      EXPECT_TRUE(widthFits) << width << " for " << place.right;
      EXPECT_TRUE(c.fit == Fit::ClosedCombo ? height < place.bottom : height == place.bottom) << height;
    }
    if (c.fit == Fit::UpDown) {
      ASSERT_GT(i, 0u) << "an up-down control follows its buddy";
      EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0)), children[i - 1]);
      EXPECT_LE(std::abs(rect.left - childRect(dialog, children[i - 1]).right), 2) << "not at its buddy's right edge";
      const RECT buddyPlace = pixels(dialog, want.controls[i - 1].box);
      EXPECT_LE(rect.right, buddyPlace.left + buddyPlace.right) << "runs past its buddy's place";
    }
    if (c.text && c.icon) {  // an icon button: show its icon, as the program does
      HANDLE image = LoadImageW(program(), MAKEINTRESOURCEW(c.icon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
      EXPECT_NE(image, nullptr);
      SendMessageW(child, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image));
    }
  }

  showAndSettle(dialog);
  const std::string name = "dialog_" + std::to_string(want.id);
  EXPECT_TRUE(saveWindowScreenshot(dialog, name));
  expectScreenshot(name, dialog);
  DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Dialog, DialogResource, ::testing::ValuesIn(kDialogs), ::testing::PrintToStringParamName());

TEST_F(ProgramResources, StringTableHoldsTheColumnCaptions) {
  for (auto [id, caption] : {std::make_pair(IDS_ALARMS, L"Alarms"), std::make_pair(IDS_NOTES, L"Notes")}) {
    wchar_t text[64] = {};
    EXPECT_GT(LoadStringW(program(), id, text, 64), 0) << id;
    EXPECT_EQ(std::wstring(text), caption) << id;
  }
}

// Each icon's group directory offers exactly the listed square images (side, bits per pixel); it loads at each side.
TEST_F(ProgramResources, IconsOfferTheirSizes) {
  using Images = std::vector<std::pair<int, int>>;
  const Images full = {{16, 32}, {32, 32}}, large = {{32, 32}};
  const std::pair<int, Images> icons[] = {{IDI_QUORVEL, full}, {IDI_BELL, full},     {IDI_REPEAT, full},
                                          {IDI_BELL_OFF, full}, {IDI_NOTES, large}, {IDI_FOLDER, large},
                                          {IDI_DROP_DOWN, {{16, 4}, {32, 4}}}};
  for (const auto& [id, images] : icons) {
    SCOPED_TRACE("icon " + std::to_string(id));
    const std::string group = resource(id, kGroupIconType);
    const auto byte = [&](size_t at) { return at < group.size() ? static_cast<unsigned char>(group[at]) : 0; };
    Images offered;  // from the 14-byte GRPICONDIRENTRY records after the 6-byte header
    for (size_t at = 6; at + 14 <= group.size() && offered.size() < size_t(byte(4) | byte(5) << 8); at += 14) {
      const int width = byte(at) ? byte(at) : 256, height = byte(at + 1) ? byte(at + 1) : 256;
      offered.emplace_back(width == height ? width : -1, byte(at + 6) | byte(at + 7) << 8);
    }
    std::sort(offered.begin(), offered.end());
    EXPECT_EQ(offered, images);
    for (const auto& [side, bits] : images) {
      HICON handle = static_cast<HICON>(LoadImageW(program(), MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, 0));
      ASSERT_NE(handle, nullptr) << side;
      ICONINFO info = {};
      ASSERT_TRUE(GetIconInfo(handle, &info));
      BITMAP mask = {};
      GetObjectW(info.hbmMask, sizeof(mask), &mask);
      EXPECT_EQ(mask.bmWidth, side);
      EXPECT_EQ(mask.bmHeight, info.hbmColor ? side : 2 * side);
      if (info.hbmColor) DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(handle);
    }
  }
}

TEST_F(ProgramResources, VersionInformationNamesQuorvel202) {
  const std::string version = resource(1, kVersionType);
  VS_FIXEDFILEINFO fixed = {};
  const size_t at = version.find("\xBD\x04\xEF\xFE");  // the fixed part's signature, 0xFEEF04BD, on a DWORD
  ASSERT_TRUE(at != std::string::npos && at % 4 == 0 && at + sizeof(fixed) <= version.size());
  std::memcpy(&fixed, version.data() + at, sizeof(fixed));
  EXPECT_EQ(fixed.dwProductVersionMS, static_cast<DWORD>(MAKELONG(2, 2)));
  EXPECT_EQ(fixed.dwFileVersionMS, static_cast<DWORD>(MAKELONG(2, 2)));
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));

  std::wstring block(version.size() / 2, L'\0');  // a string value follows its key and zero padding
  std::memcpy(&block[0], version.data(), block.size() * 2);
  for (auto [key, value] : {std::make_pair(L"ProductName", L"Quorvel"), std::make_pair(L"ProductVersion", L"2.02"),
                            std::make_pair(L"OriginalFilename", L"quorvel.exe")}) {
    size_t from = block.find(std::wstring(key) + L'\0');
    from = from == std::wstring::npos ? from : block.find_first_not_of(L'\0', from + std::wcslen(key));
    EXPECT_EQ(from == std::wstring::npos ? L"" : block.substr(from, block.find(L'\0', from) - from), value) << key;
  }
}

TEST_F(ProgramResources, ManifestAsksForCommonControls6AndNoElevation) {
  const std::string manifest = resource(1, kManifestType);
  for (const char* part : {"name=\"Quorvel.Quorvel\"", "name=\"Microsoft.Windows.Common-Controls\"",
                           "version=\"6.0.0.0\"", "level=\"asInvoker\"", "uiAccess=\"false\"",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">true</dpiAware>"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

}  // namespace
