#include "display/headless/osmesa_window_system.h"

#include <GL/osmesa.h>

#include <cstdlib>

#include "settings/stored_settings.h"

const PixelFormatDescription HeadlessPixelFormat{
    PFD_SUPPORT_OPENGL | PFD_DRAW_TO_WINDOW | PFD_DRAW_TO_BITMAP | PFD_GENERIC_FORMAT,
    PFD_TYPE_RGBA, 32, 16};

namespace {

HeadlessWindow& Window(WindowHandle window) { return *static_cast<HeadlessWindow*>(window); }

ClientSize GetClientSize(WindowHandle window) {
  return ClientSize{Window(window).clientWidth, Window(window).clientHeight};
}

void LoadSettings(WindowHandle window, Settings& settings) {
  settings = Window(window).storedSettings;
}

DeviceContextHandle GetDeviceContext(WindowHandle window) {
  Window(window).deviceContextTaken = true;
  return window;
}

int DescribePixelFormat(WindowHandle window, DeviceContextHandle, int index,
                        PixelFormatDescription* format) {
  const HeadlessWindow& w = Window(window);
  if (index >= 1 && index <= w.formatCount) *format = w.formats[index - 1];
  return w.formatCount;
}

void SetPixelFormat(WindowHandle window, DeviceContextHandle, int format,
                    const PixelFormatDescription&) {
  HeadlessWindow& w = Window(window);
  w.pixelFormat = PixelFormatAfterSet(w.pixelFormat, format, w.formatCount);
}

// As with a real device, no context can be made before a pixel format has been set.
RenderContextHandle CreateRenderContext(WindowHandle window, DeviceContextHandle) {
  HeadlessWindow& w = Window(window);
  if (w.pixelFormat == 0) return nullptr;
  const PixelFormatDescription& format = w.formats[w.pixelFormat - 1];
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, format.depthBits, 0, 0, nullptr);
  if (w.context == nullptr) w.context = context;
  return context;
}

void MakeCurrent(WindowHandle window, DeviceContextHandle deviceContext,
                 RenderContextHandle renderContext) {
  HeadlessWindow& w = Window(window);
  if (deviceContext == nullptr || renderContext == nullptr) {
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    return;
  }
  OSMesaMakeCurrent(static_cast<OSMesaContext>(renderContext), w.pixels, GL_UNSIGNED_BYTE,
                    w.surfaceWidth, w.surfaceHeight);
}

void DeleteRenderContext(WindowHandle window, RenderContextHandle renderContext) {
  if (renderContext == nullptr) return;
  HeadlessWindow& w = Window(window);
  if (OSMesaGetCurrentContext() == renderContext) OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(static_cast<OSMesaContext>(renderContext));
  if (w.context == renderContext) w.context = nullptr;
}

void ReleaseDeviceContext(WindowHandle window, DeviceContextHandle) {
  Window(window).deviceContextTaken = false;
}

void StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  HeadlessWindow& w = Window(window);
  w.timerRunning = true;
  w.timerId = id;
  w.timerPeriodMs = periodMs;
}

void StopTimer(WindowHandle window, std::uint32_t id) {
  HeadlessWindow& w = Window(window);
  if (w.timerRunning && w.timerId == id) w.timerRunning = false;
}

void SwapBuffers(WindowHandle window, DeviceContextHandle) {
  HeadlessWindow& w = Window(window);
  if (w.context != nullptr && OSMesaGetCurrentContext() == w.context) glFinish();
  ++w.swapCount;
}

std::uint32_t TickCount(WindowHandle window) { return Window(window).tickMs; }

void EndProcess(WindowHandle window, int exitStatus) {
  HeadlessWindow& w = Window(window);
  w.endRequested = true;
  w.exitStatus = exitStatus;
}

}  // namespace

namespace {

// Drawing memory for a client size: a context needs a surface of at least one pixel, whatever
// size the window reports.
bool TakeSurface(HeadlessWindow& window, std::int32_t clientWidth, std::int32_t clientHeight) {
  const std::int32_t width = clientWidth > 1 ? clientWidth : 1;
  const std::int32_t height = clientHeight > 1 ? clientHeight : 1;
  auto* pixels = static_cast<std::uint8_t*>(
      std::calloc(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 4));
  if (pixels == nullptr) return false;
  std::free(window.pixels);
  window.pixels = pixels;
  window.clientWidth = clientWidth;
  window.clientHeight = clientHeight;
  window.surfaceWidth = width;
  window.surfaceHeight = height;
  return true;
}

}  // namespace

bool HeadlessWindowOpen(HeadlessWindow& window, std::int32_t clientWidth, std::int32_t clientHeight,
                        const PixelFormatDescription* formats, int formatCount) {
  window = HeadlessWindow{};
  window.storedSettings = settingsDefaults();
  window.formats = formats;
  window.formatCount = formats != nullptr && formatCount > 0 ? formatCount : 0;
  return TakeSurface(window, clientWidth, clientHeight);
}

bool HeadlessWindowResize(HeadlessWindow& window, std::int32_t clientWidth,
                          std::int32_t clientHeight) {
  if (!TakeSurface(window, clientWidth, clientHeight)) return false;
  if (window.context != nullptr && OSMesaGetCurrentContext() == window.context) {
    MakeCurrent(&window, &window, window.context);
  }
  return true;
}

void HeadlessWindowClose(HeadlessWindow& window) {
  DeleteRenderContext(&window, window.context);
  std::free(window.pixels);
  window.pixels = nullptr;
}

WindowSystem HeadlessWindowSystem(HeadlessWindow& window) {
  return WindowSystem{
      &window,        GetClientSize,       LoadSettings, GetDeviceContext,    DescribePixelFormat,
      SetPixelFormat, CreateRenderContext, MakeCurrent,  DeleteRenderContext, ReleaseDeviceContext,
      StartTimer,     StopTimer,           SwapBuffers,  TickCount,           EndProcess};
}

const std::uint8_t* HeadlessPixel(const HeadlessWindow& window, std::int32_t x, std::int32_t y) {
  return window.pixels +
         (static_cast<std::size_t>(y) * static_cast<std::size_t>(window.surfaceWidth) +
          static_cast<std::size_t>(x)) *
             4;
}
