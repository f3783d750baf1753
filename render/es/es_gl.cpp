#include "render/es/es_gl.h"

#ifdef __EMSCRIPTEN__

#include <emscripten/emscripten.h>

namespace {

// WebGL 2 names every renderer "WebKit WebGL"; where the browser tells the real one
// (WEBGL_debug_renderer_info), the blur's path is chosen by it: a browser drawing on the
// processor (SwiftShader, Windows' Basic Render Driver, llvmpipe) blurs there too.
EM_JS(void, ReadUnmaskedRenderer, (char* out, int size), {
  var info = GLctx ? GLctx.getExtension("WEBGL_debug_renderer_info") : null;
  stringToUTF8(info ? String(GLctx.getParameter(info.UNMASKED_RENDERER_WEBGL)) : "", out, size);
});

char unmaskedRenderer[256];

const GLubyte* GL_APIENTRY GetString(GLenum name) {
  if (name == GL_RENDERER) {
    ReadUnmaskedRenderer(unmaskedRenderer, sizeof unmaskedRenderer);
    if (unmaskedRenderer[0] != '\0') return reinterpret_cast<const GLubyte*>(unmaskedRenderer);
  }
  return glGetString(name);
}

}  // namespace

// One GL in the page: the calls are the module's own.
bool esGlLoad(EsGl& gl) {
#define QW_ES_TAKE(type, name, symbol) gl.name = &gl##name;
  QW_ES_FUNCTIONS(QW_ES_TAKE)
#undef QW_ES_TAKE
  gl.GetString = &GetString;
  return true;
}

#else

#include <EGL/egl.h>

bool esGlLoad(EsGl& gl) {
  bool complete = true;
#define QW_ES_LOAD(type, name, symbol)                         \
  gl.name = reinterpret_cast<type>(eglGetProcAddress(symbol)); \
  complete = complete && gl.name != nullptr;
  QW_ES_FUNCTIONS(QW_ES_LOAD)
#undef QW_ES_LOAD
  return complete;
}

#endif
