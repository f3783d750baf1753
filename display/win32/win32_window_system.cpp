#include "display/win32/win32_window_system.h"

#include <cstring>

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "PIXELFORMATDESCRIPTOR is 40 bytes");

namespace {

HWND Hwnd(WindowHandle window) { return static_cast<HWND>(window); }
HDC Hdc(DeviceContextHandle deviceContext) { return static_cast<HDC>(deviceContext); }
HGLRC Hglrc(RenderContextHandle renderContext) { return static_cast<HGLRC>(renderContext); }

// A zeroed descriptor of size 40, version 1.
PIXELFORMATDESCRIPTOR BlankDescriptor() {
  PIXELFORMATDESCRIPTOR descriptor;
  std::memset(&descriptor, 0, sizeof descriptor);
  descriptor.nSize = sizeof descriptor;
  descriptor.nVersion = 1;
  return descriptor;
}

ClientSize GetClientSize(WindowHandle window) {
  RECT rect{};
  GetClientRect(Hwnd(window), &rect);
  return ClientSize{rect.right, rect.bottom};
}

// The settings come from the current user's registry, with their defaults and limits.
void LoadStoredSettings(WindowHandle, Settings& settings) {
  loadSettings();
  settings = currentSettings();
}

DeviceContextHandle GetDeviceContext(WindowHandle window) { return GetDC(Hwnd(window)); }

// A format that cannot be described is left as the zeroed descriptor.
int Describe(WindowHandle, DeviceContextHandle deviceContext, int index,
             PixelFormatDescription* format) {
  PIXELFORMATDESCRIPTOR descriptor = BlankDescriptor();
  const int count = DescribePixelFormat(Hdc(deviceContext), index, sizeof descriptor, &descriptor);
  format->flags = descriptor.dwFlags;
  format->pixelType = descriptor.iPixelType;
  format->colorBits = descriptor.cColorBits;
  format->depthBits = descriptor.cDepthBits;
  return count;
}

void SetFormat(WindowHandle, DeviceContextHandle deviceContext, int format,
               const PixelFormatDescription& wanted) {
  PIXELFORMATDESCRIPTOR descriptor = BlankDescriptor();
  descriptor.dwFlags = wanted.flags;
  descriptor.iPixelType = wanted.pixelType;
  descriptor.cColorBits = wanted.colorBits;
  descriptor.cDepthBits = wanted.depthBits;
  SetPixelFormat(Hdc(deviceContext), format, &descriptor);
}

RenderContextHandle CreateContext(WindowHandle, DeviceContextHandle deviceContext) {
  return wglCreateContext(Hdc(deviceContext));
}

void MakeCurrent(WindowHandle, DeviceContextHandle deviceContext,
                 RenderContextHandle renderContext) {
  wglMakeCurrent(Hdc(deviceContext), Hglrc(renderContext));
}

void DeleteContext(WindowHandle, RenderContextHandle renderContext) {
  wglDeleteContext(Hglrc(renderContext));
}

void ReleaseDeviceContext(WindowHandle window, DeviceContextHandle deviceContext) {
  ReleaseDC(Hwnd(window), Hdc(deviceContext));
}

void StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  SetTimer(Hwnd(window), id, periodMs, nullptr);
}

void StopTimer(WindowHandle window, std::uint32_t id) { KillTimer(Hwnd(window), id); }

void Swap(WindowHandle, DeviceContextHandle deviceContext) { SwapBuffers(Hdc(deviceContext)); }

std::uint32_t TickCount(WindowHandle) { return GetTickCount(); }

void EndProcess(WindowHandle, int exitStatus) { ExitProcess(static_cast<UINT>(exitStatus)); }

}  // namespace

WindowSystem Win32WindowSystem(HWND window) {
  return WindowSystem{
      window,        GetClientSize, LoadStoredSettings, GetDeviceContext,     Describe,   SetFormat,
      CreateContext, MakeCurrent,   DeleteContext,      ReleaseDeviceContext, StartTimer, StopTimer,
      Swap,          TickCount,     EndProcess};
}
