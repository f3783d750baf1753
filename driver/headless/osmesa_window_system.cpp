#include "driver/headless/osmesa_window_system.h"

#include <GL/osmesa.h>

#include <cstdlib>

#include "driver/headless/egl_headless.h"
#include "render/es/es_renderer.h"
#include "render/gl11/gl11_renderer.h"

const SurfaceFormat HeadlessSurfaceFormat{true, true, true, false, false, FormatRenderer::Software,
                                          32,   16};

namespace {

HeadlessWindow& Record(void* window) { return *static_cast<HeadlessWindow*>(window); }

int ListFormats(const void* source, int index, SurfaceFormat* format) {
  const HeadlessWindow& w = *static_cast<const HeadlessWindow*>(source);
  if (index >= 1 && index <= w.formatCount) *format = w.formats[index - 1];
  return w.formatCount;
}

ClientSize GetClientSize(void* window) {
  return ClientSize{Record(window).clientWidth, Record(window).clientHeight};
}

void DestroyRenderContext(void* window) {
  HeadlessWindow& w = Record(window);
  if (w.context == nullptr) return;
  if (w.api == ContextApi::Es3) {
    EglHeadlessDestroy(w.context);
    w.context = nullptr;
    return;
  }
  if (OSMesaGetCurrentContext() == w.context) OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(static_cast<OSMesaContext>(w.context));
  w.context = nullptr;
}

bool CreateRenderContext(void* window, const SurfaceRequest& request) {
  HeadlessWindow& w = Record(window);
  DestroyRenderContext(window);
  w.format = chooseSurfaceFormat(ListFormats, &w, request);
  if (w.format == 0) return false;
  if (w.api == ContextApi::Es3) {
    w.context = EglHeadlessCreate(w.surfaceWidth, w.surfaceHeight, w.esSamples);
    return w.context != nullptr;
  }
  const SurfaceFormat& format = w.formats[w.format - 1];
  w.context = OSMesaCreateContextExt(OSMESA_RGBA, format.depthBits, 0, 0, nullptr);
  return w.context != nullptr;
}

void MakeCurrent(void* window, bool current) {
  HeadlessWindow& w = Record(window);
  if (w.api == ContextApi::Es3) {
    EglHeadlessMakeCurrent(w.context, current);
    return;
  }
  if (!current || w.context == nullptr) {
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    return;
  }
  OSMesaMakeCurrent(static_cast<OSMesaContext>(w.context), w.pixels, GL_UNSIGNED_BYTE,
                    w.surfaceWidth, w.surfaceHeight);
}

void SwapBuffers(void* window) {
  HeadlessWindow& w = Record(window);
  if (w.api == ContextApi::Es3) {
    if (EglHeadlessIsCurrent(w.context)) {
      EglHeadlessSwap(w.context, w.pixels, w.surfaceWidth, w.surfaceHeight);
    }
  } else if (w.context != nullptr && OSMesaGetCurrentContext() == w.context) {
    glFinish();
  }
  ++w.swapCount;
}

std::uint32_t TickCount(void* window) { return Record(window).tickMs; }

ContextApi Api(void* window) { return Record(window).api; }

// Drawing memory for a size: a context needs a surface of at least one pixel, whatever size the
// window reports.
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
                        const SurfaceFormat* formats, int formatCount) {
  window = HeadlessWindow{};
  window.formats = formats;
  window.formatCount = formats != nullptr && formatCount > 0 ? formatCount : 0;
  return TakeSurface(window, clientWidth, clientHeight);
}

bool HeadlessWindowResize(HeadlessWindow& window, std::int32_t clientWidth,
                          std::int32_t clientHeight) {
  if (!TakeSurface(window, clientWidth, clientHeight)) return false;
  if (window.api == ContextApi::Es3) {
    if (EglHeadlessIsCurrent(window.context)) {
      EglHeadlessResize(window.context, window.surfaceWidth, window.surfaceHeight);
    }
  } else if (window.context != nullptr && OSMesaGetCurrentContext() == window.context) {
    MakeCurrent(&window, true);
  }
  return true;
}

void HeadlessWindowClose(HeadlessWindow& window) {
  DestroyRenderContext(&window);
  std::free(window.pixels);
  window.pixels = nullptr;
}

const RendererTable kHeadlessRenderers{&kGl11Renderer, &kEsRenderer};

WindowSystem HeadlessWindowSystem(HeadlessWindow& window) {
  return WindowSystem{&window,     GetClientSize,        CreateRenderContext, MakeCurrent,
                      SwapBuffers, DestroyRenderContext, TickCount,           Api};
}

const std::uint8_t* HeadlessPixel(const HeadlessWindow& window, std::int32_t x, std::int32_t y) {
  return window.pixels +
         (static_cast<std::size_t>(y) * static_cast<std::size_t>(window.surfaceWidth) +
          static_cast<std::size_t>(x)) *
             4;
}
