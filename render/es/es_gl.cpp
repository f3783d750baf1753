#include "render/es/es_gl.h"

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
