// A plain X window for the tests, standing in for the window xscreensaver (or any other
// program) gives the saver: it prints its id as 0x... on stdout and lives until the program is
// ended, which destroys it. Arguments: width height (default 320 240). Once shown, it selects no
// events itself, so a test can see when another program starts watching the window.
//
// With `--delete <id>` it instead asks the window <id> to close, as a window manager does when
// the user closes it (a WM_DELETE_WINDOW client message), and ends.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

int AskToClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  if (argc > 2 && std::strcmp(argv[1], "--delete") == 0) {
    return AskToClose(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  }
  const int width = argc > 1 ? std::atoi(argv[1]) : 320;
  const int height = argc > 2 ? std::atoi(argv[2]) : 240;
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0,
                          BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window, "quellwire-test-window");
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != MapNotify);
  // From now on only others' interest in the window shows in its event masks.
  XSelectInput(display, window, NoEventMask);
  XSync(display, False);
  std::printf("0x%lx\n", static_cast<unsigned long>(window));
  std::fflush(stdout);
  for (;;) pause();
}
