// Faults inside the fault guard. Every case prints "ok <name>" or "FAIL <name>: why"; the exit
// code is the number of failures.
//   fault_guard_test           cases with a top-level filter that records what it is offered
//   fault_guard_test system    a fault with the system's own filter alone (no debugger can
//                              start), which must still end in the guard
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "windows/win32/fault_guard.h"

namespace {

int failures = 0;

void check(bool passed, const char* name, const char* why) {
  if (passed) {
    std::printf("ok %s\n", name);
  } else {
    std::printf("FAIL %s: %s\n", name, why);
    ++failures;
  }
  std::fflush(stdout);
}

// What the top-level filter, reached only through UnhandledExceptionFilter, saw and answers.
int filterCalls = 0;
DWORD lastCode = 0;
LONG answers[4] = {};
void* repairAddress = nullptr;  // made writable before the answer, when set

LONG WINAPI recordingFilter(EXCEPTION_POINTERS* pointers) {
  lastCode = pointers->ExceptionRecord->ExceptionCode;
  const LONG answer = answers[filterCalls < 4 ? filterCalls : 3];
  ++filterCalls;
  if (repairAddress) {
    DWORD old = 0;
    VirtualProtect(repairAddress, 4096, PAGE_READWRITE, &old);
  }
  return answer;
}

void expectFilter(LONG first, LONG second = EXCEPTION_EXECUTE_HANDLER) {
  filterCalls = 0;
  lastCode = 0;
  answers[0] = first;
  answers[1] = answers[2] = answers[3] = second;
  repairAddress = nullptr;
}

volatile int* volatile nowhere = nullptr;
bool reachedAfterFault = false;

__attribute__((noinline)) void fault() { *nowhere = 1; }

__attribute__((noinline)) int deepFault(int depth) {
  if (depth == 0) {
    fault();
    reachedAfterFault = true;
    return 3;
  }
  return deepFault(depth - 1) + 1;
}

void faultingBody(void*) { deepFault(8); }

struct Plain {
  int value;
  int result;
};
void plainBody(void* context) {
  Plain* plain = static_cast<Plain*>(context);
  plain->result = plain->value;
}

// A window whose procedure faults on creation or on a posted message. With guardInside set,
// the procedure runs its work under a guard of its own, the way the saver's procedure does.
const UINT kFaultMessage = WM_APP + 1;
bool guardInside = false;
bool insideGuardCaught = false;

void faultingWork(void* context) {
  const UINT message = *static_cast<UINT*>(context);
  if (message == WM_CREATE || message == kFaultMessage) fault();
}

LRESULT CALLBACK faultingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool faults =
      message == kFaultMessage ||
      (message == WM_CREATE && reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams != nullptr);
  if (faults) {
    if (guardInside) {
      insideGuardCaught = !RunGuarded(faultingWork, &message);
      return message == WM_CREATE ? -1 : 0;
    }
    fault();
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerFaultingClass() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = faultingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QuellwireFaultingWindow";
  RegisterClassA(&windowClass);
}

HWND makeWindow(bool faultOnCreate) {
  return CreateWindowExA(0, "QuellwireFaultingWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleA(nullptr),
                         faultOnCreate ? reinterpret_cast<void*>(1) : nullptr);
}

void faultInMessageLoop(void*) {
  HWND window = makeWindow(false);
  PostMessageA(window, kFaultMessage, 0, 0);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  reachedAfterFault = true;
}

void nestedGuards(void*) {
  const bool innerCompleted = RunGuarded(faultingBody, nullptr);
  reachedAfterFault = true;  // the inner guard took the fault; the outer body goes on
  insideGuardCaught = !innerCompleted;
}

void* guardedPage = nullptr;
void writeGuardedPage(void* context) {
  static_cast<volatile int*>(guardedPage)[0] = 42;
  *static_cast<int*>(context) = static_cast<volatile int*>(guardedPage)[0];
}

// Runs body under the guard; the fault must be caught after one offer to the filter.
void expectCaught(const char* name, GuardedBody body) {
  reachedAfterFault = false;
  const bool completed = RunGuarded(body, nullptr);
  check(!completed && !reachedAfterFault, name, "the body went on after the fault");
  check(filterCalls == 1 && lastCode == EXCEPTION_ACCESS_VIOLATION, name,
        "UnhandledExceptionFilter was not offered the access violation once");
}

int runWithRecordingFilter() {
  SetUnhandledExceptionFilter(recordingFilter);
  registerFaultingClass();

  expectFilter(EXCEPTION_EXECUTE_HANDLER);
  for (int value : {0, -1, 7, 0x7FFFFFFF, static_cast<int>(0x80000000u)}) {
    Plain plain = {value, 99};
    check(RunGuarded(plainBody, &plain) && plain.result == value, "no fault: the body completes",
          "wrong completion or result");
  }
  check(filterCalls == 0, "no fault: the filter is not consulted", "the filter was called");

  expectFilter(EXCEPTION_EXECUTE_HANDLER);
  expectCaught("fault deep in the body", faultingBody);
  expectFilter(EXCEPTION_EXECUTE_HANDLER);
  expectCaught("a second fault after the first was caught", faultingBody);
  expectFilter(EXCEPTION_EXECUTE_HANDLER);
  expectCaught("fault in a window procedure run by the message loop", faultInMessageLoop);

  // During window creation the procedure is called back by the system, which swallows faults
  // at that boundary; a guard inside the procedure still takes them.
  expectFilter(EXCEPTION_EXECUTE_HANDLER);
  guardInside = true;
  insideGuardCaught = false;
  check(makeWindow(true) == nullptr && insideGuardCaught && filterCalls == 1,
        "fault during window creation, guarded inside the procedure",
        "the procedure's own guard did not take the fault");
  guardInside = false;

  // Nested guards: the innermost takes the fault and the outer body carries on.
  expectFilter(EXCEPTION_EXECUTE_HANDLER);
  insideGuardCaught = false;
  reachedAfterFault = false;
  check(RunGuarded(nestedGuards, nullptr) && insideGuardCaught && reachedAfterFault &&
            filterCalls == 1,
        "nested guards: the innermost takes the fault", "wrong guard took it");

  // The filter repairs the cause and asks to continue: the body resumes and completes.
  guardedPage = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
  expectFilter(EXCEPTION_CONTINUE_EXECUTION);
  repairAddress = guardedPage;
  int written = 0;
  check(RunGuarded(writeGuardedPage, &written) && written == 42 && filterCalls == 1,
        "a repaired fault continues where it was raised", "the body did not resume");
  repairAddress = nullptr;

  Plain plain = {5, 0};
  expectFilter(EXCEPTION_EXECUTE_HANDLER);
  check(RunGuarded(plainBody, &plain) && plain.result == 5, "the guard still works at the end",
        "a plain body failed after the faults");
  return failures;
}

int runWithSystemFilter() {
  SetUnhandledExceptionFilter(nullptr);
  reachedAfterFault = false;
  const bool completed = RunGuarded(faultingBody, nullptr);
  check(!completed && !reachedAfterFault, "the system's filter hands the fault to the guard",
        "the fault was not caught");
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && !std::strcmp(argv[1], "system")) return runWithSystemFilter();
  return runWithRecordingFilter();
}
