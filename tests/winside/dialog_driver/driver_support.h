// Support for the dialog driver: reporting checks, running the saver, finding its dialog,
// talking to its controls across processes, and reading and preparing the settings key.
#pragma once

#include <windows.h>

#include <array>

// ---- Checks -------------------------------------------------------------------------------

// Records a failed check with a printf-style message; the run then ends with exit status 1.
void reportFailure(const char* format, ...);
// Checks a condition and reports the message when it fails; returns the condition.
bool expectTrue(bool condition, const char* format, ...);
bool expectEqual(long long expected, long long actual, const char* what);
bool expectText(const char* expected, const char* actual, const char* what);
int failureCount();
void note(const char* format, ...);

// ---- The owner window and message pumping ------------------------------------------------------

// A visible top-level window of the driver's own, brought to the foreground.
HWND createOwnerWindow();
// Dispatches this thread's messages for the given time.
void pumpMessages(DWORD milliseconds);

// ---- The saver and its dialog -------------------------------------------------------------

struct SaverRun {
  PROCESS_INFORMATION process;
  HWND dialog;  // the visible "Quellwire Setup" dialog of that process, or null
};

// Starts the saver with the given argument text and waits for its dialog to show. The dialog
// stays null (with a failure reported) when none appears in time.
SaverRun startSaver(const char* saverPath, const char* arguments);
// Waits for the saver to end and returns its exit code (or reports a failure and returns -2
// when it does not end in time, after ending it).
long finishSaver(SaverRun& run);

// A message to another process's window, with a time limit; reports a failure on timeout.
LRESULT ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT askControl(HWND dialog, int controlId, UINT message, WPARAM wParam, LPARAM lParam);

// ---- The settings key -------------------------------------------------------------------------

extern const char* const settingsKeyPath;  // under HKEY_CURRENT_USER
constexpr int storedValueCount = 6;
extern const char* const storedValueNames[storedValueCount];  // Color, Glow, Quantity, ...

struct StoredValue {
  bool present;
  DWORD type;
  DWORD size;
  DWORD data;
};

struct StoreSnapshot {
  bool keyExists;
  DWORD valueCount;  // all values under the key, named or not
  std::array<StoredValue, storedValueCount> values;
};

// A store value to prepare: absent, or a REG_DWORD.
struct PreparedValue {
  bool present;
  DWORD data;
};
using PreparedStore = std::array<PreparedValue, storedValueCount>;

constexpr PreparedValue absent{false, 0};
constexpr PreparedValue dword(DWORD data) { return PreparedValue{true, data}; }

// Removes the key, then writes the present values (nothing at all when none is present).
void prepareStore(const PreparedStore& values);
StoreSnapshot readStore();
// Checks that two snapshots agree in every respect.
void expectSameStore(const StoreSnapshot& expected, const StoreSnapshot& actual, const char* what);
// Checks that the key holds exactly the six values as REG_DWORD with these numbers.
void expectStoredNumbers(const std::array<DWORD, storedValueCount>& expected, const char* what);
