#include "render/es/es_gl.h"

#ifdef __EMSCRIPTEN__

// One GL in the page: the calls are the module's own.
bool esGlLoad(EsGl& gl) {
#define QW_ES_TAKE(type, name, symbol) gl.name = &gl##name;
  QW_ES_FUNCTIONS(QW_ES_TAKE)
#undef QW_ES_TAKE
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
