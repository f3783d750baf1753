// EGL on the Wayland connection: one display for the process, and for each surface an EGL
// window surface and a desktop OpenGL context (compatibility profile, as the frame driver's GL
// 1.1 drawing needs), carried out as the frame driver's window system.

#include <cstdio>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "display/surface_format.h"
#include "wayland/egl_choice.h"
#include "wayland/client/wayland_client.h"

namespace {

SaverSurface& Surface(void* window) { return *static_cast<SaverSurface*>(window); }

EGLDisplay gDisplay = EGL_NO_DISPLAY;

EGLint ConfigAttribute(EGLConfig config, EGLint attribute) {
  EGLint value = 0;
  eglGetConfigAttrib(gDisplay, config, attribute, &value);
  return value;
}

// The configurations a saver surface may be drawn with: desktop GL into a window, without alpha
// (the picture is cleared to alpha 0, which the compositor would show as transparent).
struct OpaqueConfigs {
  EGLConfig configs[256];
  int count;
};

void ListOpaqueConfigs(OpaqueConfigs& list) {
  EGLConfig all[256];
  EGLint count = 0;
  list.count = 0;
  if (!eglGetConfigs(gDisplay, all, 256, &count)) return;
  for (EGLint i = 0; i < count; ++i) {
    if (ConfigAttribute(all[i], EGL_ALPHA_SIZE) != 0) continue;
    if ((ConfigAttribute(all[i], EGL_SURFACE_TYPE) & EGL_WINDOW_BIT) == 0) continue;
    list.configs[list.count++] = all[i];
  }
}

// A configuration in the terms of the shared format chooser. EGL window surfaces are double
// buffered; a configuration EGL marks as slow is a software one.
int DescribeConfig(const void* source, int index, SurfaceFormat* format) {
  const OpaqueConfigs& list = *static_cast<const OpaqueConfigs*>(source);
  if (index >= 1 && index <= list.count) {
    const EGLConfig config = list.configs[index - 1];
    const EGLint colorBits = ConfigAttribute(config, EGL_RED_SIZE) +
                             ConfigAttribute(config, EGL_GREEN_SIZE) +
                             ConfigAttribute(config, EGL_BLUE_SIZE);
    const EGLint depthBits = ConfigAttribute(config, EGL_DEPTH_SIZE);
    SurfaceFormat described{};
    described.openGl = (ConfigAttribute(config, EGL_RENDERABLE_TYPE) & EGL_OPENGL_BIT) != 0;
    described.window = true;
    described.bitmap = (ConfigAttribute(config, EGL_SURFACE_TYPE) & EGL_PIXMAP_BIT) != 0;
    described.doubleBuffered = true;
    described.colorIndex = ConfigAttribute(config, EGL_COLOR_BUFFER_TYPE) != EGL_RGB_BUFFER;
    described.renderer = ConfigAttribute(config, EGL_CONFIG_CAVEAT) == EGL_SLOW_CONFIG
                             ? FormatRenderer::Software
                             : FormatRenderer::Hardware;
    described.colorBits = static_cast<std::uint8_t>(colorBits > 255 ? 255 : colorBits);
    described.depthBits = static_cast<std::uint8_t>(depthBits > 255 ? 255 : depthBits);
    *format = described;
  }
  return list.count;
}

ClientSize ClientSizeOf(void* window) { return Surface(window).buffer.size; }

// Gives back whatever of the surface's drawing has been made, in the reverse order.
void DestroyDrawing(SaverSurface& s) {
  if (s.context != EGL_NO_CONTEXT) eglDestroyContext(gDisplay, s.context);
  if (s.eglSurface != EGL_NO_SURFACE) eglDestroySurface(gDisplay, s.eglSurface);
  if (s.eglWindow != nullptr) wl_egl_window_destroy(s.eglWindow);
  s.context = EGL_NO_CONTEXT;
  s.eglSurface = EGL_NO_SURFACE;
  s.eglWindow = nullptr;
}

// A surface without a context or an EGL surface can show nothing (its role is never mapped, no
// input reaches it): it is marked so, and the saver ends rather than run on unseen.
bool CannotDraw(SaverSurface& s, const char* what) {
  std::fprintf(stderr, "quellwire: EGL could not make %s to draw in (EGL error 0x%x)\n", what,
               static_cast<unsigned>(eglGetError()));
  DestroyDrawing(s);
  s.cannotDraw = true;
  return false;
}

bool CreateContext(void* window, const SurfaceRequest& request) {
  SaverSurface& s = Surface(window);
  static OpaqueConfigs list;
  ListOpaqueConfigs(list);
  const int chosen = chooseSurfaceFormat(DescribeConfig, &list, request);
  if (chosen == 0) {
    std::fprintf(stderr, "quellwire: EGL offers no opaque OpenGL window format\n");
    s.cannotDraw = true;
    return false;
  }
  const EGLConfig config = list.configs[chosen - 1];
  const ClientSize size = s.buffer.size;
  s.eglWindow = wl_egl_window_create(s.surface, size.width > 0 ? size.width : 1,
                                     size.height > 0 ? size.height : 1);
  if (s.eglWindow == nullptr) return CannotDraw(s, "a Wayland EGL window");
  s.eglSurface = eglCreateWindowSurface(
      gDisplay, config, reinterpret_cast<EGLNativeWindowType>(s.eglWindow), nullptr);
  if (s.eglSurface == EGL_NO_SURFACE) return CannotDraw(s, "a window surface");
  s.context = eglCreateContext(gDisplay, config, EGL_NO_CONTEXT, nullptr);
  if (s.context == EGL_NO_CONTEXT) return CannotDraw(s, "an OpenGL context");
  s.swapIntervalSet = false;
  return true;
}

void MakeCurrent(void* window, bool current) {
  SaverSurface& s = Surface(window);
  if (!current || s.context == EGL_NO_CONTEXT || s.eglSurface == EGL_NO_SURFACE) {
    eglMakeCurrent(gDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    return;
  }
  eglMakeCurrent(gDisplay, s.eglSurface, s.eglSurface, s.context);
  // Swaps never wait for the compositor: the frame callbacks pace each surface, so a hidden
  // one holds up nothing.
  if (!s.swapIntervalSet) s.swapIntervalSet = eglSwapInterval(gDisplay, 0) == EGL_TRUE;
}

// The frame goes to the compositor with a request to hear when it is shown; until then the
// surface draws no other. A frame that could not be swapped brings no callback: the surface
// tries again at the next tick; swaps that keep failing give up (surfaceSwapOutcome).
void SwapBuffers(void* window) {
  SaverSurface& s = Surface(window);
  if (s.eglSurface == EGL_NO_SURFACE) return;
  s.frameCallback = wl_surface_frame(s.surface);
  wl_callback_add_listener(s.frameCallback, &kFrameListener, &s);
  const bool swapped = eglSwapBuffers(gDisplay, s.eglSurface) == EGL_TRUE;
  const EGLint error = swapped ? EGL_SUCCESS : eglGetError();
  const SwapOutcome outcome = surfaceSwapOutcome(swapped, s.failedSwaps, MonotonicTickMs());
  s.pacing.frameOutstanding = outcome.frameOutstanding;
  s.failedSwaps = outcome.failures;
  if (!outcome.frameOutstanding) {
    wl_callback_destroy(s.frameCallback);
    s.frameCallback = nullptr;
  }
  if (outcome.givesUp) {
    std::fprintf(stderr, "quellwire: EGL failed to show %u frames in a row (EGL error 0x%x)\n",
                 static_cast<unsigned>(outcome.failures.count), static_cast<unsigned>(error));
    s.cannotDraw = true;
  }
}

void DestroyContext(void* window) { DestroyDrawing(Surface(window)); }

std::uint32_t TickCount(void*) { return MonotonicTickMs(); }

}  // namespace

namespace {

// The connection's EGL display, as the client extensions allow (see egl_choice.h).
EGLDisplay WaylandEglDisplay(wl_display* display) {
  const EglDisplayCall call = chooseEglDisplayCall(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS),
                                                   eglQueryString(EGL_NO_DISPLAY, EGL_VERSION));
  // Where EGL cannot tell its client extensions, asking was an error to clear.
  eglGetError();
  if (call == EglDisplayCall::Platform) {
    const auto get =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYPROC>(eglGetProcAddress("eglGetPlatformDisplay"));
    if (get != nullptr) return get(EGL_PLATFORM_WAYLAND_KHR, display, nullptr);
  } else if (call == EglDisplayCall::PlatformExt) {
    const auto get = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get != nullptr) return get(EGL_PLATFORM_WAYLAND_EXT, display, nullptr);
  }
  return eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(display));
}

}  // namespace

bool OpenEgl(WaylandClient& client) {
  gDisplay = WaylandEglDisplay(client.display);
  EGLint major = 0, minor = 0;
  if (gDisplay == EGL_NO_DISPLAY || !eglInitialize(gDisplay, &major, &minor)) {
    std::fprintf(stderr, "quellwire: EGL cannot draw on this Wayland display (EGL error 0x%x)\n",
                 eglGetError());
    gDisplay = EGL_NO_DISPLAY;
    return false;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    std::fprintf(stderr, "quellwire: EGL offers no desktop OpenGL here\n");
    eglTerminate(gDisplay);
    gDisplay = EGL_NO_DISPLAY;
    return false;
  }
  return true;
}

void CloseEgl(WaylandClient&) {
  if (gDisplay == EGL_NO_DISPLAY) return;
  eglMakeCurrent(gDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglTerminate(gDisplay);
  eglReleaseThread();
  gDisplay = EGL_NO_DISPLAY;
}

WindowSystem SurfaceWindowSystem(SaverSurface& surface) {
  return WindowSystem{&surface,    ClientSizeOf,   CreateContext, MakeCurrent,
                      SwapBuffers, DestroyContext, TickCount};
}
