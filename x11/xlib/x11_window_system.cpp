#include "x11/xlib/x11_window_system.h"

#include <cstdlib>
#include <ctime>

#include "display/pixel_format.h"
#include "x11/xlib/fps_overlay.h"

namespace {

X11Window& Record(WindowHandle window) { return *static_cast<X11Window*>(window); }

int ConfigAttribute(Display* display, GLXFBConfig config, int attribute) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, attribute, &value);
  return value;
}

// A GLX configuration in the terms the pixel-format score reads. A configuration GLX marks as
// slow is what Windows calls a generic (software) format; the colour bits leave out alpha, as
// the Windows descriptor's do.
PixelFormatDescription DescribeConfig(Display* display, GLXFBConfig config) {
  PixelFormatDescription format{};
  const int renderType = ConfigAttribute(display, config, GLX_RENDER_TYPE);
  const int drawableType = ConfigAttribute(display, config, GLX_DRAWABLE_TYPE);
  if ((renderType & (GLX_RGBA_BIT | GLX_COLOR_INDEX_BIT)) != 0) format.flags |= PFD_SUPPORT_OPENGL;
  if ((drawableType & GLX_WINDOW_BIT) != 0) format.flags |= PFD_DRAW_TO_WINDOW;
  if (ConfigAttribute(display, config, GLX_DOUBLEBUFFER) != 0) format.flags |= PFD_DOUBLEBUFFER;
  if (ConfigAttribute(display, config, GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG) {
    format.flags |= PFD_GENERIC_FORMAT;
  }
  format.pixelType = (renderType & GLX_RGBA_BIT) != 0 ? PFD_TYPE_RGBA : PFD_TYPE_COLORINDEX;
  const int colorBits = ConfigAttribute(display, config, GLX_RED_SIZE) +
                        ConfigAttribute(display, config, GLX_GREEN_SIZE) +
                        ConfigAttribute(display, config, GLX_BLUE_SIZE);
  const int depthBits = ConfigAttribute(display, config, GLX_DEPTH_SIZE);
  format.colorBits = static_cast<std::uint8_t>(colorBits > 255 ? 255 : colorBits);
  format.depthBits = static_cast<std::uint8_t>(depthBits > 255 ? 255 : depthBits);
  return format;
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

// All configurations of a screen with a visual, for choosing the visual of a new window.
struct ScreenConfigs {
  Display* display;
  GLXFBConfig* configs;
  int count;
};

int DescribeScreenConfig(void* device, int index, PixelFormatDescription* format) {
  const ScreenConfigs& screen = *static_cast<const ScreenConfigs*>(device);
  if (index >= 1 && index <= screen.count) {
    *format = DescribeConfig(screen.display, screen.configs[index - 1]);
  }
  return screen.count;
}

// The size the server last reported, without asking it again: no request on the window, so no
// round trip each frame and nothing to fail when the window has just gone.
ClientSize GetClientSize(WindowHandle window) { return Record(window).size; }

void LoadSettings(WindowHandle window, Settings& settings) { settings = Record(window).settings; }

DeviceContextHandle GetDeviceContext(WindowHandle window) { return window; }

int DescribePixelFormat(WindowHandle window, DeviceContextHandle, int index,
                        PixelFormatDescription* format) {
  X11Window& w = Record(window);
  if (index >= 1 && index <= w.configCount) {
    *format = DescribeConfig(w.display, w.configs[index - 1]);
  }
  return w.configCount;
}

void SetPixelFormat(WindowHandle window, DeviceContextHandle, int format,
                    const PixelFormatDescription&) {
  X11Window& w = Record(window);
  w.chosenConfig = PixelFormatAfterSet(w.chosenConfig, format, w.configCount);
}

RenderContextHandle CreateRenderContext(WindowHandle window, DeviceContextHandle) {
  X11Window& w = Record(window);
  if (w.chosenConfig == 0) return nullptr;
  GLXContext context =
      glXCreateNewContext(w.display, w.configs[w.chosenConfig - 1], GLX_RGBA_TYPE, nullptr, True);
  if (w.context == nullptr) w.context = context;
  return context;
}

void MakeCurrent(WindowHandle window, DeviceContextHandle deviceContext,
                 RenderContextHandle renderContext) {
  X11Window& w = Record(window);
  if (deviceContext == nullptr || renderContext == nullptr) {
    glXMakeCurrent(w.display, None, nullptr);
    return;
  }
  glXMakeCurrent(w.display, w.window, static_cast<GLXContext>(renderContext));
}

void DeleteRenderContext(WindowHandle window, RenderContextHandle renderContext) {
  if (renderContext == nullptr) return;
  X11Window& w = Record(window);
  glXDestroyContext(w.display, static_cast<GLXContext>(renderContext));
  if (w.context == renderContext) w.context = nullptr;
}

void ReleaseDeviceContext(WindowHandle, DeviceContextHandle) {}

void StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  frameTimerStart(Record(window).timer, id, periodMs, MonotonicTickMs());
}

void StopTimer(WindowHandle window, std::uint32_t id) { frameTimerStop(Record(window).timer, id); }

void SwapBuffers(WindowHandle window, DeviceContextHandle) {
  X11Window& w = Record(window);
  if (w.context == nullptr) return;
  if (w.showFps) {
    fpsCounterFrame(w.fps, MonotonicTickMs());
    const ClientSize size = GetClientSize(window);
    DrawFpsOverlay(w.fps.framesPerSecond, size.width, size.height);
  }
  glXSwapBuffers(w.display, w.window);
}

std::uint32_t TickCount(WindowHandle) { return MonotonicTickMs(); }

void EndProcess(WindowHandle, int exitStatus) { std::_Exit(exitStatus); }

}  // namespace

std::uint32_t MonotonicTickMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                           static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);
}

void X11WindowOpen(X11Window& record, Display* display, Window window, bool showFps,
                   const Settings& settings) {
  record = X11Window{};
  record.display = display;
  record.window = window;
  record.showFps = showFps;
  record.settings = settings;

  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.visual == nullptr) return;
  record.size = ClientSize{attributes.width, attributes.height};
  const VisualID visual = XVisualIDFromVisual(attributes.visual);
  const int screen = XScreenNumberOfScreen(attributes.screen);

  // Only the configurations of the window's own visual can draw into it.
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
  return WindowSystem{
      &record,        GetClientSize,       LoadSettings, GetDeviceContext,    DescribePixelFormat,
      SetPixelFormat, CreateRenderContext, MakeCurrent,  DeleteRenderContext, ReleaseDeviceContext,
      StartTimer,     StopTimer,           SwapBuffers,  TickCount,           EndProcess};
}

XVisualInfo* ChooseSaverVisual(Display* display, int screen) {
  int kept = 0;
  GLXFBConfig* all = ScreenConfigsWhere(display, screen, kept, [](VisualID id) { return id != 0; });
  if (all == nullptr) return nullptr;
  ScreenConfigs screenConfigs{display, all, kept};
  const int chosen =
      ChooseScoredPixelFormat(DescribeScreenConfig, &screenConfigs, RenderContextRequest.colorBits,
                              RenderContextRequest.depthBits, RenderContextRequest.doubleBuffer,
                              RenderContextRequest.acceleration);
  XVisualInfo* visual = chosen > 0 ? glXGetVisualFromFBConfig(display, all[chosen - 1]) : nullptr;
  XFree(all);
  return visual;
}
