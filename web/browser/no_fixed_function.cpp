// The page has no fixed-function GL. A canvas without a WebGL 2 context is given the GL 1.1
// renderer's place by the frame sequences; here that renderer makes nothing, so nothing draws
// and the page says why.
#include "render/gl11/gl11_renderer.h"

namespace {

bool Create(void*& record, const RendererSetup&) {
  record = nullptr;
  return false;
}
void Resize(void*, const RendererSetup&) {}
void Draw(void*, const RenderedFrame&) {}
void Release(void*& record, bool) { record = nullptr; }

}  // namespace

const Renderer kGl11Renderer{Create, Resize, Draw, Release};
