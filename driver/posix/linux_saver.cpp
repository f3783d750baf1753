#include "driver/posix/linux_saver.h"

#include <cstdio>
#include <cstdlib>

#include "render/es/es_renderer.h"
#include "render/gl11/gl11_renderer.h"

const RendererTable kLinuxRenderers{&kGl11Renderer, &kEsRenderer};

void LinuxFrameDriverSetup(FrameDriverState& state, bool showFps) {
  state.renderers = &kLinuxRenderers;
  state.showFps = showFps;
  state.blurRequest = glowBlurRequestFromText(std::getenv(kGlowBlurVariable));
}

int ReportNoFlock() {
  std::fprintf(stderr, "quellwire: no memory for the flock\n");
  return 1;
}

bool FrameLimitReached(FrameLimit& limit) {
  return limit.limit != 0 && ++limit.frames >= limit.limit;
}
