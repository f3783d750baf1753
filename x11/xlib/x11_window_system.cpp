#include "x11/xlib/x11_window_system.h"

#include <algorithm>
#include <cstdlib>

#include "driver/posix/monotonic_clock.h"

namespace {

X11Window& Record(void* window) { return *static_cast<X11Window*>(window); }

int ConfigAttribute(Display* display, GLXFBConfig config, int attribute) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, attribute, &value);
  return value;
}

// A GLX configuration as a surface format. A configuration GLX marks as slow renders in
// software; the colour bits leave out alpha.
SurfaceFormat DescribeConfig(Display* display, GLXFBConfig config) {
  SurfaceFormat format{};
  const int renderType = ConfigAttribute(display, config, GLX_RENDER_TYPE);
  const int drawableType = ConfigAttribute(display, config, GLX_DRAWABLE_TYPE);
  format.openGl = (renderType & (GLX_RGBA_BIT | GLX_COLOR_INDEX_BIT)) != 0;
  format.window = (drawableType & GLX_WINDOW_BIT) != 0;
  format.doubleBuffered = ConfigAttribute(display, config, GLX_DOUBLEBUFFER) != 0;
  format.colorIndex = (renderType & GLX_RGBA_BIT) == 0;
  format.renderer = ConfigAttribute(display, config, GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG
                        ? FormatRenderer::Software
                        : FormatRenderer::Hardware;
  const int red = ConfigAttribute(display, config, GLX_RED_SIZE);
  const int green = ConfigAttribute(display, config, GLX_GREEN_SIZE);
  const int blue = ConfigAttribute(display, config, GLX_BLUE_SIZE);
  const int colorBits = red + green + blue;
  const int channelBits = std::min(red, std::min(green, blue));
  const int depthBits = ConfigAttribute(display, config, GLX_DEPTH_SIZE);
  format.colorBits = static_cast<std::uint8_t>(colorBits > 255 ? 255 : colorBits);
  format.depthBits = static_cast<std::uint8_t>(depthBits > 255 ? 255 : depthBits);
  format.channelBits = static_cast<std::uint8_t>(std::clamp(channelBits, 1, 255));
  return format;
}

// A list of configurations, as the format chooser lists them.
struct ConfigList {
  Display* display;
  GLXFBConfig* configs;
  int count;
};

int ListConfigs(const void* source, int index, SurfaceFormat* format) {
  const ConfigList& list = *static_cast<const ConfigList*>(source);
  if (index >= 1 && index <= list.count) {
    *format = DescribeConfig(list.display, list.configs[index - 1]);
  }
  return list.count;
}

// The screen's configurations whose visual `keep` accepts, moved to the front of the array GLX
// gave (which the caller XFrees); their count in `kept`. Null when GLX gave none.
template <typename Keep>
GLXFBConfig* ScreenConfigsWhere(Display* display, int screen, int& kept, Keep keep) {
  int count = 0;
  GLXFBConfig* all = glXGetFBConfigs(display, screen, &count);
  kept = 0;
  if (all == nullptr) return nullptr;
  for (int i = 0; i < count; ++i) {
    if (keep(static_cast<VisualID>(ConfigAttribute(display, all[i], GLX_VISUAL_ID)))) {
      all[kept++] = all[i];
    }
  }
  return all;
}

// The size the server last reported, without asking it again: no request on the window, so no
// round trip each frame and nothing to fail when the window has just gone.
ClientSize GetClientSize(void* window) { return Record(window).size; }

// Only the configurations of the window's own visual can draw into it.
bool CreateRenderContext(void* window, const SurfaceRequest& request) {
  X11Window& w = Record(window);
  const ConfigList list{w.display, w.configs, w.configCount};
  const int chosen = chooseSurfaceFormat(ListConfigs, &list, request);
  if (chosen == 0) return false;
  w.context = glXCreateNewContext(w.display, w.configs[chosen - 1], GLX_RGBA_TYPE, nullptr, True);
  return w.context != nullptr;
}

void MakeCurrent(void* window, bool current) {
  X11Window& w = Record(window);
  if (!current || w.context == nullptr) {
    glXMakeCurrent(w.display, None, nullptr);
    return;
  }
  glXMakeCurrent(w.display, w.window, w.context);
}

void DestroyRenderContext(void* window) {
  X11Window& w = Record(window);
  if (w.context == nullptr) return;
  glXDestroyContext(w.display, w.context);
  w.context = nullptr;
}

void SwapBuffers(void* window) {
  X11Window& w = Record(window);
  if (w.context != nullptr) glXSwapBuffers(w.display, w.window);
}

std::uint32_t TickCount(void*) { return MonotonicTickMs(); }

}  // namespace

void X11WindowOpen(X11Window& record, Display* display, Window window) {
  record = X11Window{};
  record.display = display;
  record.window = window;

  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.visual == nullptr) return;
  record.size = ClientSize{attributes.width, attributes.height};
  const VisualID visual = XVisualIDFromVisual(attributes.visual);
  const int screen = XScreenNumberOfScreen(attributes.screen);
  record.configs = ScreenConfigsWhere(display, screen, record.configCount,
                                      [visual](VisualID id) { return id == visual; });
}

void X11WindowResized(X11Window& record, ClientSize size) { record.size = size; }

void X11WindowClose(X11Window& record) {
  if (record.configs != nullptr) XFree(record.configs);
  record.configs = nullptr;
  record.configCount = 0;
}

WindowSystem X11WindowSystem(X11Window& record) {
  return WindowSystem{&record,     GetClientSize, CreateRenderContext,
                      MakeCurrent, SwapBuffers,   DestroyRenderContext,
                      TickCount};
}

XVisualInfo* ChooseSaverVisual(Display* display, int screen) {
  int kept = 0;
  GLXFBConfig* all = ScreenConfigsWhere(display, screen, kept, [](VisualID id) { return id != 0; });
  if (all == nullptr) return nullptr;
  const ConfigList list{display, all, kept};
  const int chosen = chooseSurfaceFormat(ListConfigs, &list, kSaverSurfaceRequest);
  XVisualInfo* visual = chosen > 0 ? glXGetVisualFromFBConfig(display, all[chosen - 1]) : nullptr;
  XFree(all);
  return visual;
}
