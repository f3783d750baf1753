#include "driver_support.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int failures = 0;
constexpr DWORD waitLimitMs = 20000;
constexpr UINT messageLimitMs = 5000;

void vprint(const char* prefix, const char* format, va_list args) {
  std::fputs(prefix, stdout);
  std::vfprintf(stdout, format, args);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

struct DialogSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
  char className[64] = {};
  char title[128] = {};
  GetClassNameA(window, className, sizeof(className));
  GetWindowTextA(window, title, sizeof(title));
  if (std::strcmp(className, "#32770") == 0 && std::strcmp(title, "Quellwire Setup") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string describe(const StoredValue& value) {
  if (!value.present) return "absent";
  return std::to_string(value.data) + " (type " + std::to_string(value.type) + ", " +
         std::to_string(value.size) + " bytes)";
}

bool processEnded(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

}  // namespace

void reportFailure(const char* format, ...) {
  ++failures;
  va_list args;
  va_start(args, format);
  vprint("FAIL: ", format, args);
  va_end(args);
}

bool expectTrue(bool condition, const char* format, ...) {
  if (condition) return true;
  ++failures;
  va_list args;
  va_start(args, format);
  vprint("FAIL: ", format, args);
  va_end(args);
  return false;
}

bool expectEqual(long long expected, long long actual, const char* what) {
  return expectTrue(expected == actual, "%s: expected %lld, got %lld", what, expected, actual);
}

bool expectText(const char* expected, const char* actual, const char* what) {
  return expectTrue(std::strcmp(expected, actual) == 0, "%s: expected \"%s\", got \"%s\"", what,
                    expected, actual);
}

int failureCount() { return failures; }

void note(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vprint("", format, args);
  va_end(args);
}

HWND createOwnerWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ownerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = "QuellwireDialogDriverOwner";
  RegisterClassA(&windowClass);
  HWND owner = CreateWindowExA(0, windowClass.lpszClassName, "Dialog driver", WS_OVERLAPPEDWINDOW,
                               40, 40, 560, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(owner, SW_SHOW);
  SetForegroundWindow(owner);
  pumpMessages(200);
  return owner;
}

void pumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

SaverRun startSaver(const char* saverPath, const char* arguments) {
  SaverRun run{};
  std::string commandLine = std::string("\"") + saverPath + "\"";
  if (arguments[0] != '\0') commandLine += std::string(" ") + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessA(saverPath, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &run.process)) {
    reportFailure("could not start %s (error %lu)", saverPath, GetLastError());
    return run;
  }
  // The saver's modal dialog disables its owner with messages to this thread, so keep pumping.
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < waitLimitMs) {
    DialogSearch search{run.process.dwProcessId, nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      run.dialog = search.found;
      pumpMessages(300);  // let it finish painting before anything looks at it
      return run;
    }
    if (processEnded(run.process.hProcess)) break;
    pumpMessages(50);
  }
  DWORD code = 0;
  GetExitCodeProcess(run.process.hProcess, &code);
  reportFailure("the saver with \"%s\" showed no \"Quellwire Setup\" dialog (%s, exit code %ld)",
                arguments, processEnded(run.process.hProcess) ? "it ended" : "still running",
                static_cast<long>(code));
  return run;
}

long finishSaver(SaverRun& run) {
  if (!run.process.hProcess) return -2;
  const DWORD start = GetTickCount();
  while (!processEnded(run.process.hProcess) && GetTickCount() - start < waitLimitMs) {
    pumpMessages(50);
  }
  long result = -2;
  if (processEnded(run.process.hProcess)) {
    DWORD code = 0;
    GetExitCodeProcess(run.process.hProcess, &code);
    result = static_cast<long>(code);
  } else {
    reportFailure("the saver did not end in time");
    TerminateProcess(run.process.hProcess, 99);
    WaitForSingleObject(run.process.hProcess, waitLimitMs);
  }
  CloseHandle(run.process.hThread);
  CloseHandle(run.process.hProcess);
  run = SaverRun{};
  return result;
}

LRESULT ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                           messageLimitMs, &result)) {
    reportFailure("message 0x%04x to window %p got no answer", message, static_cast<void*>(window));
  }
  return static_cast<LRESULT>(result);
}

LRESULT askControl(HWND dialog, int controlId, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, controlId);
  if (!control) {
    reportFailure("the dialog has no control %d", controlId);
    return 0;
  }
  return ask(control, message, wParam, lParam);
}

const char* const settingsKeyPath = "Software\\Orvane\\Quellwire";
const char* const storedValueNames[storedValueCount] = {"Color", "Glow", "Quantity",
                                                        "Speed", "Size", "Symmetry"};

void prepareStore(const PreparedStore& values) {
  RegDeleteKeyA(HKEY_CURRENT_USER, settingsKeyPath);
  bool any = false;
  for (const PreparedValue& value : values) any = any || value.present;
  if (!any) return;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    reportFailure("could not create the settings key");
    return;
  }
  for (int i = 0; i < storedValueCount; ++i) {
    if (!values[i].present) continue;
    const DWORD data = values[i].data;
    RegSetValueExA(key, storedValueNames[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof(data));
  }
  RegCloseKey(key);
}

StoreSnapshot readStore() {
  StoreSnapshot snapshot{};
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return snapshot;
  }
  snapshot.keyExists = true;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &snapshot.valueCount,
                   nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < storedValueCount; ++i) {
    StoredValue& value = snapshot.values[i];
    BYTE buffer[64] = {};
    value.size = sizeof(buffer);
    value.present = RegQueryValueExA(key, storedValueNames[i], nullptr, &value.type, buffer,
                                     &value.size) == ERROR_SUCCESS;
    if (value.present && value.size >= sizeof(DWORD)) std::memcpy(&value.data, buffer, 4);
  }
  RegCloseKey(key);
  return snapshot;
}

void expectSameStore(const StoreSnapshot& expected, const StoreSnapshot& actual, const char* what) {
  if (!expectTrue(expected.keyExists == actual.keyExists, "%s: the settings key %s", what,
                  expected.keyExists ? "is gone" : "was created")) {
    return;
  }
  expectTrue(expected.valueCount == actual.valueCount, "%s: %lu values under the key, were %lu",
             what, actual.valueCount, expected.valueCount);
  for (int i = 0; i < storedValueCount; ++i) {
    const StoredValue& e = expected.values[i];
    const StoredValue& a = actual.values[i];
    const bool same = e.present == a.present &&
                      (!e.present || (e.type == a.type && e.size == a.size && e.data == a.data));
    expectTrue(same, "%s: \"%s\" changed (was %s, now %s)", what, storedValueNames[i],
               describe(e).c_str(), describe(a).c_str());
  }
}

void expectStoredNumbers(const std::array<DWORD, storedValueCount>& expected, const char* what) {
  const StoreSnapshot actual = readStore();
  if (!expectTrue(actual.keyExists, "%s: no settings key was stored", what)) return;
  expectTrue(actual.valueCount == storedValueCount, "%s: %lu values under the key, expected 6",
             what, actual.valueCount);
  for (int i = 0; i < storedValueCount; ++i) {
    const StoredValue& value = actual.values[i];
    expectTrue(
        value.present && value.type == REG_DWORD && value.size == 4 && value.data == expected[i],
        "%s: \"%s\" should be the REG_DWORD %lu (present %d, type %lu, size %lu, data %lu)", what,
        storedValueNames[i], expected[i], value.present, value.type, value.size, value.data);
  }
}
