// Checks the resources built into quorvel.exe: every dialog template as the
// windows of the program rely on it, the column captions, the icons, the
// version information and the manifest. The dialogs are created from the
// program's own file, compared with the tables below, and saved as
// screenshots for a person to look at.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "integration/screenshot.h"
#include "resource.h"

namespace {

// A rectangle in dialog units, as a template gives it.
struct Box {
  short x, y, cx, cy;
};

bool operator==(const Box& a, const Box& b) {
  return a.x == b.x && a.y == b.y && a.cx == b.cx && a.cy == b.cy;
}

void PrintTo(const Box& box, std::ostream* out) {
  *out << box.x << "," << box.y << " " << box.cx << "x" << box.cy;
}

// How the system may change a control's rectangle once it is created.
enum class Fit {
  Exact,           // the template's rectangle
  ClosedComboBox,  // the template height is the dropped-down height
  IconSized,       // a static icon takes the size of its icon
  UpDownBuddy,     // gives up the right end of its width to its up-down control
  UpDownAttached,  // moves to the right edge of its buddy
};

struct ExpectedControl {
  int id;
  const wchar_t* className;
  DWORD kind;      // the class's type value (BS_, SS_, CBS_ or LVS_ type)
  DWORD styles;    // bits the template must set
  DWORD absent;    // bits the template must not set
  DWORD exStyles;  // extended bits the template must set
  Box box;
  const wchar_t* text;  // the template text; nullptr for a static icon
  int icon;             // the icon a static icon names, or that the program puts on a button
  Fit fit;
};

struct ExpectedDialog {
  const char* name;
  int id;
  const wchar_t* caption;
  DWORD styles;
  DWORD absent;
  DWORD exStyles;
  Box box;
  std::vector<ExpectedControl> controls;
};

ExpectedControl button(int id, const wchar_t* text, Box box, DWORD kind = BS_PUSHBUTTON,
                       DWORD styles = WS_TABSTOP) {
  return {id, L"Button", kind, styles, 0, 0, box, text, 0, Fit::Exact};
}
ExpectedControl checkbox(int id, const wchar_t* text, Box box) {
  return {id, L"Button", BS_AUTOCHECKBOX, WS_TABSTOP, 0, 0, box, text, 0, Fit::Exact};
}
ExpectedControl iconButton(int id, const wchar_t* text, Box box, int icon, bool tabStop) {
  const DWORD tab = tabStop ? WS_TABSTOP : 0;
  return {id, L"Button", BS_PUSHBUTTON, BS_ICON | BS_CENTER | tab, WS_TABSTOP & ~tab, 0, box, text, icon, Fit::Exact};
}
ExpectedControl dropButton(int id, Box box, const wchar_t* text = L"ARDOWN") {
  return iconButton(id, text, box, IDI_DROP_DOWN, false);
}
ExpectedControl text(int id, const wchar_t* text, Box box, DWORD styles = 0, DWORD exStyles = 0) {
  return {id, L"Static", SS_LEFT, styles, 0, exStyles, box, text, 0, Fit::Exact};
}
ExpectedControl label(const wchar_t* caption, Box box) { return text(IDC_STATIC, caption, box); }
ExpectedControl separator(Box box) { return text(IDC_STATIC, L"", box, 0, WS_EX_STATICEDGE); }
ExpectedControl staticIcon(int icon, Box box) {
  return {IDC_STATIC, L"Static", SS_ICON, 0, 0, 0, box, nullptr, icon, Fit::IconSized};
}
ExpectedControl edit(int id, Box box, DWORD styles = ES_AUTOHSCROLL, Fit fit = Fit::Exact) {
  return {id, L"Edit", 0, styles | WS_BORDER | WS_TABSTOP, 0, 0, box, L"", 0, fit};
}
ExpectedControl comboBox(int id, Box box, DWORD kind, DWORD styles) {
  return {id, L"ComboBox", kind, styles | WS_VSCROLL | WS_TABSTOP, 0, 0, box, L"", 0,
          Fit::ClosedComboBox};
}
ExpectedControl listView(int id, const wchar_t* text, Box box, DWORD kind, DWORD styles,
                         DWORD exStyles = 0) {
  return {id, WC_LISTVIEWW, kind, styles | WS_BORDER | WS_TABSTOP, 0, exStyles, box, text, 0, Fit::Exact};
}
ExpectedControl upDown(int id, const wchar_t* text, Box box, DWORD styles) {
  return {id, UPDOWN_CLASSW, 0, styles, 0, 0, box, text, 0, Fit::UpDownAttached};
}

constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

void PrintTo(const ExpectedDialog& dialog, std::ostream* out) { *out << dialog.name; }

const std::vector<ExpectedDialog>& expectedDialogs() {
  static const std::vector<ExpectedDialog> dialogs = {
      {"About", IDD_ABOUT, L"About Quorvel", kModal, WS_VISIBLE, 0, {40, 50, 225, 89},
       {staticIcon(IDI_QUORVEL, {12, 14, 20, 20}),
        label(L"Quorvel Version 2.02", {44, 20, 119, 8}),
        button(IDOK, L"OK", {168, 8, 50, 14}, BS_DEFPUSHBUTTON)}},
      {"Main", IDD_MAIN, L"Quorvel", kModal | DS_3DLOOK | WS_MINIMIZEBOX,
       WS_VISIBLE | WS_MAXIMIZEBOX | WS_THICKFRAME, 0, {30, 40, 241, 177},
       {button(IDOK, L"&OK", {184, 8, 52, 16}, BS_DEFPUSHBUTTON),
        button(IDCANCEL, L"E&xit", {184, 28, 52, 16}),
        button(IDC_MAIN_ABOUT, L"A&bout", {184, 56, 52, 16}),
        button(IDC_MAIN_SETUP, L"&Setup", {184, 76, 52, 16}),
        button(IDC_MAIN_HELP, L"&Help", {184, 96, 52, 16}),
        edit(IDC_MAIN_TIME, {68, 12, 44, 12}),
        label(L"Time:", {37, 15, 28, 8}),
        listView(IDC_MAIN_LIST, L"", {4, 36, 172, 136}, LVS_REPORT,
                 LVS_SORTDESCENDING | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_ALIGNLEFT,
                 WS_EX_DLGMODALFRAME),
        button(IDC_MAIN_ADD, L"&Add", {184, 136, 52, 16}),
        button(IDC_MAIN_DELETE, L"&Delete", {184, 156, 52, 16}),
        button(IDC_MAIN_EDIT, L"&Edit", {184, 116, 52, 16})}},
      {"AlarmEditor", IDD_ALARM_EDITOR, L"Edit Alarm", kModal | DS_CENTER, WS_VISIBLE, 0,
       {0, 0, 310, 218},
       {label(L"&Message:", {5, 7, 45, 8}),
        edit(IDC_EDIT_MESSAGE, {55, 5, 250, 12}),
        separator({5, 20, 300, 1}),
        label(L"&Alarm time:", {5, 27, 35, 8}),
        edit(IDC_EDIT_DATE, {105, 25, 45, 12}),
        dropButton(IDC_EDIT_DATE_DROP, {151, 25, 8, 11}),
        edit(IDC_EDIT_TIME, {163, 25, 45, 12}),
        dropButton(IDC_EDIT_TIME_DROP, {209, 25, 8, 11}),
        checkbox(IDC_EDIT_REPEAT, L"&Repeat:", {5, 40, 52, 12}),
        label(L"A&fter:", {76, 42, 24, 8}),
        edit(IDC_EDIT_REPEAT_DAYS, {105, 40, 45, 12}),
        dropButton(IDC_EDIT_REPEAT_DAYS_DROP, {151, 40, 8, 11}),
        edit(IDC_EDIT_REPEAT_TIME, {163, 40, 45, 12}),
        dropButton(IDC_EDIT_REPEAT_TIME_DROP, {209, 40, 8, 11}),
        label(L"&Summary:", {222, 42, 32, 8}),
        edit(IDC_EDIT_REPEAT_COUNT, {256, 40, 24, 12}),
        label(L"times", {286, 42, 13, 8}),
        separator({5, 55, 300, 1}),
        checkbox(IDC_EDIT_IN_TIME, L"&In time", {5, 60, 85, 10}),
        checkbox(IDC_EDIT_AUTODELETE, L"A&utodelete", {105, 60, 60, 10}),
        checkbox(IDC_EDIT_SHOW_MESSAGE, L"S&how message", {170, 60, 70, 10}),
        checkbox(IDC_EDIT_SAY_TIME, L"Sa&y time", {245, 60, 63, 10}),
        checkbox(IDC_EDIT_PLAY_WAVE, L"Play &wav:", {5, 75, 75, 10}),
        edit(IDC_EDIT_WAVE_FILE, {105, 75, 183, 12}),
        iconButton(IDC_EDIT_WAVE_BROWSE, L"GETFILE", {290, 75, 15, 12}, IDI_NOTES, true),
        separator({5, 90, 300, 1}),
        checkbox(IDC_EDIT_EXECUTE, L"&Execute:", {5, 95, 95, 12}),
        edit(IDC_EDIT_COMMAND_LINE, {105, 95, 183, 12}),
        iconButton(IDC_EDIT_PROGRAM_BROWSE, L"GETPROG", {290, 95, 15, 12}, IDI_FOLDER, true),
        label(L"&Working folder:", {5, 112, 52, 8}),
        edit(IDC_EDIT_WORKING_FOLDER, {105, 110, 200, 12}),
        label(L"W&indow size:", {5, 127, 43, 8}),
        comboBox(IDC_EDIT_WINDOW_SIZE, {105, 125, 200, 40}, CBS_DROPDOWN, CBS_SORT),
        checkbox(IDC_EDIT_WAIT_FOR_USER_AWAY, L"Wai&t for user away", {5, 140, 110, 10}),
        checkbox(IDC_EDIT_EXECUTE_WHEN_PREVIOUS_CLOSED,
                 L"Exe&cute when previous application is closed", {115, 140, 195, 10}),
        separator({5, 150, 300, 1}),
        checkbox(IDC_EDIT_CLOSE_AFTER, L"Cl&ose application after:", {5, 155, 115, 10}),
        edit(IDC_EDIT_CLOSE_AFTER_TIME, {163, 155, 45, 12}),
        dropButton(IDC_EDIT_CLOSE_AFTER_DROP, {209, 155, 8, 11}),
        checkbox(IDC_EDIT_CLOSE_WHEN_USER_BACK, L"Close a&pplication when user is back",
                 {5, 170, 129, 10}),
        checkbox(IDC_EDIT_CLOSE_ON_NEXT_EXECUTE, L"Close application whe&n executing next",
                 {5, 185, 181, 10}),
        separator({5, 195, 300, 1}),
        button(IDOK, L"&OK", {200, 200, 52, 16}, BS_DEFPUSHBUTTON),
        button(IDCANCEL, L"&Cancel", {255, 200, 52, 16})}},
      {"Setup", IDD_SETUP, L"Настройка", kModal, WS_VISIBLE, 0, {10, 10, 189, 84},
       {comboBox(IDC_SETUP_THEME, {40, 5, 145, 45}, CBS_DROPDOWN, CBS_SORT),
        edit(IDC_SETUP_SILENCE_FROM, {55, 25, 45, 12}),
        edit(IDC_SETUP_SILENCE_TO, {130, 25, 45, 12}),
        button(IDOK, L"&OK", {80, 65, 50, 14}),
        button(IDCANCEL, L"&Cancel", {135, 65, 50, 14}),
        label(L"Theme:", {5, 7, 25, 8}),
        separator({5, 20, 180, 1}),
        label(L"Silence   from", {5, 27, 43, 8}),
        dropButton(IDC_SETUP_FROM_DROP, {101, 25, 8, 11}, L""),
        dropButton(IDC_SETUP_TO_DROP, {176, 25, 8, 11}, L""),
        label(L"to", {115, 27, 10, 8})}},
      {"AlarmMessage", IDD_ALARM_MESSAGE, L"Quorvel", kModal | WS_VISIBLE, 0, 0, {0, 0, 224, 63},
       {button(IDOK, L"OK", {165, 5, 55, 14}, BS_DEFPUSHBUTTON, WS_TABSTOP | WS_GROUP),
        staticIcon(IDI_QUORVEL, {10, 5, 20, 20}),
        text(IDC_MESSAGE_TEXT, L"", {5, 30, 215, 15}, SS_SUNKEN | SS_NOPREFIX | SS_CENTERIMAGE),
        text(IDC_MESSAGE_DATE, L"", {50, 10, 40, 10}),
        text(IDC_MESSAGE_TIME, L"", {105, 10, 40, 10})}},
      {"Calendar", IDD_CALENDAR, L"", WS_POPUP | DS_SETFOREGROUND,
       WS_CAPTION | WS_SYSMENU | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE,
       {0, 0, 143, 99},
       {comboBox(IDC_CALENDAR_MONTH, {5, 5, 48, 60}, CBS_DROPDOWNLIST, 0),
        edit(IDC_CALENDAR_YEAR, {87, 5, 39, 12}, ES_NUMBER, Fit::UpDownBuddy),
        upDown(IDC_CALENDAR_SPIN, L"Spin1", {128, 5, 8, 12},
               UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_NOTHOUSANDS),
        text(IDC_STATIC, L"Mo     Tu    We     Th     Fr    Sa     Su ", {7, 18, 129, 10}, 0,
             WS_EX_STATICEDGE),
        listView(IDC_CALENDAR_GRID, L"List1", {7, 37, 129, 55}, LVS_LIST,
                 LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP | LVS_AUTOARRANGE |
                     LVS_NOCOLUMNHEADER)}},
      {"TimeList", IDD_TIME_LIST, L"", DS_MODALFRAME | WS_POPUP, WS_CAPTION | WS_VISIBLE, 0,
       {0, 0, 49, 73},
       {listView(IDC_TIME_LIST, L"List2", {0, 0, 49, 73}, LVS_REPORT,
                 LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_ALIGNLEFT |
                     LVS_NOCOLUMNHEADER)}},
  };
  return dialogs;
}

// The part of a control's style that names its type rather than holding flags.
DWORD kindMask(const std::wstring& className) {
  if (!lstrcmpiW(className.c_str(), L"Button")) return BS_TYPEMASK;
  if (!lstrcmpiW(className.c_str(), L"Static")) return SS_TYPEMASK;
  if (!lstrcmpiW(className.c_str(), L"ComboBox")) return CBS_SIMPLE | CBS_DROPDOWN;  // 1, 2 or 3
  if (!lstrcmpiW(className.c_str(), WC_LISTVIEWW)) return LVS_TYPEMASK;
  return 0;
}

std::string narrow(const std::wstring& text) {
  std::string out(text.size() * 4 + 1, '\0');
  int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], static_cast<int>(out.size()),
                                   nullptr, nullptr);
  out.resize(length > 0 ? length - 1 : 0);
  return out;
}

// ---------------------------------------------------------------------------
// The program's file, loaded for its resources only.

std::wstring programPath() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + L"quorvel.exe";
}

HMODULE program() {
  static HMODULE module = LoadLibraryExW(programPath().c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  return module;
}

struct ResourceBytes {
  const unsigned char* data = nullptr;
  DWORD size = 0;
};

// Resource types, by number: the windows.h names follow the character set.
constexpr int kDialogType = 5, kGroupIconType = 14, kVersionType = 16, kManifestType = 24;

ResourceBytes resource(int id, int type) {
  HRSRC found = FindResourceW(program(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(program(), found);
  return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(program(), found)};
}

// ---------------------------------------------------------------------------
// A dialog template as the resource holds it (DLGTEMPLATEEX), to check what
// the system does not keep in the created windows: exact style bits, the
// font, the dialog's own position and the ordinal of a static icon.

struct TemplateItem {
  DWORD style = 0, exStyle = 0;
  Box box = {};
  int id = 0;
  std::wstring className, text;
  int textOrdinal = -1;  // set when the text is a resource number
};

struct DialogTemplate {
  DWORD style = 0, exStyle = 0;
  Box box = {};
  std::wstring caption, font;
  int fontSize = 0;
  std::vector<TemplateItem> items;
  bool complete = false;
};

class TemplateReader {
 public:
  explicit TemplateReader(ResourceBytes bytes) : m_start(bytes.data), m_end(bytes.data + bytes.size), m_at(bytes.data) {}

  DialogTemplate read() {
    DialogTemplate dialog;
    if (!m_start || u16() != 1 || u16() != 0xFFFF) return dialog;  // version 1, extended signature
    u32();                                                         // help id
    dialog.exStyle = u32();
    dialog.style = u32();
    const int count = u16();
    dialog.box = box();
    std::wstring ignored;
    int ordinal;
    nameOrOrdinal(ignored, ordinal);  // menu
    nameOrOrdinal(ignored, ordinal);  // window class
    dialog.caption = string();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
      dialog.fontSize = u16();
      u16();  // weight
      u16();  // italic, character set
      dialog.font = string();
    }
    for (int i = 0; i < count && m_ok; ++i) {
      align();
      TemplateItem item;
      u32();  // help id
      item.exStyle = u32();
      item.style = u32();
      item.box = box();
      item.id = static_cast<int>(u32());
      int classOrdinal;
      nameOrOrdinal(item.className, classOrdinal);
      if (classOrdinal >= 0) item.className = predefinedClass(classOrdinal);
      nameOrOrdinal(item.text, item.textOrdinal);
      m_at += u16();  // creation data
      dialog.items.push_back(item);
    }
    dialog.complete = m_ok && m_at <= m_end;
    return dialog;
  }

 private:
  static std::wstring predefinedClass(int ordinal) {
    static const wchar_t* const names[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
    return ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : L"?";
  }
  unsigned u16() {
    if (m_end - m_at < 2) {
      m_ok = false;
      return 0;
    }
    unsigned value = m_at[0] | m_at[1] << 8;
    m_at += 2;
    return value;
  }
  DWORD u32() { return u16() | static_cast<DWORD>(u16()) << 16; }
  Box box() {
    Box b;
    b.x = static_cast<short>(u16());
    b.y = static_cast<short>(u16());
    b.cx = static_cast<short>(u16());
    b.cy = static_cast<short>(u16());
    return b;
  }
  std::wstring string() {
    std::wstring text;
    for (unsigned c = u16(); c && m_ok; c = u16()) text += static_cast<wchar_t>(c);
    return text;
  }
  void nameOrOrdinal(std::wstring& name, int& ordinal) {
    ordinal = -1;
    unsigned first = u16();
    if (first == 0xFFFF) {
      ordinal = static_cast<int>(u16());
    } else if (first != 0) {
      name = static_cast<wchar_t>(first) + string();
    }
  }
  void align() { m_at = m_start + ((m_at - m_start + 3) & ~3); }

  const unsigned char* m_start;
  const unsigned char* m_end;
  const unsigned char* m_at;
  bool m_ok = true;
};

// ---------------------------------------------------------------------------
// The created dialog.

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

RECT pixels(HWND dialog, Box box) {
  RECT r = {box.x, box.y, box.cx, box.cy};  // mapped field by field: x, y, width, height
  MapDialogRect(dialog, &r);
  return r;
}

RECT childRect(HWND dialog, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring windowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring className(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Pumps messages until the window and its controls have painted.
void settle(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int round = 0; round < 20; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// The screenshot file is a whole 24-bit BMP of the window's size that shows
// more than one colour.
void expectValidScreenshot(const std::string& name, HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  const std::string path = screenshotFolder() + "\\" + name + ".bmp";
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 54u) << path;
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16) |
           static_cast<uint32_t>(bytes[at + 3]) << 24;
  };
  const uint32_t width = frame.right - frame.left, height = frame.bottom - frame.top;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(u32(2), bytes.size());
  EXPECT_EQ(u32(10), 54u);
  EXPECT_EQ(u32(18), width);
  EXPECT_EQ(u32(22), height);  // positive: bottom row first
  EXPECT_EQ(bytes[28], 24);
  ASSERT_EQ(bytes.size(), 54 + stride * height);
  bool varied = false;
  for (uint32_t y = 0; y < height && !varied; ++y) {
    for (uint32_t x = 0; x < width && !varied; ++x) {
      varied = !std::equal(bytes.begin() + 54, bytes.begin() + 57, bytes.begin() + 54 + y * stride + x * 3);
    }
  }
  EXPECT_TRUE(varied) << "the screenshot is one plain colour";
}

class DialogTemplateTest : public ::testing::TestWithParam<ExpectedDialog> {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
  }
};

TEST_P(DialogTemplateTest, TemplateHoldsTheStylesFontAndLayout) {
  const ExpectedDialog& expected = GetParam();
  ASSERT_NE(program(), nullptr) << "cannot load " << narrow(programPath());
  const DialogTemplate dialog = TemplateReader(resource(expected.id, kDialogType)).read();
  ASSERT_TRUE(dialog.complete) << "template " << expected.id << " is missing or not an extended template";

  EXPECT_EQ(dialog.style & expected.styles, expected.styles);
  EXPECT_EQ(dialog.style & expected.absent, 0u);
  EXPECT_EQ(dialog.exStyle & expected.exStyles, expected.exStyles);
  EXPECT_EQ(dialog.box, expected.box);
  EXPECT_EQ(dialog.caption, expected.caption);
  EXPECT_EQ(dialog.font, L"MS Sans Serif");
  EXPECT_EQ(dialog.fontSize, 8);

  ASSERT_EQ(dialog.items.size(), expected.controls.size());
  for (size_t i = 0; i < dialog.items.size(); ++i) {
    const TemplateItem& item = dialog.items[i];
    const ExpectedControl& control = expected.controls[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(control.id));
    EXPECT_EQ(item.id, control.id);
    EXPECT_EQ(lstrcmpiW(item.className.c_str(), control.className), 0) << narrow(item.className);
    const DWORD mask = kindMask(control.className);
    EXPECT_EQ(item.style & mask, control.kind);
    EXPECT_EQ(item.style & (control.styles | WS_CHILD | WS_VISIBLE), control.styles | WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(item.style & control.absent, 0u);
    EXPECT_EQ(item.exStyle & control.exStyles, control.exStyles);
    EXPECT_EQ(item.box, control.box);
    if (control.text) {
      EXPECT_EQ(item.text, control.text);
    } else {
      EXPECT_EQ(item.textOrdinal, control.icon);
    }
  }
}

// Compares a created control's rectangle with its template rectangle, as
// far as the system leaves it; an up-down control is given its buddy.
void expectPlacement(HWND dialog, HWND child, const ExpectedControl& control, HWND buddy,
                     const ExpectedControl* buddyControl) {
  const RECT want = pixels(dialog, control.box);
  const RECT got = childRect(dialog, child);
  const LONG width = got.right - got.left, height = got.bottom - got.top;
  switch (control.fit) {
    case Fit::Exact:
      EXPECT_EQ(got.left, want.left);
      EXPECT_EQ(got.top, want.top);
      EXPECT_EQ(width, want.right);
      EXPECT_EQ(height, want.bottom);
      break;
    case Fit::ClosedComboBox:
      EXPECT_EQ(got.left, want.left);
      EXPECT_EQ(got.top, want.top);
      EXPECT_EQ(width, want.right);
      EXPECT_LT(height, want.bottom);
      break;
    case Fit::IconSized:
      EXPECT_EQ(got.left, want.left);
      EXPECT_EQ(got.top, want.top);
      EXPECT_EQ(width, GetSystemMetrics(SM_CXICON));
      EXPECT_EQ(height, GetSystemMetrics(SM_CYICON));
      EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0) << "the icon did not load";
      break;
    case Fit::UpDownBuddy:
      EXPECT_EQ(got.left, want.left);
      EXPECT_EQ(got.top, want.top);
      EXPECT_EQ(height, want.bottom);
      EXPECT_LT(width, want.right);
      break;
    case Fit::UpDownAttached: {
      ASSERT_TRUE(buddy && buddyControl) << "an up-down control follows its buddy";
      EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0)), buddy);
      const RECT buddyRect = childRect(dialog, buddy);
      EXPECT_LE(std::abs(got.left - buddyRect.right), 2) << "not at the right edge of its buddy";
      EXPECT_EQ(got.top, want.top);
      EXPECT_EQ(height, want.bottom);
      const RECT buddyWant = pixels(dialog, buddyControl->box);
      EXPECT_LE(got.right, buddyWant.left + buddyWant.right) << "runs past its buddy's place";
      break;
    }
  }
}

TEST_P(DialogTemplateTest, CreatedDialogShowsTheControlsInPlace) {
  const ExpectedDialog& expected = GetParam();
  ASSERT_NE(program(), nullptr) << "cannot load " << narrow(programPath());
  HWND dialog = CreateDialogParamW(program(), MAKEINTRESOURCEW(expected.id), nullptr, plainDialogProc, 0);
  ASSERT_NE(dialog, nullptr) << "error " << GetLastError();

  EXPECT_EQ(IsWindowVisible(dialog) != FALSE, (expected.styles & WS_VISIBLE) != 0);
  EXPECT_EQ(windowText(dialog), expected.caption) << narrow(windowText(dialog));
  RECT client;
  GetClientRect(dialog, &client);
  const RECT size = pixels(dialog, {0, 0, expected.box.cx, expected.box.cy});
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);
  if (expected.styles & DS_CENTER) {
    RECT frame, work;
    GetWindowRect(dialog, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 2);
  }

  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  EXPECT_EQ(children.size(), expected.controls.size());
  for (size_t i = 0; i < std::min(children.size(), expected.controls.size()); ++i) {
    const HWND child = children[i];
    const ExpectedControl& control = expected.controls[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(control.id));
    EXPECT_EQ(GetDlgCtrlID(child), control.id);
    EXPECT_EQ(lstrcmpiW(className(child).c_str(), control.className), 0) << narrow(className(child));
    if (control.text) {
      EXPECT_EQ(windowText(child), control.text) << narrow(windowText(child));
    }
    const bool afterBuddy = i > 0 && control.fit == Fit::UpDownAttached;
    expectPlacement(dialog, child, control, afterBuddy ? children[i - 1] : nullptr,
                    afterBuddy ? &expected.controls[i - 1] : nullptr);
    if (control.text && control.icon) {  // an icon button: show its icon, as the program does
      HANDLE icon = LoadImageW(program(), MAKEINTRESOURCEW(control.icon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
      EXPECT_NE(icon, nullptr);
      SendMessageW(child, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
  }

  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  settle(dialog);
  const std::string name = "dialog_" + std::to_string(expected.id);
  EXPECT_TRUE(saveWindowScreenshot(dialog, name));
  expectValidScreenshot(name, dialog);
  DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplateTest, ::testing::ValuesIn(expectedDialogs()),
                         [](const ::testing::TestParamInfo<ExpectedDialog>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// String table, icons, version information, manifest.

TEST(ProgramResources, StringTableHoldsTheColumnCaptions) {
  ASSERT_NE(program(), nullptr) << "cannot load " << narrow(programPath());
  const struct {
    int id;
    const wchar_t* text;
  } strings[] = {{IDS_ALARMS, L"Alarms"}, {IDS_NOTES, L"Notes"}};
  for (const auto& s : strings) {
    wchar_t text[64] = {};
    EXPECT_GT(LoadStringW(program(), s.id, text, 64), 0) << s.id;
    EXPECT_EQ(std::wstring(text), s.text) << s.id;
  }
}

struct IconImage {
  int size;
  int bits;
  bool operator<(const IconImage& o) const { return size != o.size ? size < o.size : bits < o.bits; }
  bool operator==(const IconImage& o) const { return size == o.size && bits == o.bits; }
};

// The images an icon resource offers, from its RT_GROUP_ICON directory.
std::vector<IconImage> iconImages(int id) {
  const ResourceBytes group = resource(id, kGroupIconType);
  std::vector<IconImage> images;
  if (!group.data || group.size < 6) return images;
  const int count = group.data[4] | group.data[5] << 8;
  for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(group.size); ++i) {
    const unsigned char* entry = group.data + 6 + 14 * i;  // GRPICONDIRENTRY
    const int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
    images.push_back({width == height ? width : -1, entry[6] | entry[7] << 8});
  }
  std::sort(images.begin(), images.end());
  return images;
}

TEST(ProgramResources, IconsOfferTheirSizes) {
  ASSERT_NE(program(), nullptr) << "cannot load " << narrow(programPath());
  const struct {
    int id;
    std::vector<IconImage> images;  // smallest first
  } icons[] = {
      {IDI_QUORVEL, {{16, 32}, {32, 32}}}, {IDI_BELL, {{16, 32}, {32, 32}}},
      {IDI_REPEAT, {{16, 32}, {32, 32}}},  {IDI_BELL_OFF, {{16, 32}, {32, 32}}},
      {IDI_NOTES, {{32, 32}}},             {IDI_FOLDER, {{32, 32}}},
      {IDI_DROP_DOWN, {{16, 4}, {32, 4}}},
  };
  for (const auto& icon : icons) {
    SCOPED_TRACE("icon " + std::to_string(icon.id));
    EXPECT_TRUE(iconImages(icon.id) == icon.images);
    for (const IconImage& image : icon.images) {
      HICON handle = static_cast<HICON>(
          LoadImageW(program(), MAKEINTRESOURCEW(icon.id), IMAGE_ICON, image.size, image.size, 0));
      ASSERT_NE(handle, nullptr) << image.size;
      ICONINFO info = {};
      ASSERT_TRUE(GetIconInfo(handle, &info));
      BITMAP mask = {};
      GetObjectW(info.hbmMask, sizeof(mask), &mask);
      EXPECT_EQ(mask.bmWidth, image.size);
      EXPECT_EQ(mask.bmHeight, info.hbmColor ? image.size : 2 * image.size);
      if (info.hbmColor) DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(handle);
    }
  }
}

// A string of the version information: its key, zero padding, then the value.
std::wstring versionString(const std::wstring& block, const std::wstring& key) {
  size_t at = block.find(key + L'\0');
  if (at == std::wstring::npos) return L"";
  at = block.find_first_not_of(L'\0', at + key.size());
  return at == std::wstring::npos ? L"" : block.substr(at, block.find(L'\0', at) - at);
}

TEST(ProgramResources, VersionInformationNamesQuorvel202) {
  ASSERT_NE(program(), nullptr) << "cannot load " << narrow(programPath());
  const ResourceBytes version = resource(1, kVersionType);
  ASSERT_NE(version.data, nullptr);
  VS_FIXEDFILEINFO fixed = {};
  for (size_t at = 0; at + sizeof(fixed) <= version.size; at += 4) {  // the fixed part starts on a DWORD
    if (!std::memcmp(version.data + at, "\xBD\x04\xEF\xFE", 4)) {      // with the signature 0xFEEF04BD
      std::memcpy(&fixed, version.data + at, sizeof(fixed));
      break;
    }
  }
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwProductVersionMS, static_cast<DWORD>(MAKELONG(2, 2)));
  EXPECT_EQ(fixed.dwFileVersionMS, static_cast<DWORD>(MAKELONG(2, 2)));
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));

  std::wstring block(version.size / 2, L'\0');
  std::memcpy(&block[0], version.data, block.size() * 2);
  EXPECT_EQ(versionString(block, L"ProductName"), L"Quorvel");
  EXPECT_EQ(versionString(block, L"ProductVersion"), L"2.02");
  EXPECT_EQ(versionString(block, L"OriginalFilename"), L"quorvel.exe");
}

TEST(ProgramResources, ManifestAsksForCommonControls6AndNoElevation) {
  ASSERT_NE(program(), nullptr) << "cannot load " << narrow(programPath());
  const ResourceBytes manifest = resource(1, kManifestType);
  ASSERT_NE(manifest.data, nullptr);
  const std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
  for (const char* part : {"name=\"Quorvel.Quorvel\"", "name=\"Microsoft.Windows.Common-Controls\"",
                           "version=\"6.0.0.0\"", "level=\"asInvoker\"", "uiAccess=\"false\"",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">true</dpiAware>"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

}  // namespace
