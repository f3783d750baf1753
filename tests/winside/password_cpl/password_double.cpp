// Test double of the system's screen-saver password verifier. Its key (QW_PASSWORD_DOUBLE_KEY)
// holds, set by the test:
//   Answer   what VerifyScreenSavePwd returns (absent: 0, the password is refused)
//   DelayMs  how long each verification lasts (absent: 0); meanwhile the double dispatches the
//            thread's messages, as the system's password dialog would
//   Fault    1: the call raises an access violation with RaiseException instead of answering;
//            2: it stores through a null pointer, a real access violation raised by the processor
// and, recorded by the double:
//   Loads         times the library was loaded into a process
//   Calls         times VerifyScreenSavePwd returned (written last)
//   Window        the window handle it was given
//   SaverRunning  the system's screen-saver-running state during the call
//   InputContext  1 when the window had an input-method context during the call
//   EndTick       GetTickCount when the call returned
//   ClassStyle, ClassBrushBlack, ClassIcon, ClassCursor   the window's class: its style, 1 when
//                 its background is the stock black brush, its icon and cursor handles
//   Cursor        the cursor handle the saver had set when the call began
// During the call it shows the arrow cursor, as a dialog would. Loaded, it also watches the
// thread that loaded it (the saver's) with a CBT hook and counts in SysCommands the system
// commands that reach the default window procedure there, the last in LastSysCommand.
#include <windows.h>

#include "double_state/double_state.h"

namespace {

const char kKey[] = QW_PASSWORD_DOUBLE_KEY;

using GetContextFunction = void*(WINAPI*)(HWND);
using ReleaseContextFunction = BOOL(WINAPI*)(HWND, void*);

// Whether the window has an input-method context, asked through the input-method library when
// the process has it loaded.
DWORD hasInputContext(HWND window) {
  HMODULE library = GetModuleHandleA("IMM32.DLL");
  if (!library) return 0;
  auto getContext = reinterpret_cast<GetContextFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "ImmGetContext")));
  auto releaseContext = reinterpret_cast<ReleaseContextFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "ImmReleaseContext")));
  if (!getContext || !releaseContext) return 0;
  void* context = getContext(window);
  if (!context) return 0;
  releaseContext(window, context);
  return 1;
}

// Read at run time, so that the store below is compiled as a store, not as a trap instruction.
volatile DWORD* volatile nowhere = nullptr;

void dispatchMessagesFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

DWORD low32(ULONG_PTR value) { return static_cast<DWORD>(value); }

HHOOK commandHook = nullptr;

LRESULT CALLBACK recordSystemCommand(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SYSCOMMAND) {
    WriteDoubleNumber(kKey, "LastSysCommand", low32(wParam));
    CountDoubleEvent(kKey, "SysCommands");
  }
  return CallNextHookEx(commandHook, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  WriteDoubleNumber(kKey, "Window", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)));
  WriteDoubleNumber(kKey, "Cursor", low32(reinterpret_cast<ULONG_PTR>(GetCursor())));
  WriteDoubleNumber(kKey, "ClassStyle", low32(GetClassLongPtrA(window, GCL_STYLE)));
  WriteDoubleNumber(kKey, "ClassBrushBlack",
                    GetClassLongPtrA(window, GCLP_HBRBACKGROUND) ==
                        reinterpret_cast<ULONG_PTR>(GetStockObject(BLACK_BRUSH)));
  WriteDoubleNumber(kKey, "ClassIcon", low32(GetClassLongPtrA(window, GCLP_HICON)));
  WriteDoubleNumber(kKey, "ClassCursor", low32(GetClassLongPtrA(window, GCLP_HCURSOR)));
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  WriteDoubleNumber(kKey, "SaverRunning", running ? 1 : 0);
  WriteDoubleNumber(kKey, "InputContext", hasInputContext(window));
  switch (ReadDoubleNumber(kKey, "Fault", 0)) {
    case 0:
      break;
    case 2:
      *nowhere = 1;
      break;
    default:
      RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
      break;
  }
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  dispatchMessagesFor(ReadDoubleNumber(kKey, "DelayMs", 0));
  const BOOL answer = ReadDoubleNumber(kKey, "Answer", 0) ? TRUE : FALSE;
  WriteDoubleNumber(kKey, "EndTick", GetTickCount());
  CountDoubleEvent(kKey, "Calls");
  return answer;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    CountDoubleEvent(kKey, "Loads");
    commandHook = SetWindowsHookExA(WH_CBT, recordSystemCommand, instance, GetCurrentThreadId());
  } else if (reason == DLL_PROCESS_DETACH && commandHook) {
    UnhookWindowsHookEx(commandHook);
  }
  return TRUE;
}
