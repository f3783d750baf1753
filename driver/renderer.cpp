#include "driver/renderer.h"

RendererKind chooseRenderer(bool contextMade, ContextApi api, bool esRendererLinked) {
  if (!contextMade || api == ContextApi::DesktopGl) return RendererKind::Gl11;
  return esRendererLinked ? RendererKind::Es3 : RendererKind::None;
}
