// The saver window: its class, its creation, the message loop, and the two procedures that
// carry out the host's screening and the closing rules.
#include <windows.h>

#include "windows/closing_rules.h"
#include "windows/host_screening.h"
#include "windows/saver_host_state.h"
#include "windows/saver_window_layout.h"
#include "windows/system_hooks.h"
#include "windows/win32/fault_guard.h"
#include "windows/win32/saver_host.h"
#include "windows/win32/screensaver_callbacks.h"
#include "windows/win32/win32_system_hooks.h"

namespace {

ScreenPoint pointerPosition() {
  POINT position = {0, 0};
  GetCursorPos(&position);
  return {static_cast<std::int32_t>(position.x), static_cast<std::int32_t>(position.y)};
}

void postClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

SaverWindowLayout fullScreenLayout() {
  const WindowRect virtualScreen = {
      GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  RECT clip = {0, 0, 0, 0};
  if (VirtualScreenIsEmpty(virtualScreen)) {
    HDC screen = GetDC(nullptr);
    GetClipBox(screen, &clip);
    ReleaseDC(nullptr, screen);
  }
  return FullScreenWindowLayout(virtualScreen, clip.left, clip.top, clip.right, clip.bottom);
}

SaverWindowLayout previewLayout(HWND parent) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(parent, &client);
  return PreviewWindowLayout(client.right, client.bottom);
}

}  // namespace

int RunSaverWindow(HWND parent) {
  SaverHostState& host = HostState();
  HINSTANCE instance = static_cast<HINSTANCE>(host.instance);

  WNDCLASSA windowClass = {};
  windowClass.style = kSaverClassStyle;
  windowClass.lpfnWndProc = SaverHostProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kSaverClassIcon));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kSaverClassName;

  SaverWindowLayout layout;
  if (parent) {
    layout = previewLayout(parent);
    host.isPreview = true;
  } else {
    layout = fullScreenLayout();
    HWND running = FindWindowA(kSaverClassName, kFullScreenTitle);
    if (running && IsWindow(running)) {
      SetForegroundWindow(running);
      return 0;
    }
    RecordACLineStatus(host);
    LoadPasswordVerifier();
  }
  RegisterAutoplayMessage(host);

  if (RegisterClassA(&windowClass)) {
    host.mainWindow = CreateWindowExA(layout.exStyle, kSaverClassName, layout.title, layout.style,
                                      layout.rect.x, layout.rect.y, layout.rect.width,
                                      layout.rect.height, parent, nullptr, instance, nullptr);
  }

  int exitCode = 0;
  if (host.mainWindow) {
    if (!parent) SetForegroundWindow(static_cast<HWND>(host.mainWindow));
    MSG message = {};
    // GetMessageA answers -1 on failure; that ends the loop as well.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (message.message == WM_QUIT) exitCode = static_cast<int>(message.wParam);
  }
  UnloadPasswordVerifier();
  return exitCode;
}

namespace {

LRESULT screenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SaverHostState& host = HostState();
  const HostDecision decision = ScreenHostMessage(message, wParam, host);
  const std::uint32_t steps = decision.steps;
  if (steps & HostStepDetachInputMethod) DetachInputMethod(host, window);
  if (steps & HostStepRecordCursorOrigin) host.cursorOrigin = pointerPosition();
  if (steps & HostStepRestoreInputMethod) RestoreInputMethod(host, window);
  if (steps & HostStepPostQuit) PostQuitMessage(0);
  if (steps & HostStepHideCursor) SetCursor(nullptr);
  if (steps & HostStepYield) Sleep(0);
  if (steps & HostStepPostClose) postClose(window);
  if (steps & HostStepForwardToParent) {
    HWND parent = GetParent(window);
    if (parent && IsWindow(parent)) {
      PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
    }
  }
  switch (decision.route) {
    case HostRoute::Saver:
      return ScreenSaverProc(window, message, wParam, lParam);
    case HostRoute::DefaultWindowProc:
      return DefWindowProcA(window, message, wParam, lParam);
    case HostRoute::Return:
      break;
  }
  return decision.result;
}

struct GuardedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result;
};

void screenGuardedMessage(void* context) {
  GuardedMessage* call = static_cast<GuardedMessage*>(context);
  call->result = screenMessage(call->window, call->message, call->wParam, call->lParam);
}

}  // namespace

// Messages sent by the system during window creation and other calls reach the procedure
// through a callback from the system, which would swallow a fault before the guard around the
// whole mode saw it; so every message has a guard of its own, which ends the process the way the
// mode's guard would.
LRESULT CALLBACK SaverHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GuardedMessage call = {window, message, wParam, lParam, 0};
  if (!RunGuarded(screenGuardedMessage, &call)) {
    SetSaverRunning(false);
    ExitProcess(static_cast<UINT>(-1));
  }
  return call.result;
}

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SaverHostState& host = HostState();
  const ScreenPoint pointer = message == WM_MOUSEMOVE ? pointerPosition() : ScreenPoint{0, 0};
  const CloseDecision decision = DecideDefaultHandling(message, wParam, lParam, host, pointer);
  std::uint32_t steps = decision.steps;
  if ((steps & CloseStepCheckLineStatus) && ACLineStatusChanged(host)) {
    steps |= CloseStepPostClose;
  }
  if (steps & CloseStepPostClose) postClose(window);
  if (steps & CloseStepStorePointer) host.cursorOrigin = pointer;
  if (steps & CloseStepHideCursor) SetCursor(nullptr);
  switch (decision.route) {
    case CloseRoute::DefaultWindowProc:
      return DefWindowProcA(window, message, wParam, lParam);
    case CloseRoute::VerifyBeforeClose:
      if (!VerifySaverPassword(window)) {
        host.cursorOrigin = pointerPosition();
        return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    case CloseRoute::AnswerVerifyRequest:
      return host.verifyPassword ? host.verifyPassword(window) : 1;
    case CloseRoute::Return:
      break;
  }
  return decision.result;
}
