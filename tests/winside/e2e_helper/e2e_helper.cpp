// Windows-side helper of the end-to-end tests. One command per run:
//   parent <width> <height>       a top-level window with that client size, showing the cross
//                                 cursor; prints its handle and the cursor's, then reports help
//                                 and context-menu messages it receives and ends when the window
//                                 is destroyed
//   decoy                         the same, but of the saver's class, titled as a full-screen
//                                 saver and shown without being activated
//   describe <timeout-ms> [parent] waits for saver windows (top-level, or children of parent)
//                                 and prints count=, virtual=, dpi= and the first one's window.*
//                                 lines, all in real pixels (the helper is DPI-aware for it)
//   post <window> <message> <wParam> <lParam>   posts a message (numbers decimal or 0x hex)
//   close <window>                posts WM_CLOSE
//   launch <timeout-ms> <program> <argument text>...   runs "<program>" <text> once per text,
//                                 with \t in a text standing for a tab; prints each exit code
//                                 (or "timeout", after ending the process)
//   messages <window> <pause-ms> <how>:<message>:<wParam>:<lParam>...   for each, posts (how
//                                 "post") or sends (how "send") the message, waits pause-ms, and
//                                 at least until the password double's last verification ended
//                                 350 ms ago, then prints "<request> result=<answer> calls=<n>",
//                                 n being the double's call count; a message that is not a
//                                 number is the registered message of that name; a request
//                                 written with a leading "+" is expected to cause a verification,
//                                 and the wait lasts until one has ended too (up to 20 s)
//   verify-retries <window> <ms>...   posts a key press, waits for the password double's
//                                 verification it causes to end, then posts a key press ms after
//                                 that end, for each ms; prints "posted.<ms>=" when it was
//                                 posted and "calls.<ms>=<n>", the double's call count since the
//                                 first press, just before the next press (after the last: once
//                                 a verification more has ended, or 10 s have passed, and 0.5 s
//                                 more)
//   settext <window> <text>       sends WM_SETTEXT; prints the answer and the title after it
//   foreground                    prints the foreground window's handle
//   cursor                        prints the cursor's handle and whether it is showing
//   running [0|1]                 prints the system's screen-saver-running state, after setting
//                                 it when a state is given
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "double_state/double_state.h"

namespace {

const char kSaverClass[] = "WindowsScreenSaverClass";

unsigned long long number(const char* text) { return std::strtoull(text, nullptr, 0); }

HWND windowFrom(const char* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(number(text)));
}

unsigned long long handleNumber(HWND window) {
  return static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window));
}

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HELP:
    case WM_CONTEXTMENU:
      std::printf("received=%s wParam=%llu lParam=%lld\n",
                  message == WM_HELP ? "help" : "contextmenu",
                  static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
      std::fflush(stdout);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// A borderless popup (its client area is the whole window) that runs until it is destroyed.
// The decoy stands for a full-screen saver already running, but is not made the active window.
int makeParent(int width, int height, bool decoy) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = parentProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = decoy ? kSaverClass : "QuellwireTestParent";
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, decoy ? "Screen Saver" : "Test Parent",
                      WS_POPUP | WS_CLIPCHILDREN | (decoy ? 0 : WS_VISIBLE), 10, 10, width, height,
                      nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 2;
  if (decoy) ShowWindow(window, SW_SHOWNOACTIVATE);
  HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
  SetCursor(cross);
  std::printf("%s=%llu\n", decoy ? "decoy" : "parent", handleNumber(window));
  std::printf("cursor=%llu\n", handleNumber(reinterpret_cast<HWND>(cross)));
  std::fflush(stdout);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

int countSaverWindows(HWND parent, HWND* first) {
  int count = 0;
  HWND window = nullptr;
  while ((window = FindWindowExA(parent, window, kSaverClass, nullptr)) != nullptr) {
    if (count++ == 0) *first = window;
  }
  return count;
}

// The DPI functions of Windows 10 (and of Wine), looked up when present: absent, the helper
// stays unaware and reports a DPI of 0 and an awareness of -1.
template <typename Function>
Function user32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

void becomeDpiAware() {
  const auto setContext = user32Function<BOOL(WINAPI*)(HANDLE)>("SetProcessDpiAwarenessContext");
  const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  if (setContext != nullptr && setContext(perMonitorV2)) return;
  const auto setAware = user32Function<BOOL(WINAPI*)()>("SetProcessDPIAware");
  if (setAware != nullptr) setAware();
}

unsigned systemDpi() {
  const auto get = user32Function<UINT(WINAPI*)()>("GetDpiForSystem");
  return get ? get() : 0;
}

unsigned windowDpi(HWND window) {
  const auto get = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  return get ? get(window) : 0;
}

// 0 unaware, 1 system aware, 2 per-monitor aware: how the window's thread was set up.
int windowDpiAwareness(HWND window) {
  const auto context = user32Function<HANDLE(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
  const auto awareness =
      user32Function<int(WINAPI*)(HANDLE)>("GetAwarenessFromDpiAwarenessContext");
  return context && awareness ? awareness(context(window)) : -1;
}

int describe(DWORD timeoutMs, HWND parent) {
  becomeDpiAware();
  const DWORD start = GetTickCount();
  HWND first = nullptr;
  int count = countSaverWindows(parent, &first);
  // A saver window exists from the start of its creation, but only becomes visible once its
  // creation (GL context, scene) has finished: wait for that too.
  while ((count == 0 || !IsWindowVisible(first)) && GetTickCount() - start < timeoutMs) {
    Sleep(50);
    count = countSaverWindows(parent, &first);
  }
  std::printf("count=%d\n", count);
  std::printf("virtual=%d,%d,%d,%d\n", GetSystemMetrics(SM_XVIRTUALSCREEN),
              GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
              GetSystemMetrics(SM_CYVIRTUALSCREEN));
  std::printf("dpi=%u\n", systemDpi());
  if (count == 0) return 0;
  char title[256] = "";
  GetWindowTextA(first, title, sizeof(title));
  RECT rect = {};
  GetWindowRect(first, &rect);
  RECT client = {};
  GetClientRect(first, &client);
  DWORD process = 0;
  GetWindowThreadProcessId(first, &process);
  std::printf("window.handle=%llu\n", handleNumber(first));
  std::printf("window.title=%s\n", title);
  std::printf("window.visible=%d\n", IsWindowVisible(first) ? 1 : 0);
  std::printf("window.style=0x%08lx\n",
              static_cast<unsigned long>(GetWindowLongA(first, GWL_STYLE)));
  std::printf("window.exstyle=0x%08lx\n",
              static_cast<unsigned long>(GetWindowLongA(first, GWL_EXSTYLE)));
  std::printf("window.classstyle=0x%08lx\n",
              static_cast<unsigned long>(GetClassLongA(first, GCL_STYLE)));
  std::printf("window.rect=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right, rect.bottom);
  std::printf("window.client=%ldx%ld\n", client.right, client.bottom);
  std::printf("window.parent=%llu\n", handleNumber(GetParent(first)));
  std::printf("window.process=%lu\n", process);
  std::printf("window.dpi=%u\n", windowDpi(first));
  std::printf("window.dpi_awareness=%d\n", windowDpiAwareness(first));
  return 0;
}

std::string unescapeTabs(const char* text) {
  std::string out;
  for (const char* c = text; *c; ++c) {
    if (c[0] == '\\' && c[1] == 't') {
      out += '\t';
      ++c;
    } else {
      out += *c;
    }
  }
  return out;
}

int launch(DWORD timeoutMs, const char* program, int count, char** texts) {
  for (int i = 0; i < count; ++i) {
    std::string commandLine = std::string("\"") + program + "\" " + unescapeTabs(texts[i]);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      std::printf("not-started\n");
      continue;
    }
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 124);
      std::printf("timeout\n");
    } else {
      DWORD code = 0;
      GetExitCodeProcess(process.hProcess, &code);
      std::printf("%ld\n", static_cast<long>(code));
    }
    std::fflush(stdout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return 0;
}

// A message number, or the registered message of that name.
UINT messageFrom(const std::string& text) {
  if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
    return static_cast<UINT>(number(text.c_str()));
  }
  return RegisterWindowMessageA(text.c_str());
}

DWORD verifierCalls() { return ReadDoubleNumber(QW_PASSWORD_DOUBLE_KEY, "Calls", 0); }

int sendMessages(HWND window, DWORD pauseMs, int count, char** requests) {
  DWORD patienceMs = 20000;
  for (int i = 0; i < count; ++i) {
    // [+]how:message:wParam:lParam
    const bool verifies = requests[i][0] == '+';
    const char* request = requests[i] + (verifies ? 1 : 0);
    std::string fields[4];
    int field = 0;
    for (const char* c = request; *c; ++c) {
      if (*c == ':' && field < 3) {
        ++field;
      } else {
        fields[field] += *c;
      }
    }
    if (field != 3) {
      std::printf("%s bad\n", request);
      continue;
    }
    const UINT message = messageFrom(fields[1]);
    const WPARAM wParam = static_cast<WPARAM>(number(fields[2].c_str()));
    const LPARAM lParam = static_cast<LPARAM>(number(fields[3].c_str()));
    const DWORD callsBefore = verifierCalls();
    long long result = 0;
    if (fields[0] == "send") {
      DWORD_PTR answer = 0;
      if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &answer)) {
        result = static_cast<long long>(answer);
      } else {
        result = -1;
      }
    } else {
      result = PostMessageA(window, message, wParam, lParam) ? 0 : -1;
    }
    Sleep(pauseMs);
    // The verification a request causes may start late on a busy machine: wait for it to end
    // (once one never came, the batch waits for no other).
    const DWORD sent = GetTickCount();
    while (verifies && verifierCalls() == callsBefore && GetTickCount() - sent < patienceMs) {
      Sleep(10);
    }
    if (verifies && verifierCalls() == callsBefore) patienceMs = 0;
    // A close request within 200 ms after a verification ended is refused without one, so on a
    // busy machine the next request waits until the last verification is well past.
    const DWORD ended = ReadDoubleNumber(QW_PASSWORD_DOUBLE_KEY, "EndTick", 0);
    while (verifierCalls() > 0 && GetTickCount() - ended < 350) Sleep(10);
    std::printf("%s result=%lld calls=%lu\n", request, result, verifierCalls());
    std::fflush(stdout);
  }
  return 0;
}

int verifyRetries(HWND window, int count, char** delays) {
  const DWORD callsBefore = verifierCalls();
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
  const DWORD start = GetTickCount();
  while (verifierCalls() == callsBefore) {
    if (GetTickCount() - start > 10000) {
      std::printf("no-verification\n");
      return 1;
    }
    Sleep(5);
  }
  const DWORD end = ReadDoubleNumber(QW_PASSWORD_DOUBLE_KEY, "EndTick", 0);
  for (int i = 0; i < count; ++i) {
    const DWORD delay = static_cast<DWORD>(number(delays[i]));
    while (GetTickCount() - end < delay) Sleep(1);
    const DWORD callsAtPress = verifierCalls();
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    const DWORD postedAt = GetTickCount() - end;
    if (i + 1 < count) {
      const DWORD next = static_cast<DWORD>(number(delays[i + 1]));
      while (GetTickCount() - end < next) Sleep(1);
    } else {
      // On a busy machine the last verification may take long to come: wait for it, then half a
      // second more, in which one too many would show.
      const DWORD pressed = GetTickCount();
      while (verifierCalls() == callsAtPress && GetTickCount() - pressed < 10000) Sleep(5);
      Sleep(500);
    }
    std::printf("posted.%s=%lu\n", delays[i], postedAt);
    std::printf("calls.%s=%lu\n", delays[i], verifierCalls() - callsBefore);
  }
  return 0;
}

int describeCursor() {
  CURSORINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetCursorInfo(&info)) return 1;
  std::printf("cursor.handle=%llu\n", handleNumber(reinterpret_cast<HWND>(info.hCursor)));
  std::printf("cursor.showing=%d\n", (info.flags & CURSOR_SHOWING) ? 1 : 0);
  return 0;
}

int setText(HWND window, const char* text) {
  const LRESULT answer = SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  char title[256] = "";
  GetWindowTextA(window, title, sizeof(title));
  std::printf("answer=%lld\ntitle=%s\n", static_cast<long long>(answer), title);
  return 0;
}

int describeRunning(const char* state) {
  if (state) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, number(state) ? TRUE : FALSE, &previous, 0);
  }
  BOOL running = FALSE;
  if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) return 1;
  std::printf("running=%d\n", running ? 1 : 0);
  return 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: e2e_helper parent|decoy|describe|post|close|launch|messages|"
               "verify-retries|settext|foreground|cursor|running ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const char* command = argv[1];
  if (!std::strcmp(command, "parent") && argc == 4) {
    return makeParent(static_cast<int>(number(argv[2])), static_cast<int>(number(argv[3])), false);
  }
  if (!std::strcmp(command, "decoy") && argc == 2) return makeParent(320, 240, true);
  if (!std::strcmp(command, "describe") && (argc == 3 || argc == 4)) {
    return describe(static_cast<DWORD>(number(argv[2])), argc == 4 ? windowFrom(argv[3]) : nullptr);
  }
  if (!std::strcmp(command, "post") && argc == 6) {
    return PostMessageA(windowFrom(argv[2]), static_cast<UINT>(number(argv[3])),
                        static_cast<WPARAM>(number(argv[4])), static_cast<LPARAM>(number(argv[5])))
               ? 0
               : 1;
  }
  if (!std::strcmp(command, "close") && argc == 3) {
    return PostMessageA(windowFrom(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (!std::strcmp(command, "launch") && argc >= 5) {
    return launch(static_cast<DWORD>(number(argv[2])), argv[3], argc - 4, argv + 4);
  }
  if (!std::strcmp(command, "messages") && argc >= 5) {
    return sendMessages(windowFrom(argv[2]), static_cast<DWORD>(number(argv[3])), argc - 4,
                        argv + 4);
  }
  if (!std::strcmp(command, "verify-retries") && argc >= 4) {
    return verifyRetries(windowFrom(argv[2]), argc - 3, argv + 3);
  }
  if (!std::strcmp(command, "settext") && argc == 4) return setText(windowFrom(argv[2]), argv[3]);
  if (!std::strcmp(command, "foreground") && argc == 2) {
    std::printf("foreground=%llu\n", handleNumber(GetForegroundWindow()));
    return 0;
  }
  if (!std::strcmp(command, "cursor") && argc == 2) return describeCursor();
  if (!std::strcmp(command, "running") && argc <= 3) {
    return describeRunning(argc == 3 ? argv[2] : nullptr);
  }
  return usage();
}
