// EGL on the Wayland connection: one display for the client, and for each surface an EGL
// window surface and a context, carried out as the frame driver's window system. The context is
// desktop OpenGL (compatibility profile, as the GL 1.1 renderer needs) or, where none can be made
// or QUELLWIRE_GL asks for it, OpenGL ES 3 for the ES renderer: chooseEglContextPlan decides
// what is tried in which order; the first API a context is made with serves every surface after.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "driver/surface_format.h"
#include "wayland/egl_choice.h"
#include "wayland/client/wayland_client.h"

namespace {

SaverSurface& Surface(void* window) { return *static_cast<SaverSurface*>(window); }

WaylandEgl& Egl(const SaverSurface& s) { return s.client->egl; }

EGLint ConfigAttribute(EGLDisplay display, EGLConfig config, EGLint attribute) {
  EGLint value = 0;
  eglGetConfigAttrib(display, config, attribute, &value);
  return value;
}

EGLint RenderableBit(ContextApi api) {
  return api == ContextApi::Es3 ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_BIT;
}

// Whether a configuration can draw into a window without alpha (the picture is cleared to alpha
// 0, which the compositor would show as transparent).
bool OpaqueWindowConfig(EGLDisplay display, EGLConfig config) {
  return ConfigAttribute(display, config, EGL_ALPHA_SIZE) == 0 &&
         (ConfigAttribute(display, config, EGL_SURFACE_TYPE) & EGL_WINDOW_BIT) != 0;
}

// The configurations a saver surface may be drawn with in the API: opaque window ones, with the
// multisample count chooseEglSamples asks for. Multisampling is for ES contexts, which cannot
// smooth their lines: with it a 1-pixel line covers the pixels it crosses by the share of it that
// falls in each, as a smoothed line does, rather than lighting one whole pixel per step.
struct OpaqueConfigs {
  EGLDisplay display;
  EGLConfig configs[256];
  int count;
  ContextApi api;
};

void ListOpaqueConfigs(EGLDisplay display, bool software, OpaqueConfigs& list, ContextApi api) {
  static EGLConfig all[256];
  static int samples[256];
  EGLint count = 0;
  list.display = display;
  list.count = 0;
  list.api = api;
  if (!eglGetConfigs(display, all, 256, &count)) return;
  int fit = 0;
  for (EGLint i = 0; i < count; ++i) {
    if (!OpaqueWindowConfig(display, all[i])) continue;
    if ((ConfigAttribute(display, all[i], EGL_RENDERABLE_TYPE) & RenderableBit(api)) == 0) {
      continue;
    }
    all[fit] = all[i];
    samples[fit++] = ConfigAttribute(display, all[i], EGL_SAMPLES);
  }
  const int wanted = chooseEglSamples(api, software, samples, fit);
  for (int i = 0; i < fit; ++i) {
    if (samples[i] == wanted || (wanted == 0 && samples[i] <= 1)) {
      list.configs[list.count++] = all[i];
    }
  }
}

// A configuration in the terms of the shared format chooser. EGL window surfaces are double
// buffered; a configuration EGL marks as slow is a software one.
int DescribeConfig(const void* source, int index, SurfaceFormat* format) {
  const OpaqueConfigs& list = *static_cast<const OpaqueConfigs*>(source);
  if (index >= 1 && index <= list.count) {
    const EGLConfig config = list.configs[index - 1];
    const EGLint red = ConfigAttribute(list.display, config, EGL_RED_SIZE);
    const EGLint green = ConfigAttribute(list.display, config, EGL_GREEN_SIZE);
    const EGLint blue = ConfigAttribute(list.display, config, EGL_BLUE_SIZE);
    const EGLint colorBits = red + green + blue;
    const EGLint channelBits = std::min(red, std::min(green, blue));
    const EGLint depthBits = ConfigAttribute(list.display, config, EGL_DEPTH_SIZE);
    SurfaceFormat described{};
    described.openGl =
        (ConfigAttribute(list.display, config, EGL_RENDERABLE_TYPE) & RenderableBit(list.api)) != 0;
    described.window = true;
    described.bitmap =
        (ConfigAttribute(list.display, config, EGL_SURFACE_TYPE) & EGL_PIXMAP_BIT) != 0;
    described.doubleBuffered = true;
    described.colorIndex =
        ConfigAttribute(list.display, config, EGL_COLOR_BUFFER_TYPE) != EGL_RGB_BUFFER;
    described.renderer = ConfigAttribute(list.display, config, EGL_CONFIG_CAVEAT) == EGL_SLOW_CONFIG
                             ? FormatRenderer::Software
                             : FormatRenderer::Hardware;
    described.colorBits = static_cast<std::uint8_t>(colorBits > 255 ? 255 : colorBits);
    described.depthBits = static_cast<std::uint8_t>(depthBits > 255 ? 255 : depthBits);
    described.channelBits = static_cast<std::uint8_t>(std::clamp(channelBits, 1, 255));
    *format = described;
  }
  return list.count;
}

ClientSize ClientSizeOf(void* window) { return Surface(window).buffer.size; }

// Gives back whatever of the surface's drawing has been made, in the reverse order.
void DestroyDrawing(SaverSurface& s) {
  const EGLDisplay display = Egl(s).display;
  if (s.context != EGL_NO_CONTEXT) eglDestroyContext(display, s.context);
  if (s.eglSurface != EGL_NO_SURFACE) eglDestroySurface(display, s.eglSurface);
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

// The surface's drawing in one API; null where it was all made, else what could not be (the
// surface then holds nothing of it).
const char* TryContext(SaverSurface& s, const SurfaceRequest& request, ContextApi api) {
  static OpaqueConfigs list;
  const EGLDisplay display = Egl(s).display;
  if (!eglBindAPI(api == ContextApi::Es3 ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) {
    return "an OpenGL context";
  }
  ListOpaqueConfigs(display, Egl(s).software, list, api);
  const int chosen = chooseSurfaceFormat(DescribeConfig, &list, request);
  if (chosen == 0) return "an OpenGL context for any opaque window format";
  const EGLConfig config = list.configs[chosen - 1];
  const ClientSize size = s.buffer.size;
  s.eglWindow = wl_egl_window_create(s.surface, size.width > 0 ? size.width : 1,
                                     size.height > 0 ? size.height : 1);
  if (s.eglWindow == nullptr) return "a Wayland EGL window";
  s.eglSurface = eglCreateWindowSurface(
      display, config, reinterpret_cast<EGLNativeWindowType>(s.eglWindow), nullptr);
  if (s.eglSurface == EGL_NO_SURFACE) return "a window surface";
  const EGLint es3[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0, EGL_NONE};
  s.context =
      eglCreateContext(display, config, EGL_NO_CONTEXT, api == ContextApi::Es3 ? es3 : nullptr);
  if (s.context == EGL_NO_CONTEXT) return "an OpenGL context";
  return nullptr;
}

// Tries the plan's APIs in order (once one has served, that one alone); only where none can be
// had is the failure told.
bool CreateContext(void* window, const SurfaceRequest& request) {
  SaverSurface& s = Surface(window);
  WaylandEgl& egl = Egl(s);
  const char* failed = "an OpenGL context";
  for (int i = 0; i < egl.plan.count; ++i) {
    const ContextApi api = egl.plan.attempts[i];
    if (egl.apiSettled && api != egl.api) continue;
    failed = TryContext(s, request, api);
    if (failed == nullptr) {
      egl.api = api;
      egl.apiSettled = true;
      s.swapIntervalSet = false;
      return true;
    }
    if (i + 1 < egl.plan.count) DestroyDrawing(s);
  }
  return CannotDraw(s, failed);
}

ContextApi ContextApiOf(void* window) { return Egl(Surface(window)).api; }

void MakeCurrent(void* window, bool current) {
  SaverSurface& s = Surface(window);
  const EGLDisplay display = Egl(s).display;
  if (!current || s.context == EGL_NO_CONTEXT || s.eglSurface == EGL_NO_SURFACE) {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    return;
  }
  eglMakeCurrent(display, s.eglSurface, s.eglSurface, s.context);
  // Swaps never wait for the compositor: the frame callbacks pace each surface, so a hidden
  // one holds up nothing.
  if (!s.swapIntervalSet) s.swapIntervalSet = eglSwapInterval(display, 0) == EGL_TRUE;
}

// The frame goes to the compositor with a request to hear when it is shown; until then the
// surface draws no other. A frame that could not be swapped brings no callback: the surface
// tries again at the next tick; swaps that keep failing give up (surfaceSwapOutcome).
void SwapBuffers(void* window) {
  SaverSurface& s = Surface(window);
  if (s.eglSurface == EGL_NO_SURFACE) return;
  s.frameCallback = wl_surface_frame(s.surface);
  wl_callback_add_listener(s.frameCallback, &kFrameListener, &s);
  const bool swapped = eglSwapBuffers(Egl(s).display, s.eglSurface) == EGL_TRUE;
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

// Whether the initialised display draws on the processor, from what EGL tells of its driver and
// device where it has the extensions to (see egl_choice.h).
bool DisplayDrawsInSoftware(EGLDisplay display) {
  const char* driver = nullptr;
  if (eglExtensionListed(eglQueryString(display, EGL_EXTENSIONS), "EGL_MESA_query_driver")) {
    const auto name = reinterpret_cast<PFNEGLGETDISPLAYDRIVERNAMEPROC>(
        eglGetProcAddress("eglGetDisplayDriverName"));
    if (name != nullptr) driver = name(display);
  }
  const char* device = nullptr;
  if (eglExtensionListed(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_EXT_device_query")) {
    const auto attribute = reinterpret_cast<PFNEGLQUERYDISPLAYATTRIBEXTPROC>(
        eglGetProcAddress("eglQueryDisplayAttribEXT"));
    const auto string = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(
        eglGetProcAddress("eglQueryDeviceStringEXT"));
    EGLAttrib handle = 0;
    if (attribute != nullptr && string != nullptr && attribute(display, EGL_DEVICE_EXT, &handle) &&
        handle != 0) {
      device = string(reinterpret_cast<EGLDeviceEXT>(handle), EGL_EXTENSIONS);
    }
  }
  // Where EGL could not tell, asking was an error to clear.
  eglGetError();
  return eglDrawsInSoftware(driver, device);
}

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
  WaylandEgl& egl = client.egl;
  egl = WaylandEgl{};
  egl.display = WaylandEglDisplay(client.display);
  const EGLDisplay display = egl.display;
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
    std::fprintf(stderr, "quellwire: EGL cannot draw on this Wayland display (EGL error 0x%x)\n",
                 eglGetError());
    egl.display = EGL_NO_DISPLAY;
    return false;
  }
  egl.software = DisplayDrawsInSoftware(display);
  EglApiOffer offer{eglQueryString(display, EGL_CLIENT_APIS), false, false};
  EGLConfig all[256];
  EGLint count = 0;
  if (eglGetConfigs(display, all, 256, &count)) {
    for (EGLint i = 0; i < count; ++i) {
      if (!OpaqueWindowConfig(display, all[i])) continue;
      const EGLint renderable = ConfigAttribute(display, all[i], EGL_RENDERABLE_TYPE);
      offer.desktopConfigs = offer.desktopConfigs || (renderable & EGL_OPENGL_BIT) != 0;
      offer.es3Configs = offer.es3Configs || (renderable & EGL_OPENGL_ES3_BIT) != 0;
    }
  }
  const char* variable = std::getenv(kGlApiVariable);
  egl.plan = chooseEglContextPlan(variable, offer);
  if (egl.plan.count == 0) {
    std::fprintf(stderr, "quellwire: EGL offers %s here\n",
                 variable != nullptr && std::strcmp(variable, "gl") == 0 ? "no desktop OpenGL"
                 : variable != nullptr && std::strcmp(variable, "es") == 0
                     ? "no OpenGL ES 3"
                     : "no OpenGL nor OpenGL ES 3");
    eglTerminate(display);
    egl.display = EGL_NO_DISPLAY;
    return false;
  }
  return true;
}

void CloseEgl(WaylandClient& client) {
  const EGLDisplay display = client.egl.display;
  if (display == EGL_NO_DISPLAY) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglTerminate(display);
  eglReleaseThread();
  client.egl.display = EGL_NO_DISPLAY;
}

WindowSystem SurfaceWindowSystem(SaverSurface& surface) {
  return WindowSystem{&surface,    ClientSizeOf,   CreateContext, MakeCurrent,
                      SwapBuffers, DestroyContext, TickCount,     ContextApiOf};
}
