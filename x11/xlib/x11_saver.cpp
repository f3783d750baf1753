// The saver on an X11 display: in a window of its own, over the whole screen, or in a window that
// xscreensaver (or another program) gives it, running the frame driver's creation, frame and
// release sequences through a GLX window system on a 10 ms frame timer. It ends with 0 when it is
// closed, when its window goes away or on SIGTERM or SIGHUP, and leaves a borrowed window
// showing its own background.
#include "x11/xlib/x11_saver.h"

#include <poll.h>

#include <cstdio>
#include <cstdlib>

#include "driver/frame_sequence.h"
#include "driver/posix/frame_loop.h"
#include "driver/posix/linux_saver.h"
#include "x11/saver_input.h"
#include "x11/window_handback.h"
#include "x11/window_loss.h"
#include "x11/xlib/x11_window_system.h"  // last: the X headers define short common names

namespace {

constexpr int kOwnWindowWidth = 960;
constexpr int kOwnWindowHeight = 540;

// The window the saver draws in, once it has one, and GLX's first error code (-1 without GLX):
// what the X error handler needs to recognise the window's loss.
Window gWatchedWindow = 0;
int gGlxErrorBase = -1;

static_assert(kXBadWindow == BadWindow && kXBadDrawable == BadDrawable);
static_assert(kXNotifyNormal == NotifyNormal && kXNotifyGrab == NotifyGrab &&
              kXNotifyUngrab == NotifyUngrab && kXNotifyWhileGrabbed == NotifyWhileGrabbed &&
              kXNotifyInferior == NotifyInferior && kXNotifyPointer == NotifyPointer);

// An error that shows the saver's window gone ends the saver at once, with 0 as for any other
// loss of its window: the request that failed may be the GL driver's own, which would go on
// with the failed request's undefined answer if this handler returned. Whatever the process
// holds goes with it; the server frees the connection's resources. Other errors (a request
// that raced some other change) are of no consequence and are ignored.
int HandleXError(Display*, XErrorEvent* error) {
  const XErrorFacts facts{error->error_code, error->resourceid};
  if (xErrorShowsWindowGone(facts, gWatchedWindow, gGlxErrorBase)) {
    std::fflush(stdout);
    std::_Exit(0);
  }
  return 0;
}

struct SaverWindow {
  Window window;
  bool own;         // made here, destroyed here
  bool fullScreen;  // ends on input
  bool gone;        // destroyed (by someone else) before the saver could start drawing
  Atom deleteWindow;
};

// Hides the pointer over a full-screen window with an empty cursor.
void HidePointer(Display* display, Window window) {
  const Pixmap empty = XCreatePixmap(display, window, 1, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
  XDefineCursor(display, window, cursor);
  XFreeCursor(display, cursor);
  XFreePixmap(display, empty);
}

// A window of the saver's own, in the visual the pixel-format score prefers, shown and (full
// screen) focused before it is returned. 0 when the display has no GL visual; `gone` when the
// window was destroyed before it was shown.
Window MakeOwnWindow(Display* display, bool fullScreen, Atom deleteWindow, bool& gone) {
  const int screen = DefaultScreen(display);
  XVisualInfo* visual = ChooseSaverVisual(display, screen);
  if (visual == nullptr) return 0;
  const Window root = RootWindow(display, screen);

  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
  attributes.background_pixel = 0;
  attributes.border_pixel = 0;
  attributes.override_redirect = fullScreen ? True : False;
  attributes.event_mask = StructureNotifyMask;
  if (fullScreen) {
    attributes.event_mask |= KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask;
  }
  const int width = fullScreen ? DisplayWidth(display, screen) : kOwnWindowWidth;
  const int height = fullScreen ? DisplayHeight(display, screen) : kOwnWindowHeight;
  const Window window = XCreateWindow(
      display, root, 0, 0, width, height, 0, visual->depth, InputOutput, visual->visual,
      CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWEventMask, &attributes);
  XFree(visual);
  gWatchedWindow = window;

  XStoreName(display, window, "Quellwire");
  Atom protocols[] = {deleteWindow};
  XSetWMProtocols(display, window, protocols, 1);
  if (fullScreen) HidePointer(display, window);
  XMapRaised(display, window);
  XEvent event;
  do {
    XWindowEvent(display, window, StructureNotifyMask, &event);
    if (event.type == DestroyNotify) {
      gone = true;
      return window;
    }
  } while (event.type != MapNotify);
  if (fullScreen) XSetInputFocus(display, window, RevertToParent, CurrentTime);
  return window;
}

// The window to draw in, made or found; window 0 when there is none.
SaverWindow OpenSaverWindow(Display* display, const X11Run& run) {
  SaverWindow saver{};
  saver.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  switch (run.target) {
    case X11Target::OwnWindow:
    case X11Target::FullScreen:
      saver.own = true;
      saver.fullScreen = run.target == X11Target::FullScreen;
      saver.window = MakeOwnWindow(display, saver.fullScreen, saver.deleteWindow, saver.gone);
      if (saver.window == 0)
        std::fprintf(stderr, "quellwire: the display offers no OpenGL visual\n");
      return saver;
    case X11Target::RootWindow:
      saver.window = DefaultRootWindow(display);
      break;
    case X11Target::GivenWindow:
      saver.window = static_cast<Window>(run.windowId);
      break;
  }
  // Someone else's window: only its destruction is watched; its input is its owner's.
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, saver.window, &attributes)) {
    std::fprintf(stderr, "quellwire: there is no window 0x%lx\n",
                 static_cast<unsigned long>(saver.window));
    saver.window = 0;
    return saver;
  }
  // From here on its loss is watched: if it went a moment ago, this very request fails.
  gWatchedWindow = saver.window;
  XSelectInput(display, saver.window, StructureNotifyMask);
  return saver;
}

// The input an X event stands for, when it stands for one.
bool WakeInputOf(const XEvent& event, WakeInput* input) {
  WakeInputKind kind{};
  switch (event.type) {
    case KeyPress:
      *input = WakeInput{WakeInputKind::KeyDown, {event.xkey.x_root, event.xkey.y_root}};
      return true;
    case ButtonPress:
      if (!wakeInputOfButton(event.xbutton.button, &kind)) return false;
      *input = WakeInput{kind, {event.xbutton.x_root, event.xbutton.y_root}};
      return true;
    case MotionNotify:
      *input = WakeInput{WakeInputKind::PointerMoved, {event.xmotion.x_root, event.xmotion.y_root}};
      return true;
    case FocusOut:
      if (!focusOutIsLoss(event.xfocus.mode, event.xfocus.detail)) return false;
      *input = WakeInput{WakeInputKind::FocusLost, {0, 0}};
      return true;
    default:
      return false;
  }
}

// Why the event loop ended.
enum class LoopEnd { Closed, WindowGone };

// Only a full-screen saver ends on input, measured from where the pointer was when it started.
bool EventEndsSaver(const XEvent& event, const SaverWindow& saver, ScreenPoint pointerOrigin) {
  if (event.type == ClientMessage) {
    return saver.own && static_cast<Atom>(event.xclient.data.l[0]) == saver.deleteWindow;
  }
  WakeInput input{};
  return saver.fullScreen && WakeInputOf(event, &input) && inputWakes(input, pointerOrigin);
}

ScreenPoint PointerPosition(Display* display) {
  Window root = 0;
  Window child = 0;
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  unsigned int buttons = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                &windowY, &buttons);
  return ScreenPoint{rootX, rootY};
}

// Frames on the timer and events as they come, until something ends the saver. Every event
// that has arrived is taken before a frame is drawn, so no frame is begun on a window whose
// destruction has been reported; and a new size is adopted before the frame that follows it.
LoopEnd RunEventLoop(FrameLoop& loop, Display* display, const SaverWindow& saver,
                     ScreenPoint pointerOrigin, X11Window& record, FrameDriverState& state,
                     const WindowSystem& windowSystem, std::uint32_t frameLimit) {
  FrameLimit limit{frameLimit, 0};
  const int connection = ConnectionNumber(display);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == DestroyNotify && event.xdestroywindow.window == saver.window) {
        return LoopEnd::WindowGone;
      }
      if (event.type == ConfigureNotify && event.xconfigure.window == saver.window) {
        X11WindowResized(record, ClientSize{event.xconfigure.width, event.xconfigure.height});
      }
      if (EventEndsSaver(event, saver, pointerOrigin)) return LoopEnd::Closed;
    }
    if (FrameLoopEndSignalled(loop)) return LoopEnd::Closed;
    if (FrameLoopTakeTick(loop)) {
      RunResizeSequence(state, record.size);
      RunFrame(state, windowSystem);
      if (FrameLimitReached(limit)) return LoopEnd::Closed;
      continue;
    }
    FrameLoopWait(loop, connection, POLLIN, FrameLoopWaitMs(loop));
  }
}

// Hands the window back once the GL context is gone, so that no frame of the driver's comes
// after it; the sync makes the clearing done before the process ends. Should a borrowed window go
// in the meantime, the error handler ends the saver with 0, as for any other loss of it.
void HandBackWindow(Display* display, const SaverWindow& saver, WindowHandback handback) {
  switch (handback) {
    case WindowHandback::Nothing:
      break;
    case WindowHandback::Destroy:
      XDestroyWindow(display, saver.window);
      break;
    case WindowHandback::ShowOwnBackground:
      XClearArea(display, saver.window, 0, 0, 0, 0, True);
      break;
  }
  XSync(display, False);
}

}  // namespace

int RunX11Saver(const X11Run& run) {
  FrameLoop loop;
  FrameLoopStart(loop);
  const char* displayName = run.displayName.empty() ? nullptr : run.displayName.c_str();
  Display* display = XOpenDisplay(displayName);
  if (display == nullptr) {
    std::fprintf(stderr, "quellwire: cannot open display \"%s\"\n", XDisplayName(displayName));
    return 1;
  }
  int glxEventBase = 0;
  if (!glXQueryExtension(display, &gGlxErrorBase, &glxEventBase)) gGlxErrorBase = -1;
  XSetErrorHandler(HandleXError);

  const SaverWindow saver = OpenSaverWindow(display, run);
  if (saver.window == 0) {
    XCloseDisplay(display);
    return 1;
  }
  if (saver.gone) {
    XCloseDisplay(display);
    return 0;
  }

  const ScreenPoint pointerOrigin = PointerPosition(display);

  X11Window record;
  X11WindowOpen(record, display, saver.window);
  const WindowSystem windowSystem = X11WindowSystem(record);
  FrameDriverState state{};
  LinuxFrameDriverSetup(state, run.showFps);
  if (!RunCreationSequence(state, windowSystem, record.size, run.settings)) {
    std::_Exit(ReportNoFlock());
  }
  const LoopEnd end = RunEventLoop(loop, display, saver, pointerOrigin, record, state, windowSystem,
                                   run.frameLimit);
  FrameLoopEnd(loop);
  if (end == LoopEnd::WindowGone) {
    RunReleaseSequenceAfterWindowLoss(state, windowSystem);
  } else {
    RunReleaseSequence(state, windowSystem);
  }
  X11WindowClose(record);

  HandBackWindow(display, saver, windowHandbackOf(saver.own, end == LoopEnd::WindowGone));
  XCloseDisplay(display);
  return 0;
}
