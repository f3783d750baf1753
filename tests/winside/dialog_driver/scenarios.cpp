#include "scenarios.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "driver_support.h"
#include "layout_checks.h"

namespace {

// Control ids of the dialog, as the product defines them.
constexpr int okButton = 1, cancelButton = 2, resetButton = 1009;
constexpr int quantitySlider = 1000, sizeSlider = 1002, speedSlider = 1003;
constexpr int glowList = 1022, colorsList = 1023, symmetryCheck = 1024;
constexpr long noSelection = -1;  // CB_ERR

std::string ownedBy(HWND owner) {
  return "/c:" + std::to_string(reinterpret_cast<ULONG_PTR>(owner) & 0xFFFFFFFFu);
}

SaverRun openOwned(const DriverContext& context) {
  return startSaver(context.saverPath, ownedBy(context.owner).c_str());
}

// What the controls show, in the order Colors, Glow, Wires, Wire Length, Speed, Symmetry.
struct Shown {
  long color, glow, quantity, size, speed, symmetry;
};

void expectShown(HWND dialog, const Shown& expected, const char* what) {
  const Shown actual{
      static_cast<long>(askControl(dialog, colorsList, CB_GETCURSEL, 0, 0)),
      static_cast<long>(askControl(dialog, glowList, CB_GETCURSEL, 0, 0)),
      static_cast<long>(askControl(dialog, quantitySlider, TBM_GETPOS, 0, 0)),
      static_cast<long>(askControl(dialog, sizeSlider, TBM_GETPOS, 0, 0)),
      static_cast<long>(askControl(dialog, speedSlider, TBM_GETPOS, 0, 0)),
      static_cast<long>(askControl(dialog, symmetryCheck, BM_GETCHECK, 0, 0)),
  };
  expectTrue(actual.color == expected.color && actual.glow == expected.glow &&
                 actual.quantity == expected.quantity && actual.size == expected.size &&
                 actual.speed == expected.speed && actual.symmetry == expected.symmetry,
             "%s: controls show Colors %ld, Glow %ld, Wires %ld, Wire Length %ld, Speed %ld, "
             "Symmetry %ld; expected %ld, %ld, %ld, %ld, %ld, %ld",
             what, actual.color, actual.glow, actual.quantity, actual.size, actual.speed,
             actual.symmetry, expected.color, expected.glow, expected.quantity, expected.size,
             expected.speed, expected.symmetry);
}

void click(HWND dialog, int buttonId) { askControl(dialog, buttonId, BM_CLICK, 0, 0); }

void pressCloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

// The Home key on a slider, as the keyboard would send it.
void sliderToLeftEnd(HWND dialog, int sliderId) {
  askControl(dialog, sliderId, WM_KEYDOWN, VK_HOME, 0x00470001);
  askControl(dialog, sliderId, WM_KEYUP, VK_HOME, 0xC0470001);
}

void expectListItems(HWND dialog, int listId, const char* const* names, int count,
                     const char* what) {
  expectEqual(count, askControl(dialog, listId, CB_GETCOUNT, 0, 0), what);
  for (int i = 0; i < count; ++i) {
    // Asked in UTF-16: Wine hands an ANSI request from another process the UTF-16 text.
    WCHAR wide[64] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, listId), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide),
                        SMTO_NORMAL, 5000, &length);
    char item[64] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof(item), nullptr, nullptr);
    expectText(names[i], item, what);
  }
}

void expectExit(SaverRun& run, long expected, const char* what) {
  expectEqual(expected, finishSaver(run), what);
}

void expectOwner(HWND dialog, HWND expected, const char* what) {
  const HWND owner = GetWindow(dialog, GW_OWNER);
  expectTrue(owner == expected, "%s: the dialog's owner is %p, expected %p", what,
             static_cast<void*>(owner), static_cast<void*>(expected));
}

// A store that differs from the defaults in every value: Color 1, Glow 0, Quantity 10,
// Speed 20, Size 30, Symmetry 1.
const PreparedStore nonDefaultStore = {dword(1),  dword(0),  dword(10),
                                       dword(20), dword(30), dword(1)};
// A store that saving anything would change: a colour beyond its limit, no glow at all.
const PreparedStore untidyStore = {dword(9), absent, dword(10), dword(20), dword(30), dword(1)};
const PreparedStore noStore = {absent, absent, absent, absent, absent, absent};
const std::array<DWORD, storedValueCount> defaultNumbers = {6, 2, 50, 50, 50, 0};

}  // namespace

void runLayoutScenario(const DriverContext& context) {
  note("== layout");
  checkStoredTemplate(context.saverPath);
  prepareStore(noStore);
  SaverRun run = openOwned(context);
  if (run.dialog) {
    checkLiveLayout(run.dialog);
    checkCommonControls6(run.process.dwProcessId);
    click(run.dialog, cancelButton);
  }
  expectExit(run, 0, "exit code after Cancel");
}

void runOpeningScenario(const DriverContext& context) {
  note("== opening with no stored settings");
  prepareStore(noStore);
  SaverRun run = openOwned(context);
  if (run.dialog) {
    expectOwner(run.dialog, context.owner, "/c:<owner>");
    GUITHREADINFO focus{};
    focus.cbSize = sizeof(focus);
    GetGUIThreadInfo(run.process.dwThreadId, &focus);
    expectEqual(okButton, focus.hwndFocus ? GetDlgCtrlID(focus.hwndFocus) : 0,
                "control with the focus at opening");

    expectShown(run.dialog, {6, 2, 50, 50, 50, BST_UNCHECKED}, "opening with no stored settings");
    const char* const colors[] = {"Emerald", "Lapis",  "Amber", "Amethyst",
                                  "Ruby",    "Random", "Cycle"};
    const char* const glows[] = {"None", "Low Quality", "High Quality"};
    expectListItems(run.dialog, colorsList, colors, 7, "Colors list");
    expectListItems(run.dialog, glowList, glows, 3, "Glow list");
    for (int slider : {quantitySlider, sizeSlider, speedSlider}) {
      char what[48];
      wsprintfA(what, "slider %d", slider);
      expectEqual(0, askControl(run.dialog, slider, TBM_GETRANGEMIN, 0, 0), what);
      expectEqual(100, askControl(run.dialog, slider, TBM_GETRANGEMAX, 0, 0), what);
      // A tick every 10 from 0 to 100: both ends and the nine between.
      expectEqual(11, askControl(run.dialog, slider, TBM_GETNUMTICS, 0, 0), what);
    }
    click(run.dialog, cancelButton);
  }
  expectExit(run, 0, "exit code after Cancel");
  expectTrue(!readStore().keyExists, "opening and cancelling created the settings key");
}

void runCommandLineScenario(const DriverContext& context) {
  note("== command lines");
  prepareStore(noStore);

  SaverRun owned = openOwned(context);
  if (owned.dialog) {
    expectOwner(owned.dialog, context.owner, "/c:<owner>");
    click(owned.dialog, cancelButton);
  }
  expectExit(owned, 0, "/c:<owner> then Cancel");

  // "/c" alone is owned by the foreground window.
  SetForegroundWindow(context.owner);
  pumpMessages(200);
  const HWND foreground = GetForegroundWindow();
  SaverRun plain = startSaver(context.saverPath, "/c");
  if (plain.dialog) {
    expectOwner(plain.dialog, foreground, "/c");
    click(plain.dialog, okButton);
  }
  expectExit(plain, 1, "/c then OK");

  SaverRun empty = startSaver(context.saverPath, "");
  if (empty.dialog) {
    expectOwner(empty.dialog, nullptr, "empty command line");
    click(empty.dialog, okButton);
  }
  expectExit(empty, 1, "empty command line then OK");
  expectStoredNumbers(defaultNumbers, "OK with no stored settings");
}

void runSavingScenario(const DriverContext& context) {
  note("== saving");
  struct Case {
    const char* name;
    PreparedStore store;
    Shown shownAtOpening;
    std::array<DWORD, storedValueCount> storedAfterOk;
  };
  // OK without touching anything stores what was loaded, after the store's limits; a stored
  // glow of 3 shows no Glow selection and comes back as 2.
  const Case untouched[] = {
      {"no stored settings", noStore, {6, 2, 50, 50, 50, 0}, defaultNumbers},
      {"every value stored",
       {dword(3), dword(1), dword(29), dword(71), dword(0), dword(1)},
       {3, 1, 29, 0, 71, 1},
       {3, 1, 29, 71, 0, 1}},
      {"stored glow 3",
       {dword(0), dword(3), dword(100), dword(1), dword(99), dword(0)},
       {0, noSelection, 100, 99, 1, 0},
       {0, 2, 100, 1, 99, 0}},
      {"stored values beyond the limits",
       {dword(7), dword(4), dword(101), dword(0xFFFFFFFFu), dword(100), dword(2)},
       {6, 2, 50, 100, 50, 0},
       {6, 2, 50, 50, 100, 0}},
  };
  for (const Case& c : untouched) {
    note("-- OK without changes: %s", c.name);
    prepareStore(c.store);
    SaverRun run = openOwned(context);
    if (run.dialog) {
      expectShown(run.dialog, c.shownAtOpening, c.name);
      click(run.dialog, okButton);
    }
    expectExit(run, 1, "exit code after OK");
    expectStoredNumbers(c.storedAfterOk, c.name);
  }

  // The store for Cancel and the close box is one that any save would change.
  note("-- Reset then Cancel");
  prepareStore(untidyStore);
  const StoreSnapshot before = readStore();
  SaverRun run = openOwned(context);
  if (run.dialog) {
    expectShown(run.dialog, {6, 2, 10, 30, 20, 1}, "opening on an untidy store");
    click(run.dialog, resetButton);
    expectShown(run.dialog, {6, 2, 50, 50, 50, 0}, "after Reset");
    expectSameStore(before, readStore(), "after Reset, before Cancel");
    click(run.dialog, cancelButton);
  }
  expectExit(run, 0, "exit code after Cancel");
  expectSameStore(before, readStore(), "Reset then Cancel");

  note("-- Reset then OK");
  prepareStore(nonDefaultStore);
  run = openOwned(context);
  if (run.dialog) {
    click(run.dialog, resetButton);
    click(run.dialog, okButton);
  }
  expectExit(run, 1, "exit code after OK");
  expectStoredNumbers(defaultNumbers, "Reset then OK");

  note("-- sliders to the far left with the Home key");
  prepareStore({dword(4), dword(2), dword(80), dword(80), dword(80), dword(0)});
  run = openOwned(context);
  if (run.dialog) {
    for (int slider : {quantitySlider, sizeSlider, speedSlider})
      sliderToLeftEnd(run.dialog, slider);
    expectShown(run.dialog, {4, 2, 0, 0, 0, 0}, "after Home on every slider");
    click(run.dialog, okButton);
  }
  expectExit(run, 1, "exit code after OK");
  expectStoredNumbers({4, 2, 0, 0, 0, 0}, "sliders at the far left");

  note("-- every control changed, then OK");
  prepareStore(noStore);
  run = openOwned(context);
  if (run.dialog) {
    askControl(run.dialog, colorsList, CB_SETCURSEL, 1, 0);
    askControl(run.dialog, glowList, CB_SETCURSEL, 0, 0);
    askControl(run.dialog, quantitySlider, TBM_SETPOS, TRUE, 10);
    askControl(run.dialog, sizeSlider, TBM_SETPOS, TRUE, 100);
    askControl(run.dialog, speedSlider, TBM_SETPOS, TRUE, 73);
    click(run.dialog, symmetryCheck);
    expectShown(run.dialog, {1, 0, 10, 100, 73, BST_CHECKED}, "after changing every control");
    expectTrue(!readStore().keyExists, "changing the controls saved something before OK");
    click(run.dialog, okButton);
  }
  expectExit(run, 1, "exit code after OK");
  expectStoredNumbers({1, 0, 10, 73, 100, 1}, "every control changed");

  note("-- changes, then the close box");
  prepareStore(untidyStore);
  run = openOwned(context);
  if (run.dialog) {
    askControl(run.dialog, colorsList, CB_SETCURSEL, 5, 0);
    sliderToLeftEnd(run.dialog, speedSlider);
    click(run.dialog, symmetryCheck);
    expectShown(run.dialog, {5, 2, 10, 30, 0, 0}, "after changes");
    pressCloseBox(run.dialog);
  }
  expectExit(run, 0, "exit code after the close box");
  expectSameStore(before, readStore(), "the close box");
}

void runShowScenario(const DriverContext& context, const char* readyPath, const char* releasePath) {
  note("== show");
  prepareStore(noStore);
  SaverRun run = openOwned(context);
  if (run.dialog) {
    if (FILE* ready = std::fopen(readyPath, "w")) std::fclose(ready);
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(releasePath) == INVALID_FILE_ATTRIBUTES &&
           GetTickCount() - start < 60000) {
      pumpMessages(100);
    }
    click(run.dialog, cancelButton);
  }
  expectExit(run, 0, "exit code after Cancel");
}
