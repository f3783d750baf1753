// The saver window's two message tables (the host's screening and the default handling's
// closing rules), with the frame driver's table between them, driven by random sequences of
// messages, parameters and pointer moves against the host state, as the window procedures
// carry them out. A verification of the 9x password sends its request back through the same
// tables and may dispatch more messages of its own meanwhile, as a verifier's dialog does.
//
// Properties checked at every step:
// - no input ever closes a preview (only the autoplay query may ask it to close);
// - nothing destroys the window while a verification runs, and input asks for no close then;
// - isClosing, once set, never returns to false, and no frame is drawn while it is set;
// - a pointer move asks for a close exactly when it ends more than 4 pixels from the origin;
//   so a pointer that stays within 4 pixels of the origin never closes.
#include <cstddef>
#include <cstdint>
#include <deque>

#include "windows/frame_driver_messages.h"
#include "windows/closing_rules.h"
#include "windows/host_screening.h"
#include "windows/system_hooks_password.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr std::uint32_t kAutoplay = 0xC0DE;
WindowHandle const kWindow = reinterpret_cast<WindowHandle>(0x1000);

// The messages the tables name, so that random bytes hit them often.
constexpr std::uint32_t kMessages[] = {
    WM_CREATE,      WM_DESTROY,     WM_SETTEXT,        WM_PAINT,      WM_CLOSE,
    WM_SHOWWINDOW,  WM_ACTIVATEAPP, WM_SETCURSOR,      WM_POWER,      WM_HELP,
    WM_CONTEXTMENU, WM_KEYDOWN,     WM_KEYUP,          WM_SYSKEYDOWN, WM_SYSCOMMAND,
    WM_TIMER,       WM_MOUSEMOVE,   WM_LBUTTONDOWN,    WM_LBUTTONUP,  WM_RBUTTONDOWN,
    WM_MBUTTONDOWN, WM_MOUSEWHEEL,  WM_POWERBROADCAST, WM_APP,        kAutoplay,
};
// clang-format off
constexpr std::uintptr_t kParameters[] = {
    0, 1, 2, 3, 0xA, 0x12, SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE, SC_MONITORPOWER,
    SC_MONITORPOWER | 2,
};
// clang-format on

bool isInput(std::uint32_t message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_SETCURSOR:
    case WM_ACTIVATEAPP:
    case WM_SYSCOMMAND:
      return true;
    default:
      return false;
  }
}

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  bool empty() const { return size == 0; }
  std::uint8_t byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::uint32_t word() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | byte();
    return value;
  }
};

struct Message {
  std::uint32_t number;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// The window, its queue and the system around it.
struct Model {
  SaverHostState host;
  Input input{nullptr, 0};
  ScreenPoint pointer{0, 0};
  std::uint32_t tick = 1000;
  std::deque<Message> queue;  // posted messages
  bool destroyed = false;
  bool wasClosing = false;
  bool jitterOnly = false;   // pointer moves stay within 4 pixels of the origin
  int depth = 0;             // verifications in progress
  std::uint8_t verdict = 0;  // the verifier's answer
  std::uint8_t lineStatusChanges = 0;
};

Model* model;

void dispatch(const Message& message);

void checkInvariants() {
  if (model->wasClosing) QW_FUZZ_CHECK(model->host.isClosing);
  model->wasClosing = model->host.isClosing;
}

void postClose(std::uint32_t cause) {
  // While a verification runs input is not screened: only the autoplay query and the monitor's
  // power-off command still ask for a close (which the verification then refuses).
  if (model->host.isVerifying) QW_FUZZ_CHECK(cause == kAutoplay || cause == WM_SYSCOMMAND);
  if (model->host.isPreview) QW_FUZZ_CHECK(cause == kAutoplay && model->host.autoplayMessage);
  if (model->jitterOnly) QW_FUZZ_CHECK(cause != WM_MOUSEMOVE);
  model->queue.push_back({WM_CLOSE, 0, 0});
}

void destroyWindow() {
  QW_FUZZ_CHECK(!model->host.isVerifying);
  model->destroyed = true;
  dispatch({WM_DESTROY, 0, 0});
}

// DefWindowProcA, as far as it matters here: it destroys the window on WM_CLOSE.
void defaultWindowProc(const Message& message) {
  if (message.number == WM_CLOSE && !model->destroyed) destroyWindow();
}

Message randomMessage() {
  Input& in = model->input;
  const std::uint8_t pick = in.byte();
  Message m{};
  m.number = pick < 200 ? kMessages[pick % (sizeof kMessages / sizeof kMessages[0])] : in.word();
  const std::uint8_t parameter = in.byte();
  m.wParam = parameter < 200 ? kParameters[parameter % (sizeof kParameters / sizeof kParameters[0])]
                             : in.word();
  m.lParam = static_cast<std::int32_t>(in.byte() & 1 ? in.word() : 0);
  return m;
}

// Screen coordinates wrap rather than overflow: the rules must hold at the extremes too.
std::int32_t offset(std::int32_t coordinate, std::uint8_t byte) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(coordinate) +
                                   static_cast<std::uint32_t>(static_cast<std::int8_t>(byte)));
}

void movePointer() {
  Input& in = model->input;
  const std::uint8_t dx = in.byte();
  const ScreenPoint to{offset(model->pointer.x, dx), offset(model->pointer.y, in.byte())};
  if (model->jitterOnly && pointerDistance(model->host.cursorOrigin, to) > 4) return;
  model->pointer = to;
  dispatch({WM_MOUSEMOVE, 0, 0});
}

// One step of the outside world: a message sent, a pointer move, time passing, or the queue.
void step() {
  Input& in = model->input;
  const std::uint8_t kind = in.byte() % 8;
  if (kind < 3) {
    const Message m = randomMessage();
    // A jitter-only run sends only what by itself never closes: the pointer where it is,
    // releases, the wheel, frames and paints.
    const bool harmless = m.number == WM_MOUSEMOVE || m.number == WM_TIMER ||
                          m.number == WM_PAINT || m.number == WM_SETCURSOR ||
                          m.number == WM_KEYUP || m.number == WM_LBUTTONUP ||
                          m.number == WM_MOUSEWHEEL;
    if (!model->jitterOnly || harmless) dispatch(m);
  } else if (kind < 6) {
    movePointer();
  } else if (kind == 6) {
    model->tick += in.byte() * 4u;
  } else if (!model->queue.empty()) {
    const Message m = model->queue.front();
    model->queue.pop_front();
    dispatch(m);
  }
}

// The calls a verification makes; its request runs back through the tables.
std::uint32_t tickCount() { return model->tick; }
void removeTimerMessage(WindowHandle) {
  for (auto it = model->queue.begin(); it != model->queue.end(); ++it) {
    if (it->number == WM_TIMER) {
      model->queue.erase(it);
      return;
    }
  }
}
std::intptr_t sendVerifyRequest(WindowHandle) {
  QW_FUZZ_CHECK(model->host.isVerifying);
  ++model->depth;
  // The verifier's dialog pumps a few messages while it asks.
  const int pumped = model->input.byte() % 6;
  for (int i = 0; i < pumped && !model->destroyed; ++i) step();
  std::intptr_t answer = 1;
  Message request{WM_APP, 0, 0};
  const CloseDecision decision = DecideDefaultHandling(request.number, 0, 0, model->host, {});
  QW_FUZZ_CHECK(decision.route == CloseRoute::AnswerVerifyRequest);
  if (VerifierLoaded(model->host)) answer = model->verdict = model->input.byte() & 1;
  --model->depth;
  QW_FUZZ_CHECK(model->host.isVerifying);
  return answer;
}
void ignore() {}

int QW_SYSTEM_CALL loadedVerifier(WindowHandle) { return 0; }

SystemHookCalls verificationCalls() {
  SystemHookCalls calls{};
  calls.tickCount = tickCount;
  calls.removeTimerMessage = removeTimerMessage;
  calls.sendVerifyRequest = sendVerifyRequest;
  calls.hideCursor = ignore;
  return calls;
}

// DefScreenSaverProc.
void defaultHandling(const Message& message) {
  SaverHostState& host = model->host;
  const ScreenPoint origin = host.cursorOrigin;
  const bool screened = !host.isPreview && !host.isClosing && !host.isVerifying;
  const CloseDecision decision =
      DecideDefaultHandling(message.number, message.wParam, message.lParam, host, model->pointer);
  std::uint32_t steps = decision.steps;
  if (message.number == WM_MOUSEMOVE && screened) {
    const bool far = pointerDistance(origin, model->pointer) > kWakeThreshold;
    QW_FUZZ_CHECK(far == ((steps & CloseStepPostClose) != 0));
  }
  if ((steps & CloseStepCheckLineStatus) && (model->lineStatusChanges++ & 1)) {
    steps |= CloseStepPostClose;
  }
  if (steps & CloseStepPostClose) postClose(message.number);
  if (steps & CloseStepStorePointer) host.cursorOrigin = model->pointer;
  switch (decision.route) {
    case CloseRoute::DefaultWindowProc:
      defaultWindowProc(message);
      break;
    case CloseRoute::VerifyBeforeClose:
      QW_FUZZ_CHECK(message.number == WM_CLOSE && !host.isPreview);
      if (!VerifySaverPassword(verificationCalls(), host, kWindow)) {
        host.cursorOrigin = model->pointer;
      } else {
        QW_FUZZ_CHECK(host.isClosing);
        defaultWindowProc(message);
      }
      break;
    case CloseRoute::AnswerVerifyRequest:
    case CloseRoute::Return:
      break;
  }
}

// SaverHostProc, then ScreenSaverProc's choice, then DefScreenSaverProc.
void dispatch(const Message& message) {
  if (model->destroyed && message.number != WM_DESTROY) return;
  SaverHostState& host = model->host;
  const HostDecision decision = ScreenHostMessage(message.number, message.wParam, host);
  if (decision.steps & HostStepRecordCursorOrigin) host.cursorOrigin = model->pointer;
  if (decision.steps & HostStepPostClose) postClose(message.number);
  if (host.isPreview) QW_FUZZ_CHECK(!(decision.steps & HostStepHideCursor));
  if (decision.route == HostRoute::Saver) {
    switch (FrameDriverActionFor(message.number, message.wParam)) {
      case FrameDriverAction::Frame:
        QW_FUZZ_CHECK(!host.isClosing);
        break;
      case FrameDriverAction::PassToHost:
        defaultHandling(message);
        break;
      case FrameDriverAction::Create:
      case FrameDriverAction::Release:
        break;
    }
  } else if (decision.route == HostRoute::DefaultWindowProc) {
    QW_FUZZ_CHECK(host.isClosing || !isInput(message.number));
    defaultWindowProc(message);
  }
  checkInvariants();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Model state;
  model = &state;
  state.input = Input{data, size};
  const std::uint8_t setup = state.input.byte();
  SaverHostState& host = state.host;
  host.isPreview = setup & 1;
  host.is9xPlatform = setup & 2;
  if (host.is9xPlatform && !host.isPreview && (setup & 4)) host.verifyPassword = loadedVerifier;
  host.autoplayMessage = host.is9xPlatform ? kAutoplay : 0;
  state.jitterOnly = setup & 8;
  state.pointer = {static_cast<std::int32_t>(state.input.word()),
                   static_cast<std::int32_t>(state.input.word())};

  dispatch({WM_CREATE, 0, 0});
  QW_FUZZ_CHECK(host.cursorOrigin.x == state.pointer.x && host.cursorOrigin.y == state.pointer.y);
  while (!state.input.empty() && !state.destroyed) step();
  // The loop runs until the queue is empty.
  while (!state.queue.empty() && !state.destroyed) {
    const Message m = state.queue.front();
    state.queue.pop_front();
    dispatch(m);
  }
  // Nothing in a jitter-only run can end the saver.
  if (state.jitterOnly) QW_FUZZ_CHECK(!state.destroyed && !host.isClosing);
  return 0;
}
