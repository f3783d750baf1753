#include "driver/headless/egl_headless.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdlib>

#include "render/es/es_gl.h"

namespace {

struct EglHeadless {
  EGLDisplay display;
  EGLContext context;
  EsGl gl;
  GLuint framebuffer;
  GLuint renderbuffer;
  std::int32_t samples;  // above 1: framebuffer is multisampled, resolved into the next two
  GLuint resolveFramebuffer;
  GLuint resolveRenderbuffer;
  std::int32_t width;
  std::int32_t height;
};

EGLDisplay SurfacelessDisplay() {
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
  return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

void MakeFramebuffer(EglHeadless& h, std::int32_t width, std::int32_t height) {
  h.width = width > 1 ? width : 1;
  h.height = height > 1 ? height : 1;
  if (h.samples > 1) {
    h.gl.GenFramebuffers(1, &h.resolveFramebuffer);
    h.gl.GenRenderbuffers(1, &h.resolveRenderbuffer);
    h.gl.BindRenderbuffer(GL_RENDERBUFFER, h.resolveRenderbuffer);
    h.gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, h.width, h.height);
    h.gl.BindFramebuffer(GL_FRAMEBUFFER, h.resolveFramebuffer);
    h.gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                 h.resolveRenderbuffer);
  }
  h.gl.GenFramebuffers(1, &h.framebuffer);
  h.gl.GenRenderbuffers(1, &h.renderbuffer);
  h.gl.BindRenderbuffer(GL_RENDERBUFFER, h.renderbuffer);
  if (h.samples > 1) {
    h.gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, h.samples, GL_RGBA8, h.width, h.height);
  } else {
    h.gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, h.width, h.height);
  }
  h.gl.BindFramebuffer(GL_FRAMEBUFFER, h.framebuffer);
  h.gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               h.renderbuffer);
  h.gl.ClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  h.gl.Clear(GL_COLOR_BUFFER_BIT);
}

void DeleteFramebuffer(EglHeadless& h) {
  h.gl.DeleteFramebuffers(1, &h.framebuffer);
  h.gl.DeleteRenderbuffers(1, &h.renderbuffer);
  h.framebuffer = 0;
  h.renderbuffer = 0;
  if (h.samples > 1) {
    h.gl.DeleteFramebuffers(1, &h.resolveFramebuffer);
    h.gl.DeleteRenderbuffers(1, &h.resolveRenderbuffer);
    h.resolveFramebuffer = 0;
    h.resolveRenderbuffer = 0;
  }
}

}  // namespace

void* EglHeadlessCreate(std::int32_t width, std::int32_t height, std::int32_t samples) {
  const EGLDisplay display = SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return nullptr;
  const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES3_BIT, EGL_SURFACE_TYPE,
                                     EGL_PBUFFER_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0,
                                      EGL_NONE};
  if (!eglBindAPI(EGL_OPENGL_ES_API) ||
      !eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs < 1) {
    return nullptr;
  }
  const EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) return nullptr;
  auto* h = static_cast<EglHeadless*>(std::calloc(1, sizeof(EglHeadless)));
  if (h == nullptr || !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) ||
      !esGlLoad(h->gl)) {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    std::free(h);
    return nullptr;
  }
  h->display = display;
  h->context = context;
  h->samples = samples;
  MakeFramebuffer(*h, width, height);
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  return h;
}

void EglHeadlessMakeCurrent(void* context, bool current) {
  auto* h = static_cast<EglHeadless*>(context);
  if (!current || h == nullptr) {
    const EGLDisplay display = eglGetCurrentDisplay();
    if (display != EGL_NO_DISPLAY) {
      eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    return;
  }
  eglMakeCurrent(h->display, EGL_NO_SURFACE, EGL_NO_SURFACE, h->context);
  h->gl.BindFramebuffer(GL_FRAMEBUFFER, h->framebuffer);
}

void EglHeadlessResize(void* context, std::int32_t width, std::int32_t height) {
  auto* h = static_cast<EglHeadless*>(context);
  DeleteFramebuffer(*h);
  MakeFramebuffer(*h, width, height);
}

void EglHeadlessSwap(void* context, std::uint8_t* pixels, std::int32_t width, std::int32_t height) {
  auto* h = static_cast<EglHeadless*>(context);
  h->gl.BindFramebuffer(GL_FRAMEBUFFER, h->framebuffer);
  if (h->samples > 1) {
    h->gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, h->resolveFramebuffer);
    h->gl.BlitFramebuffer(0, 0, h->width, h->height, 0, 0, h->width, h->height, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    h->gl.BindFramebuffer(GL_READ_FRAMEBUFFER, h->resolveFramebuffer);
  }
  h->gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
  const std::int32_t w = width < h->width ? width : h->width;
  const std::int32_t rows = height < h->height ? height : h->height;
  h->gl.ReadPixels(0, 0, w, rows, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  h->gl.BindFramebuffer(GL_FRAMEBUFFER, h->framebuffer);
}

bool EglHeadlessIsCurrent(void* context) {
  auto* h = static_cast<EglHeadless*>(context);
  return h != nullptr && eglGetCurrentContext() == h->context;
}

void EglHeadlessDestroy(void* context) {
  auto* h = static_cast<EglHeadless*>(context);
  if (h == nullptr) return;
  if (eglGetCurrentContext() == h->context) {
    DeleteFramebuffer(*h);
    eglMakeCurrent(h->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
  eglDestroyContext(h->display, h->context);
  std::free(h);
}
