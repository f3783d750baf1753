#include "driver/renderer.h"

const Renderer* chooseRenderer(const RendererTable& table, bool contextMade, ContextApi api) {
  if (!contextMade || api == ContextApi::DesktopGl) return table.desktopGl;
  return table.es3;
}
