// A plain X window for the tests, standing in for the window xscreensaver (or any other
// program) gives the saver: it prints its id as 0x... on stdout and lives until the program is
// ended, which destroys it. Arguments: width height (default 320 240).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv) {
  const int width = argc > 1 ? std::atoi(argv[1]) : 320;
  const int height = argc > 2 ? std::atoi(argv[2]) : 240;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
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
  std::printf("0x%lx\n", static_cast<unsigned long>(window));
  std::fflush(stdout);
  for (;;) pause();
}
