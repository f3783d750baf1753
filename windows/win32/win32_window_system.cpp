#include "windows/win32/win32_window_system.h"

#include <cstring>

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "PIXELFORMATDESCRIPTOR is 40 bytes");

namespace {

Win32Window& Record(void* window) { return *static_cast<Win32Window*>(window); }

// A zeroed descriptor of size 40, version 1.
PIXELFORMATDESCRIPTOR BlankDescriptor() {
  PIXELFORMATDESCRIPTOR descriptor;
  std::memset(&descriptor, 0, sizeof descriptor);
  descriptor.nSize = sizeof descriptor;
  descriptor.nVersion = 1;
  return descriptor;
}

// The descriptor handed over when the chosen format is set: double-buffered OpenGL, RGBA, 16
// colour bits. The format itself is the chosen index, not this description.
PIXELFORMATDESCRIPTOR ContextDescriptor() {
  PIXELFORMATDESCRIPTOR descriptor = BlankDescriptor();
  descriptor.dwFlags = PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL;
  descriptor.iPixelType = PFD_TYPE_RGBA;
  descriptor.cColorBits = 16;
  return descriptor;
}

FormatRenderer RendererOf(DWORD flags) {
  return formatRendererOf((flags & PFD_GENERIC_FORMAT) != 0,
                          (flags & PFD_GENERIC_ACCELERATED) != 0);
}

SurfaceFormat SurfaceFormatOf(const PIXELFORMATDESCRIPTOR& descriptor) {
  SurfaceFormat format{};
  format.openGl = (descriptor.dwFlags & PFD_SUPPORT_OPENGL) != 0;
  format.window = (descriptor.dwFlags & PFD_DRAW_TO_WINDOW) != 0;
  format.bitmap = (descriptor.dwFlags & PFD_DRAW_TO_BITMAP) != 0;
  format.doubleBuffered = (descriptor.dwFlags & PFD_DOUBLEBUFFER) != 0;
  format.colorIndex = descriptor.iPixelType == PFD_TYPE_COLORINDEX;
  format.renderer = RendererOf(descriptor.dwFlags);
  format.colorBits = descriptor.cColorBits;
  format.depthBits = descriptor.cDepthBits;
  return format;
}

// A format that cannot be described reads as the zeroed descriptor.
int ListPixelFormats(const void* source, int index, SurfaceFormat* format) {
  HDC deviceContext = static_cast<HDC>(const_cast<void*>(source));
  PIXELFORMATDESCRIPTOR descriptor = BlankDescriptor();
  const int count = DescribePixelFormat(deviceContext, index, sizeof descriptor, &descriptor);
  *format = SurfaceFormatOf(descriptor);
  return count;
}

ClientSize GetClientSize(void* window) {
  RECT rect{};
  GetClientRect(Record(window).window, &rect);
  return ClientSize{rect.right, rect.bottom};
}

// Nothing is checked: a format of 0 fails to be set, and then so does the context.
bool CreateRenderContext(void* window, const SurfaceRequest& request) {
  Win32Window& w = Record(window);
  const PIXELFORMATDESCRIPTOR descriptor = ContextDescriptor();
  w.deviceContext = GetDC(w.window);
  const int format = ChooseScoredPixelFormat(w.deviceContext, request);
  SetPixelFormat(w.deviceContext, format, &descriptor);
  w.renderContext = wglCreateContext(w.deviceContext);
  return w.renderContext != nullptr;
}

void MakeCurrent(void* window, bool current) {
  Win32Window& w = Record(window);
  if (current) {
    wglMakeCurrent(w.deviceContext, w.renderContext);
  } else {
    wglMakeCurrent(nullptr, nullptr);
  }
}

void Swap(void* window) { SwapBuffers(Record(window).deviceContext); }

void DestroyRenderContext(void* window) {
  Win32Window& w = Record(window);
  wglDeleteContext(w.renderContext);
  ReleaseDC(w.window, w.deviceContext);
  // The handles are gone; nothing may use them again.
  w.renderContext = nullptr;
  w.deviceContext = nullptr;
}

std::uint32_t TickCount(void*) { return GetTickCount(); }

}  // namespace

int ChooseScoredPixelFormat(HDC deviceContext, const SurfaceRequest& request) {
  return chooseSurfaceFormat(ListPixelFormats, deviceContext, request);
}

WindowSystem Win32WindowSystem(Win32Window& record) {
  return WindowSystem{&record,     GetClientSize, CreateRenderContext,
                      MakeCurrent, Swap,          DestroyRenderContext,
                      TickCount};
}
