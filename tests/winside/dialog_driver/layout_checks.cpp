#include "layout_checks.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "driver_support.h"

namespace {

struct ExpectedControl {
  int id;
  const char* className;
  const char* text;
  short x, y, cx, cy;
  DWORD style;  // without WS_CHILD | WS_VISIBLE, which every control has
  DWORD exStyle;
};

constexpr DWORD trackbarStyle = TBS_AUTOTICKS | WS_TABSTOP;
constexpr DWORD listStyle = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr const char* trackbar = "msctls_trackbar32";

// The dialog as the product defines it, in template (and tab) order.
const ExpectedControl expectedControls[] = {
    {1, "Button", "OK", 50, 255, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {2, "Button", "Cancel", 120, 255, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
    {1000, trackbar, "", 59, 119, 100, 20, trackbarStyle, WS_EX_TRANSPARENT},
    {-1, "Static", "Quellwire 1.1.0b0", 63, 20, 51, 8, SS_LEFT | WS_GROUP, 0},
    {-1, "Static", nullptr, 30, 29, 116, 8, SS_CENTER | WS_GROUP, 0},  // contact line, any text
    {1010, "Static", "Wires:", 37, 121, 22, 8, SS_RIGHT | WS_GROUP, 0},
    {1013, "Static", "Few", 61, 111, 15, 10, SS_LEFTNOWORDWRAP | WS_GROUP, 0},
    {1014, "Static", "Many", 141, 111, 18, 10, SS_LEFTNOWORDWRAP | WS_GROUP, 0},
    {1002, trackbar, "", 59, 154, 100, 20, trackbarStyle, WS_EX_TRANSPARENT},
    {1012, "Static", "Wire Length:", 17, 156, 42, 8, SS_RIGHT | WS_GROUP, 0},
    {1017, "Static", "Short", 59, 145, 18, 10, SS_CENTER | WS_GROUP, 0},
    {1018, "Static", "Long", 141, 145, 18, 10, SS_CENTER | WS_GROUP, 0},
    {1009, "Button", "Reset", 63, 225, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
    {1003, trackbar, "", 59, 191, 100, 20, trackbarStyle, WS_EX_TRANSPARENT},
    {1015, "Static", "Speed:", 35, 193, 24, 8, SS_RIGHT | WS_GROUP, 0},
    {1019, "Static", "Slow", 61, 183, 15, 10, SS_CENTER | WS_GROUP, 0},
    {1020, "Static", "Fast", 141, 183, 18, 10, SS_CENTER | WS_GROUP, 0},
    {1022, "ComboBox", "", 64, 70, 74, 67, listStyle, 0},
    {1011, "Static", "Glow:", 40, 72, 19, 8, SS_RIGHT | WS_GROUP, 0},
    {1023, "ComboBox", "", 64, 46, 74, 94, listStyle, 0},
    {1016, "Static", "Colors:", 35, 48, 24, 8, SS_RIGHT | WS_GROUP, 0},
    {1024, "Button", "Symmetry", 65, 93, 48, 10, BS_AUTOCHECKBOX | WS_TABSTOP, 0},
};
constexpr int expectedCount = sizeof(expectedControls) / sizeof(expectedControls[0]);

constexpr DWORD expectedDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT;

// ---- Reading an extended dialog template ----------------------------------------------------

class TemplateReader {
 public:
  TemplateReader(const BYTE* data, DWORD size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  WORD word() { return read<WORD>(); }
  DWORD dword() { return read<DWORD>(); }
  short shortValue() { return read<short>(); }
  BYTE byte() { return read<BYTE>(); }
  void alignToDword() { offset_ = (offset_ + 3) & ~static_cast<DWORD>(3); }
  void skip(DWORD bytes) { offset_ += bytes; }

  // A string or an ordinal: 0 is empty, 0xFFFF is followed by an ordinal.
  std::string stringOrOrdinal() {
    const WORD first = word();
    if (first == 0xFFFF) return ordinalName(word());
    std::string text;
    for (WORD c = first; c != 0 && ok_; c = word()) text += static_cast<char>(c);
    return text;
  }

 private:
  template <typename T>
  T read() {
    T value{};
    if (offset_ + sizeof(T) > size_) {
      ok_ = false;
      return value;
    }
    std::memcpy(&value, data_ + offset_, sizeof(T));
    offset_ += sizeof(T);
    return value;
  }

  static std::string ordinalName(WORD ordinal) {
    switch (ordinal) {
      case 0x80:
        return "Button";
      case 0x81:
        return "Edit";
      case 0x82:
        return "Static";
      case 0x83:
        return "ListBox";
      case 0x84:
        return "ScrollBar";
      case 0x85:
        return "ComboBox";
      default:
        return "#" + std::to_string(ordinal);
    }
  }

  const BYTE* data_;
  DWORD size_;
  DWORD offset_ = 0;
  bool ok_ = true;
};

std::string lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

void checkTemplateControl(TemplateReader& reader, const ExpectedControl& expected, int index) {
  reader.alignToDword();
  reader.dword();  // help id
  const DWORD exStyle = reader.dword();
  const DWORD style = reader.dword();
  const short x = reader.shortValue(), y = reader.shortValue();
  const short cx = reader.shortValue(), cy = reader.shortValue();
  const DWORD id = reader.dword();
  const std::string className = reader.stringOrOrdinal();
  const std::string text = reader.stringOrOrdinal();
  reader.skip(reader.word());  // creation data

  char what[64];
  wsprintfA(what, "template control %d (id %d)", index, expected.id);
  expectEqual(static_cast<DWORD>(expected.id), id, what);
  expectText(lower(expected.className).c_str(), lower(className).c_str(), what);
  if (expected.text) expectText(expected.text, text.c_str(), what);
  expectTrue(x == expected.x && y == expected.y && cx == expected.cx && cy == expected.cy,
             "%s: at %d,%d size %d x %d, expected %d,%d size %d x %d", what, x, y, cx, cy,
             expected.x, expected.y, expected.cx, expected.cy);
  expectTrue(style == (expected.style | WS_CHILD | WS_VISIBLE),
             "%s: style 0x%08lx, expected 0x%08lx", what, style,
             expected.style | WS_CHILD | WS_VISIBLE);
  expectTrue(exStyle == expected.exStyle, "%s: extended style 0x%08lx, expected 0x%08lx", what,
             exStyle, expected.exStyle);
}

// Pixels for a rectangle in dialog units, measured on a hidden dialog of this process that has
// the same font, so that it converts exactly as the saver's dialog should.
class DialogUnits {
 public:
  DialogUnits() {
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
      t.push_back(LOWORD(v));
      t.push_back(HIWORD(v));
    };
    auto text = [&t](const char* s) {
      while (*s) t.push_back(static_cast<WORD>(*s++));
      t.push_back(0);
    };
    t.push_back(1);       // version
    t.push_back(0xFFFF);  // extended template
    dword(0);             // help id
    dword(0);             // extended style
    dword(WS_POPUP | WS_CAPTION | DS_SHELLFONT);
    t.push_back(0);  // no controls
    t.insert(t.end(), {0, 0, 10, 10});
    t.push_back(0);  // no menu
    t.push_back(0);  // standard class
    text("");
    t.push_back(8);               // points
    t.push_back(400);             // weight
    t.push_back(MAKEWORD(0, 1));  // not italic, DEFAULT_CHARSET
    text("MS Shell Dlg");
    reference_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                            reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), nullptr,
                                            reinterpret_cast<DLGPROC>(quietProc), 0);
    if (!reference_) reportFailure("could not make the reference dialog");
  }
  ~DialogUnits() {
    if (reference_) DestroyWindow(reference_);
  }
  // The dialog manager converts the position and the size each on its own, so the right and
  // bottom edges are the converted position plus the converted size.
  RECT pixels(int x, int y, int cx, int cy) const {
    RECT r{x, y, cx, cy};
    MapDialogRect(reference_, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
  }

 private:
  static INT_PTR CALLBACK quietProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
  HWND reference_ = nullptr;
};

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void expectRect(const RECT& expected, const RECT& actual, const char* what) {
  expectTrue(sameRect(expected, actual), "%s: (%ld,%ld)-(%ld,%ld), expected (%ld,%ld)-(%ld,%ld)",
             what, actual.left, actual.top, actual.right, actual.bottom, expected.left,
             expected.top, expected.right, expected.bottom);
}

RECT rectInDialog(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

void checkStoredTemplate(const char* saverPath) {
  HMODULE saver = LoadLibraryExA(saverPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!expectTrue(saver != nullptr, "could not read resources of %s", saverPath)) return;
  HRSRC found = FindResourceExA(saver, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(2003),
                                MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  if (expectTrue(found != nullptr, "no dialog 2003 in language 1033")) {
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(saver, found)));
    TemplateReader reader(data, SizeofResource(saver, found));
    const WORD version = reader.word();
    const WORD signature = reader.word();
    expectTrue(version == 1 && signature == 0xFFFF, "dialog 2003 is not an extended template");
    reader.dword();  // help id
    expectEqual(0, reader.dword(), "template extended style");
    const DWORD style = reader.dword();
    expectTrue(style == expectedDialogStyle, "template style 0x%08lx, expected 0x%08lx", style,
               expectedDialogStyle);
    const WORD count = reader.word();
    expectEqual(expectedCount, count, "number of controls in the template");
    reader.shortValue();  // x
    reader.shortValue();  // y
    expectEqual(177, reader.shortValue(), "template width");
    expectEqual(276, reader.shortValue(), "template height");
    expectText("", reader.stringOrOrdinal().c_str(), "template menu");
    expectText("", reader.stringOrOrdinal().c_str(), "template window class");
    expectText("Quellwire Setup", reader.stringOrOrdinal().c_str(), "template title");
    expectEqual(8, reader.word(), "template font size");
    expectEqual(400, reader.word(), "template font weight");
    expectEqual(0, reader.byte(), "template font italic");
    reader.byte();  // character set
    expectText("MS Shell Dlg", reader.stringOrOrdinal().c_str(), "template font");
    for (int i = 0; i < expectedCount && i < count; ++i) {
      checkTemplateControl(reader, expectedControls[i], i);
    }
    expectTrue(reader.ok(), "dialog 2003 ends before its last control");
  }
  FreeLibrary(saver);
}

void checkCommonControls6(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (!expectTrue(snapshot != INVALID_HANDLE_VALUE, "no module list of the saver's process")) {
    return;
  }
  std::string path;
  MODULEENTRY32 module{};
  module.dwSize = sizeof(module);
  for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
    if (lstrcmpiA(module.szModule, "comctl32.dll") == 0) path = module.szExePath;
  }
  CloseHandle(snapshot);
  CharLowerA(&path[0]);
  expectTrue(
      path.find("microsoft.windows.common-controls_6595b64144ccf1df_6.") != std::string::npos,
      "the dialog's comctl32.dll is not Common Controls 6: '%s'", path.c_str());
}

void checkLiveLayout(HWND dialog) {
  const DialogUnits units;

  char title[64] = {};
  GetWindowTextA(dialog, title, sizeof(title));
  expectText("Quellwire Setup", title, "dialog title");
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  expectTrue((style & wanted) == wanted, "dialog style 0x%08lx lacks 0x%08lx", style, wanted);
  RECT client{};
  GetClientRect(dialog, &client);
  expectRect(units.pixels(0, 0, 177, 276), client, "dialog client area");

  HWND child = GetWindow(dialog, GW_CHILD);
  for (int i = 0; i < expectedCount; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
    const ExpectedControl& expected = expectedControls[i];
    char what[64];
    wsprintfA(what, "control %d (id %d)", i, expected.id);
    if (!expectTrue(child != nullptr, "%s: the dialog has too few controls", what)) return;

    const bool isList = std::strcmp(expected.className, "ComboBox") == 0;
    expectEqual(expected.id & 0xFFFF, GetDlgCtrlID(child) & 0xFFFF, what);
    char className[64] = {};
    GetClassNameA(child, className, sizeof(className));
    expectText(lower(expected.className).c_str(), lower(className).c_str(), what);
    char text[128] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (expected.text && !isList) {
      expectText(expected.text, text, what);
    }
    const DWORD liveStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    const DWORD liveExStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
    // A drop-down list hands its scroll bar on to the open list, so the live style may lack it.
    const DWORD wantedStyle = isList ? expected.style & ~WS_VSCROLL : expected.style;
    expectTrue((liveStyle & wantedStyle) == wantedStyle, "%s: live style 0x%08lx lacks 0x%08lx",
               what, liveStyle, wantedStyle);
    expectTrue((liveExStyle & expected.exStyle) == expected.exStyle,
               "%s: live extended style 0x%08lx lacks 0x%08lx", what, liveExStyle,
               expected.exStyle);

    const RECT wantedRect = units.pixels(expected.x, expected.y, expected.cx, expected.cy);
    const RECT liveRect = rectInDialog(dialog, child);
    if (isList) {
      // A closed drop-down list shows only its selection field, so only its position and width
      // are compared here; its template height, which includes the open list, is checked in the
      // stored template (Wine's CB_GETDROPPEDCONTROLRECT does not report it the way Windows
      // does).
      RECT wantedField = wantedRect;
      wantedField.bottom = liveRect.bottom;
      expectRect(wantedField, liveRect, what);
    } else {
      expectRect(wantedRect, liveRect, what);
    }
  }
  expectTrue(child == nullptr, "the dialog has more controls than the template");

  // Tab order: the tab stops in template order, and round again.
  const int tabStops[] = {1, 2, 1000, 1002, 1009, 1003, 1022, 1023, 1024, 1};
  HWND current = GetDlgItem(dialog, tabStops[0]);
  for (int i = 1; i < static_cast<int>(sizeof(tabStops) / sizeof(tabStops[0])); ++i) {
    current = GetNextDlgTabItem(dialog, current, FALSE);
    char what[48];
    wsprintfA(what, "tab stop after id %d", tabStops[i - 1]);
    expectEqual(tabStops[i], current ? GetDlgCtrlID(current) : 0, what);
  }
}
